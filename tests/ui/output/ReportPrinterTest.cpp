#include "PdfProbe.h"

#include "ui/output/ReportPrinter.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using PdfProbe::kDpi;
using PdfProbe::kReadDpi;
using Version = PictureStore::Version;

class ReportPrinterTest : public PdfPrinterTest {
  protected:
    ReportPrinter m_report{m_library.GetLibrary(), m_settings, m_prompter};
    QSignalSpy m_status{&m_report, &ReportPrinter::statusText};

    const PhotoRecord& AddWithPicture(const std::string& name)
    {
        m_library.WritePicture(Version::FullScreen, name, 800, 600);
        return m_library.Add(name);
    }
    void SetNotes(const PhotoRecord& photo, const std::string& notes)
    {
        PhotoRecord values(photo);
        values.SetNotes(notes);
        m_library.GetLibrary().ChangePhoto(photo, values);
    }
    std::vector<const PhotoRecord*> AllPhotos() const
    {
        std::vector<const PhotoRecord*> photos;
        const CQuilleryDoc& catalog = m_library.Catalog();
        for (int i = 0; i < catalog.PhotoCount(); ++i)
            photos.push_back(&catalog.PhotoAt(i));
        return photos;
    }
    std::vector<QString> StatusTexts() const
    {
        std::vector<QString> texts;
        for (const QList<QVariant>& signal : m_status)
            texts.push_back(signal.at(0).toString());
        return texts;
    }
    // Letter at 600 dpi with a quarter-inch border and margins of one inch: the
    // entries stand from 816 (under the sub-heading) to 5934 (a quarter inch above
    // the footer at 6084), device pixels.
    static constexpr int kFirstEntry = 816;
    static constexpr int kEntryLimit = 5934;
    static constexpr int kFooterTop = 6084;
    // Pages are read back at a tenth of the printer's pixels.
    static constexpr int kScale = kDpi / kReadDpi;
    static constexpr int kBorder = PdfProbe::kBorder / kScale;
    QImage Page(int number) const { return PdfProbe::Render(m_pdf, number, kReadDpi); }
    // The ink in the thumbnails' column, left of the texts.
    QRect Thumbnails(const QImage& page) const
    {
        return PdfProbe::InkBox(page, QRect(0, 0, kBorder + 1050 / kScale, page.height()));
    }
};

TEST_F(ReportPrinterTest, EmptyListGivesOnePageWithOnlyItsNumber)
{
    EXPECT_EQ(m_report.Print(m_printer, {}), 1);
    EXPECT_EQ(PdfProbe::PageCount(m_pdf), 1);
    EXPECT_EQ(PdfProbe::PageText(m_pdf, 1), QStringLiteral("1"));
    EXPECT_EQ(StatusTexts(), std::vector<QString>{QString()});
    EXPECT_TRUE(m_prompter.Texts().empty());
}

TEST_F(ReportPrinterTest, PagesBreakWhereTheNextThumbnailNoLongerFits)
{
    // Each thumbnail is 800 x 600 at 600 dpi and the next entry starts a quarter
    // inch below it: entries at 816, 1566, ... 5316 fit, the eighth (6066) does not.
    for (int i = 0; i < 12; ++i)
        AddWithPicture("p" + std::to_string(100 + i));

    EXPECT_EQ(m_report.Print(m_printer, AllPhotos()), 2);

    ASSERT_EQ(PdfProbe::PageCount(m_pdf), 2);
    const QString first = PdfProbe::PageText(m_pdf, 1);
    const QString second = PdfProbe::PageText(m_pdf, 2);
    EXPECT_TRUE(first.startsWith(QStringLiteral("Quillery Library ") +
                                 QString::fromStdString(m_library.DatabasePath())))
        << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("Filename: p106.jpg")) && !first.contains(QStringLiteral("p107.jpg")));
    EXPECT_TRUE(second.startsWith(QStringLiteral("Quillery Library")) &&
                second.contains(QStringLiteral("Filename: p107.jpg")));
    EXPECT_TRUE(first.endsWith(QStringLiteral(" 1")) && second.endsWith(QStringLiteral(" 2")));
    EXPECT_EQ(StatusTexts(),
              (std::vector<QString>{QStringLiteral("Page 1 being printed"),
                                    QStringLiteral("Page 2 being printed"), QString()}));
    EXPECT_EQ(PdfProbe::Info(m_pdf, QStringLiteral("Title")),
              QString::fromStdString(m_library.DatabasePath()));
    // The faces the page breaks were measured in: Times New Roman or its metric twin.
    const QString fonts =
        PdfProbe::Run(QStringLiteral("pdffonts"), {QString::fromStdString(m_pdf)});
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSerif-Bold")) ||
                fonts.contains(QStringLiteral("TimesNewRomanPS-BoldMT")))
        << fonts.toStdString();
    EXPECT_TRUE(
        fonts.contains(QRegularExpression(QStringLiteral("LiberationSerif |TimesNewRomanPSMT"))));

    // The seventh thumbnail ends above the entries' limit; nothing but the page
    // number stands between it and the foot.
    const QImage page = Page(1);
    const QRect thumbnails = Thumbnails(page);
    EXPECT_NEAR(thumbnails.top(), kBorder + kFirstEntry / kScale, 1);
    EXPECT_NEAR(thumbnails.bottom(), kBorder + (5316 + 600) / kScale, 1);
    const QRect foot =
        PdfProbe::InkBox(page, QRect(0, kBorder + kEntryLimit / kScale, page.width(), page.height()));
    EXPECT_GE(foot.top(), kBorder + kFooterTop / kScale);
}

TEST_F(ReportPrinterTest, FirstLineJoinsEventsAndLocationsWithInOnlyWhenBothAreThere)
{
    m_library.Add("both", 7, 14, 2001, {}, {"Sailing"}, {"Norway, Bergen"});
    m_library.Add("place", 7, 14, 2001, {}, {}, {"Norway, Bergen"});
    m_library.Add("people", 7, 14, 2001, {"Doe, Jane"}, {}, {});

    m_report.Print(m_printer, AllPhotos());

    const QString text = PdfProbe::PageText(m_pdf, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("7/14/2001 Sailing in Bergen Norway")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("7/14/2001 Bergen Norway Filename: place.jpg")));
    EXPECT_TRUE(text.contains(QStringLiteral("7/14/2001 Jane Doe Filename: people.jpg")));
}

TEST_F(ReportPrinterTest, MissingPicturePrintsItsTextsWithoutAThumbnail)
{
    m_library.Add("lost");
    AddWithPicture("found");

    EXPECT_EQ(m_report.Print(m_printer, AllPhotos()), 1);

    EXPECT_TRUE(m_prompter.Texts().empty());
    const QString text = PdfProbe::PageText(m_pdf, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Filename: lost.jpg")));
    EXPECT_TRUE(text.contains(QStringLiteral("Filename: found.jpg")));
    // Only the second entry has a thumbnail, and it follows the texts of the first
    // a quarter inch below them.
    const QImage page = Page(1);
    const QRect thumbnails = Thumbnails(page);
    EXPECT_GT(thumbnails.top(), kBorder + (kFirstEntry + 150) / kScale);
    EXPECT_LT(thumbnails.top(), kBorder + (kFirstEntry + 600) / kScale);
    EXPECT_NEAR(thumbnails.height(), 600 / kScale, 2);
}

TEST_F(ReportPrinterTest, EntryTallerThanAPageGetsAPageOfItsOwnCutAtTheFoot)
{
    AddWithPicture("before");
    std::string notes;
    for (int line = 1; line <= 120; ++line)
        notes += "Line " + std::to_string(line) + "\r\n";
    SetNotes(AddWithPicture("tall"), notes);
    AddWithPicture("after");

    EXPECT_EQ(m_report.Print(m_printer, AllPhotos()), 3);

    ASSERT_EQ(PdfProbe::PageCount(m_pdf), 3);
    const QString tall = PdfProbe::PageText(m_pdf, 2);
    EXPECT_FALSE(PdfProbe::PageText(m_pdf, 1).contains(QStringLiteral("Line 1 ")));
    EXPECT_TRUE(tall.contains(QStringLiteral("Line 1 Line 2 ")));
    EXPECT_FALSE(tall.contains(QStringLiteral("Line 120"))) << "cut at the foot";
    EXPECT_FALSE(tall.contains(QStringLiteral("tall.jpg")));
    EXPECT_TRUE(tall.endsWith(QStringLiteral(" 2")));
    EXPECT_TRUE(PdfProbe::PageText(m_pdf, 3).contains(QStringLiteral("Filename: after.jpg")));

    const QImage page = Page(2);
    const QRect foot =
        PdfProbe::InkBox(page, QRect(0, kBorder + kEntryLimit / kScale + 1, page.width(),
                                     (kFooterTop - kEntryLimit) / kScale - 2));
    EXPECT_TRUE(foot.isNull()) << "ink below the limit at " << foot.top();
}

} // namespace
