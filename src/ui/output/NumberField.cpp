#include "ui/output/NumberField.h"

#include "ui/output/DecimalText.h"

#include <QLineEdit>

#include <algorithm>

NumberField::NumberField(QWidget* parent) : QAbstractSpinBox(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    // Room for three digits and the arrows; the fields hold small numbers.
    setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 40);
}

void NumberField::SetRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    update();
}

QString NumberField::Text() const
{
    return lineEdit()->text();
}

void NumberField::SetText(const QString& text)
{
    lineEdit()->setText(text);
}

int NumberField::ValueInRange() const
{
    return std::clamp(DecimalText::Atoi(Text().toStdString()), m_minimum, m_maximum);
}

void NumberField::stepBy(int steps)
{
    const long long next = static_cast<long long>(ValueInRange()) + steps;
    const auto value = static_cast<int>(std::clamp<long long>(next, m_minimum, m_maximum));
    SetText(QString::number(value));
    lineEdit()->selectAll();
}

QValidator::State NumberField::validate(QString& input, int& /*position*/) const
{
    const bool digitsOnly =
        std::all_of(input.cbegin(), input.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return digitsOnly ? QValidator::Acceptable : QValidator::Invalid;
}

void NumberField::fixup(QString& /*input*/) const
{
}

// A text outside the range can always be stepped: the step lands on the range.
QAbstractSpinBox::StepEnabled NumberField::stepEnabled() const
{
    const int typed = DecimalText::Atoi(Text().toStdString());
    if (typed < m_minimum || typed > m_maximum) return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (typed < m_maximum) enabled |= StepUpEnabled;
    if (typed > m_minimum) enabled |= StepDownEnabled;
    return enabled;
}
