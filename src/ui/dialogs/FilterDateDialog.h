#pragma once

#include "core/DateFilter.h"
#include "ui/dialogs/FilterDialog.h"

#include <optional>

class QLineEdit;

// Asks for the first and the last date of a range. OK closes only when both texts
// are dates; otherwise the message line says so and the dialog stays for correction.
class FilterDateDialog : public FilterDialog {
    Q_OBJECT
public:
    explicit FilterDateDialog(QWidget* parent = nullptr);

    QLineEdit* StartField() const { return m_start; }
    QLineEdit* EndField() const { return m_end; }
    // The range OK accepted; nothing until then.
    const std::optional<DateFilter>& Filter() const { return m_filter; }

public Q_SLOTS:
    void accept() override;

private:
    QLineEdit* m_start = nullptr;
    QLineEdit* m_end = nullptr;
    std::optional<DateFilter> m_filter;
};
