#include "ui/output/ReportPreviewDialog.h"

#include "ui/output/ReportPrinter.h"

#include <QDialogButtonBox>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QVBoxLayout>

ReportPreviewDialog::ReportPreviewDialog(QPrinter& printer, ReportPrinter& report,
                                         std::vector<const PhotoRecord*> photos, QWidget* parent)
    : QDialog(parent), m_preview(new QPrintPreviewWidget(&printer, this))
{
    setWindowTitle(QStringLiteral("Print Report"));
    m_preview->setAccessibleName(QStringLiteral("Report pages"));
    connect(
        m_preview, &QPrintPreviewWidget::paintRequested, this,
        [&report, photos = std::move(photos)](QPrinter* target) { report.Print(*target, photos); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* print = buttons->addButton(QStringLiteral("&Print"), QDialogButtonBox::AcceptRole);
    print->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_preview, 1);
    layout->addWidget(buttons);
    resize(700, 800);
    m_preview->updatePreview();
}

int ReportPreviewDialog::PageCount() const
{
    return m_preview->pageCount();
}
