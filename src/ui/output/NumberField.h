#pragma once

#include <QAbstractSpinBox>

// A number field with a spin control that carries its text unchanged: typing accepts
// digits only, but the text is never reformatted, so "075" or an empty field stay as
// they are until a spin step writes a new number. Steps keep to the range; the field
// itself does not, because the dialog that owns it decides what an out-of-range text
// means.
class NumberField : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit NumberField(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum);
    int Minimum() const { return m_minimum; }
    int Maximum() const { return m_maximum; }

    QString Text() const;
    void SetText(const QString& text);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& position) const override;
    void fixup(QString& input) const override;

protected:
    StepEnabled stepEnabled() const override;

private:
    // The field's number as C atoi reads it, pulled into the range.
    int ValueInRange() const;

    int m_minimum = 0;
    int m_maximum = 99;
};
