#include "ui/dialogs/FilterDateDialog.h"

#include "ui/common/ByteText.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr const char* kInvalidDates = "Dates are not in valid formats";

}  // namespace

FilterDateDialog::FilterDateDialog(QWidget* parent)
    : FilterDialog("Filter by Date", "Select date range to filter photos:", parent),
      m_start(new QLineEdit(this)),
      m_end(new QLineEdit(this))
{
    m_start->setAccessibleName(QStringLiteral("Starting date range"));
    m_end->setAccessibleName(QStringLiteral("Ending date range"));
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Starting date range:"), m_start);
    fields->addRow(QStringLiteral("Ending date range"), m_end);
    Selection().addLayout(fields);
    Selection().addStretch();
    m_start->setFocus();
}

void FilterDateDialog::accept()
{
    m_filter = DateFilter::FromTexts(ByteText::FromDisplay(m_start->text()),
                                     ByteText::FromDisplay(m_end->text()));
    if (!m_filter) {
        SetMessage(QString::fromUtf8(kInvalidDates));
        return;
    }
    QDialog::accept();
}
