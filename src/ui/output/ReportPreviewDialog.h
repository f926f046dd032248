#pragma once

#include <QDialog>

#include <vector>

class PhotoRecord;
class QPrintPreviewWidget;
class QPrinter;
class ReportPrinter;

// Shows the report's pages as the printer will get them; "Print" accepts, and the
// command then prints. The pages are laid out for the printer's own page, so what
// the preview shows is what comes out.
class ReportPreviewDialog : public QDialog {
    Q_OBJECT
  public:
    ReportPreviewDialog(QPrinter& printer, ReportPrinter& report,
                        std::vector<const PhotoRecord*> photos, QWidget* parent = nullptr);

    int PageCount() const;

  private:
    QPrintPreviewWidget* m_preview = nullptr;
};
