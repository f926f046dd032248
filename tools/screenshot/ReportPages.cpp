// Prints the report of a library into a PDF file as Print Report does, on Letter
// paper at 300 pixels per inch with the default margins, so that
// scripts/report-pages.sh can turn its pages into PNG pictures to judge by eye.
//
//   report_pages LIBRARY.pdb OUT.pdf
//
// The library is copied to a temporary folder first, so nothing changes beside it.

#include "core/CQuilleryDoc.h"
#include "core/QuietPrompter.h"
#include "core/Settings.h"
#include "store/Library.h"
#include "ui/output/ReportPrinter.h"

#include <QApplication>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Every key at the default that its reading sites pass.
class DefaultSettings : public Settings {
  public:
    int GetInt(std::string_view, int defaultValue) const override { return defaultValue; }
    std::string GetString(std::string_view, std::string_view defaultValue) const override
    {
        return std::string(defaultValue);
    }
    void WriteInt(std::string_view, int) override {}
    void WriteString(std::string_view, std::string_view) override {}
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: report_pages LIBRARY.pdb OUT.pdf\n");
        return 2;
    }
    const std::filesystem::path source(argv[1]);
    QTemporaryDir work;
    const std::filesystem::path copy = std::filesystem::path(work.path().toStdString()) / "Report";
    std::filesystem::create_directories(copy);
    std::filesystem::copy_file(source, copy / source.filename());
    for (const char* folder : {"Thumbnail Pictures", "Full Screen Pictures",
                               "High Resolution Images", "Original Images"}) {
        std::error_code ignored;
        std::filesystem::copy(source.parent_path() / folder, copy / folder,
                              std::filesystem::copy_options::recursive, ignored);
    }

    QuietPrompter prompter;
    Library library;
    if (library.Open((copy / source.filename()).string(), prompter) != Library::Outcome::Done) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    std::vector<const PhotoRecord*> photos;
    for (int i = 0; i < library.Catalog().PhotoCount(); ++i)
        photos.push_back(&library.Catalog().PhotoAt(i));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromLocal8Bit(argv[2]));
    printer.setResolution(300);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
    const DefaultSettings settings;
    ReportPrinter report(library, settings, prompter);
    const int pages = report.Print(printer, photos);
    std::printf("%d pages\n", pages);
    return pages > 0 ? 0 : 1;
}
