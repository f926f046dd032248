#pragma once

#include "MemorySettings.h"
#include "TestLibrary.h"

#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

// Reads printed PDF files back with poppler's tools, so the tests judge what came
// out, not what the printing code meant to send.
namespace PdfProbe {

// Letter paper at 600 pixels per inch with a quarter inch that cannot be printed on
// at each side; pages are read back at 60 pixels per inch, a tenth of the printer's.
constexpr int kDpi = 600;
constexpr int kReadDpi = 60;
constexpr int kBorder = 150;

inline QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline QString Info(const std::string& pdf, const QString& field)
{
    const QString info = Run(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)});
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(field),
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

inline int PageCount(const std::string& pdf)
{
    return Info(pdf, QStringLiteral("Pages")).toInt();
}

// The text of one page (1-based), words as poppler reads them.
inline QString PageText(const std::string& pdf, int page)
{
    const QString number = QString::number(page);
    return Run(QStringLiteral("pdftotext"),
               {QStringLiteral("-f"), number, QStringLiteral("-l"), number,
                QString::fromStdString(pdf), QStringLiteral("-")})
        .simplified();
}

// One page rendered at `dpi` pixels per inch, the whole paper.
inline QImage Render(const std::string& pdf, int page, int dpi)
{
    const QString number = QString::number(page);
    const QString prefix = QString::fromStdString(pdf) + QStringLiteral("-page");
    Run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-f"), number, QStringLiteral("-l"), number, QStringLiteral("-r"),
         QString::number(dpi), QStringLiteral("-png"), QStringLiteral("-singlefile"),
         QString::fromStdString(pdf), prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

// The smallest rectangle holding every pixel that is not near white.
inline QRect InkBox(const QImage& image, const QRect& within = {})
{
    const QRect area = within.isNull() ? image.rect() : within & image.rect();
    int left = area.right() + 1, top = area.bottom() + 1, right = area.left() - 1,
        bottom = area.top() - 1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) > 200) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < left ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace PdfProbe

// A library, settings and a printer that writes out.pdf in the library's folder.
class PdfPrinterTest : public testing::Test {
  protected:
    TestLibrary m_library;
    MemorySettings m_settings;
    ScriptedPrompter m_prompter;
    std::string m_pdf = m_library.File("out.pdf");
    QPrinter m_printer{QPrinter::HighResolution};

    void SetUp() override
    {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(QString::fromStdString(m_pdf));
        m_printer.setResolution(PdfProbe::kDpi);
        m_printer.setPageSize(QPageSize(QPageSize::Letter));
        m_printer.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
    }
};
