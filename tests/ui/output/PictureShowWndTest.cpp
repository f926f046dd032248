#include "TestLibrary.h"

#include "MemorySettings.h"
#include "ui/browse/PhotoList.h"
#include "ui/output/PictureShowWnd.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Version = PictureStore::Version;
constexpr int kDeadline = 5000;

class PictureShowWndTest : public testing::Test {
  protected:
    PictureShowWndTest()
    {
        m_list.SetLibrary(&m_library.GetLibrary());
        m_list.SetSettings(&m_settings);
        m_settings.WriteString("PictureDelay", "0");
    }

    // Photos with full-screen pictures of their own sizes; a size of 0 leaves the
    // picture file out.
    void AddPhotos(std::initializer_list<std::pair<const char*, QSize>> photos)
    {
        for (const auto& [name, size] : photos) {
            m_library.Add(name, 6, 5, 1999, {"Smith, John"}, {"Party"}, {"France, Paris"});
            if (!size.isEmpty())
                m_library.WritePicture(Version::FullScreen, name, size.width(), size.height());
        }
        m_list.FillFromCatalog();
    }

    void Select(std::initializer_list<int> rows)
    {
        for (const int row : rows) {
            m_list.selectionModel()->select(m_list.model()->index(row, 0),
                                            QItemSelectionModel::Select |
                                                QItemSelectionModel::Rows);
        }
    }

    PictureShowWnd& StartShow()
    {
        m_show = std::make_unique<PictureShowWnd>(m_library.GetLibrary(), m_settings);
        m_steps = std::make_unique<QSignalSpy>(m_show.get(), &PictureShowWnd::stepped);
        m_show->Start(m_list, m_list);
        return *m_show;
    }

    static std::string Name(const PhotoRecord* photo)
    {
        return photo != nullptr ? photo->GetFileName() : "(none)";
    }
    // Waits for the timer's next step and gives the name of the photo it showed.
    std::string NextTimedStep()
    {
        const qsizetype before = m_steps->count();
        if (!m_steps->wait(kDeadline) || m_steps->count() <= before) return "(no step)";
        return Name(m_list.PhotoAtRow(m_steps->at(before).at(0).toInt()));
    }
    std::string Shown() const { return Name(m_show->CurrentPhoto()); }

    void Mouse(QEvent::Type type, Qt::MouseButton button)
    {
        const QPointF at(10, 10);
        QMouseEvent event(type, at, m_show->mapToGlobal(at), button, button, Qt::NoModifier);
        QApplication::sendEvent(m_show.get(), &event);
    }

    void Send(QEvent::Type type, int key, bool autoRepeat = false)
    {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(m_show.get(), &event);
    }
    // A key pressed and let go over the show.
    void Release(int key)
    {
        Send(QEvent::KeyPress, key);
        Send(QEvent::KeyRelease, key);
    }

    TestLibrary m_library;
    MemorySettings m_settings;
    PhotoList m_list;
    std::unique_ptr<PictureShowWnd> m_show;
    std::unique_ptr<QSignalSpy> m_steps;
};

TEST_F(PictureShowWndTest, TimerStepsFromTheFirstSelectedRowAndWraps)
{
    AddPhotos({{"a", {80, 60}}, {"b", {80, 60}}, {"c", {80, 60}}});
    Select({2, 1});
    StartShow();
    EXPECT_EQ(m_show->CurrentPhoto(), nullptr);
    EXPECT_EQ(NextTimedStep(), "b");
    EXPECT_EQ(NextTimedStep(), "c");
    EXPECT_EQ(NextTimedStep(), "a");
    EXPECT_EQ(m_show->TimerInterval(), PictureShowWnd::kShortestTimerPeriod);
}

TEST_F(PictureShowWndTest, NothingSelectedStartsAtTheFirstRowAfterTheStartPeriod)
{
    AddPhotos({{"a", {80, 60}}, {"b", {80, 60}}});
    m_settings.WriteString("PictureDelay", "6");
    StartShow();
    EXPECT_EQ(m_show->TimerInterval(), PictureShowWnd::kStartPeriod);
    EXPECT_EQ(NextTimedStep(), "a");
    EXPECT_EQ(m_show->TimerInterval(), 6000);
    EXPECT_EQ(m_show->ScreenSize(), m_list.screen()->geometry().size());
}

TEST_F(PictureShowWndTest, PausedShowStandsStillWhileClicksStepBothWays)
{
    AddPhotos({{"a", {80, 60}}, {"b", {80, 60}}, {"c", {80, 60}}});
    m_settings.WriteString("PictureDelay", "1");
    StartShow();
    ASSERT_EQ(NextTimedStep(), "a");

    // A double click's first press shortens the delay (here onto the floor) before it pauses.
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton);
    Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton);
    EXPECT_TRUE(m_show->State().IsPaused());
    EXPECT_FALSE(m_show->IsTimerActive());
    EXPECT_EQ(m_show->State().Delay(), 2000u);

    Mouse(QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_EQ(Shown(), "b");
    Mouse(QEvent::MouseButtonPress, Qt::RightButton);
    Mouse(QEvent::MouseButtonPress, Qt::RightButton);
    EXPECT_EQ(Shown(), "c");
    Mouse(QEvent::MouseButtonDblClick, Qt::RightButton);
    EXPECT_EQ(Shown(), "c");
    EXPECT_FALSE(m_show->IsTimerActive());

    // Paused, a double click steps on its first press and again as it resumes.
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton);
    Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton);
    EXPECT_EQ(Shown(), "b");
    EXPECT_FALSE(m_show->State().IsPaused());
    EXPECT_TRUE(m_show->IsTimerActive());
    EXPECT_EQ(m_show->TimerInterval(), 2000);
}

TEST_F(PictureShowWndTest, KeysStepPauseAndEndMakingTheLastPhotoCurrent)
{
    AddPhotos({{"a", {80, 60}}, {"b", {80, 60}}, {"c", {80, 60}}});
    m_settings.WriteString("PictureDelay", "6");
    StartShow();
    ASSERT_EQ(NextTimedStep(), "a");

    const struct {
        int key;
        const char* shown;
    } presses[] = {{Qt::Key_Down, "b"},
                   {Qt::Key_PageDown, "c"},
                   {Qt::Key_PageDown, "a"},
                   {Qt::Key_Up, "c"},
                   {Qt::Key_PageUp, "b"}};
    for (const auto& press : presses) {
        Release(press.key);
        EXPECT_EQ(Shown(), press.shown) << press.key;
    }
    Send(QEvent::KeyPress, Qt::Key_Down);
    Send(QEvent::KeyPress, Qt::Key_Down, true);
    Send(QEvent::KeyRelease, Qt::Key_Down, true);
    EXPECT_EQ(Shown(), "b") << "a held key acts once, when let go";
    Send(QEvent::KeyRelease, Qt::Key_Down);
    EXPECT_EQ(Shown(), "c");
    Send(QEvent::KeyRelease, Qt::Key_Return);
    EXPECT_EQ(Shown(), "c") << "a key pressed before the show does not end it";
    Release(Qt::Key_Up);
    Release(Qt::Key_End);
    EXPECT_TRUE(m_show->State().IsPaused());
    Release(Qt::Key_End);
    EXPECT_EQ(Shown(), "c");
    EXPECT_FALSE(m_show->State().IsPaused());

    QSignalSpy ended(m_show.get(), &PictureShowWnd::ended);
    Select({0});
    Release(Qt::Key_Home);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(m_show->isVisible());
    EXPECT_FALSE(m_show->IsTimerActive());
    EXPECT_FALSE(m_show->CurrentPicture().HasPicture());
    ASSERT_NE(m_list.CurrentPhoto(), nullptr);
    EXPECT_EQ(m_list.CurrentPhoto()->GetFileName(), "c");
    EXPECT_EQ(m_list.FirstSelectedRow(), 2);
    m_show.reset();
    EXPECT_EQ(ended.count(), 1) << "the end is told once";
}

TEST_F(PictureShowWndTest, EndedBeforeTheFirstPictureLeavesTheListAsItWas)
{
    AddPhotos({{"a", {80, 60}}, {"b", {80, 60}}});
    Select({1});
    StartShow();
    Release(Qt::Key_Escape);
    EXPECT_EQ(m_list.CurrentPhoto(), nullptr);
    EXPECT_EQ(m_list.FirstSelectedRow(), 1);
    EXPECT_FALSE(m_steps->wait(300)) << "no step after the end";
}

TEST_F(PictureShowWndTest, TextBandGrowsWithLongNotesAndThePictureShrinksAboveIt)
{
    const PhotoRecord& tall = m_library.Add("tall", 1, 2, 2003);
    m_library.WritePicture(Version::FullScreen, "tall", 300, 400);
    PhotoRecord notes(tall);
    notes.SetNotes(QStringLiteral("many words in the notes ").repeated(200).toStdString());
    m_library.GetLibrary().ChangePhoto(tall, notes);
    PhotoRecord blank;
    blank.SetFileName("blank");
    m_library.GetLibrary().AddPhoto(blank);
    m_library.WritePicture(Version::FullScreen, "blank", 300, 400);
    m_list.FillFromCatalog();
    for (const char* key :
         {"PictureShowDate", "PictureShowPersons", "PictureShowEvents", "PictureShowNotes"})
        m_settings.WriteInt(key, 1);
    m_settings.WriteString("PictureDelay", "6");
    StartShow();
    ASSERT_EQ(NextTimedStep(), "tall");

    const QSize screen = m_show->ScreenSize();
    const int lineHeight = QFontMetrics(m_show->font()).height();
    EXPECT_TRUE(m_show->OverlayText().startsWith(QStringLiteral("1/02/2003   many words")));
    EXPECT_GT(m_show->OverlayHeight(), 2 * lineHeight);
    const QRect where = m_show->PictureRect();
    EXPECT_EQ(where.height(), screen.height() - m_show->OverlayHeight());
    EXPECT_EQ(where.top(), 0);

    // The band is white behind black text, below the picture on the dark blue.
    const QImage shot = m_show->grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    const auto at = [&](int x, int y) { return QColor(shot.pixel(QPoint(x, y) * ratio)).rgb(); };
    EXPECT_EQ(at(0, 0), PictureShowWnd::kBackground.rgb());
    EXPECT_EQ(at(where.left() + 2, where.top() + 2), QColor(230, 200, 40).rgb());
    int white = 0;
    int navy = 0;
    for (int y = screen.height() - m_show->OverlayHeight(); y < screen.height(); ++y) {
        for (int x = screen.width() / 4; x < screen.width() * 3 / 4; ++x) {
            white += at(x, y) == QColor(Qt::white).rgb() ? 1 : 0;
            navy += at(x, y) == PictureShowWnd::kBackground.rgb() ? 1 : 0;
        }
    }
    EXPECT_EQ(navy, 0);
    EXPECT_GT(white, m_show->OverlayHeight() * screen.width() / 4);

    Release(Qt::Key_Down);
    ASSERT_EQ(Shown(), "blank");
    EXPECT_TRUE(m_show->OverlayText().isEmpty()) << "a photo with nothing to tell reserves no band";
    EXPECT_EQ(m_show->OverlayHeight(), 0);
    EXPECT_EQ(m_show->PictureRect().height(), screen.height())
        << "fitted, enlarged, to the whole screen";
    EXPECT_EQ(m_show->PictureRect().left(), screen.width() - 1 - m_show->PictureRect().right())
        << "centred";
}

TEST_F(PictureShowWndTest, UnreadablePictureShowsOnlyTheBackgroundAndTheText)
{
    AddPhotos({{"broken", {}}, {"missing", {}}, {"there", {80, 60}}});
    WriteBytes(m_library.VersionPath(Version::FullScreen, "broken"), "not a JPEG file");
    m_settings.WriteInt("PictureShowEvents", 1);
    m_settings.WriteString("PictureDelay", "6");
    StartShow();
    ASSERT_EQ(NextTimedStep(), "broken");
    EXPECT_FALSE(m_show->CurrentPicture().HasPicture());
    Release(Qt::Key_Down);
    ASSERT_EQ(Shown(), "missing");
    EXPECT_FALSE(m_show->CurrentPicture().HasPicture());
    EXPECT_TRUE(m_show->PictureRect().isEmpty());
    EXPECT_EQ(m_show->OverlayText(), QStringLiteral("Party   Paris France   "));
    EXPECT_TRUE(m_library.Prompter().Texts().empty());
    const QImage shot = m_show->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(shot.width() / 2, 10)).rgb(), PictureShowWnd::kBackground.rgb());
    Release(Qt::Key_Down);
    EXPECT_TRUE(m_show->CurrentPicture().HasPicture());
}

TEST_F(PictureShowWndTest, LibraryReplacedEndsTheShowWithoutTouchingItsRecords)
{
    AddPhotos({{"a", {80, 60}}});
    StartShow();
    ASSERT_EQ(NextTimedStep(), "a");
    QSignalSpy ended(m_show.get(), &PictureShowWnd::ended);
    m_library.GetLibrary().Close();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(m_show->CurrentPhoto(), nullptr);
    EXPECT_EQ(m_list.CurrentPhoto(), nullptr);
}

// Asked for, each paint of a step writes its time and the step's own; the step finds
// its picture decoded ahead.
TEST_F(PictureShowWndTest, PaintTimesAreWrittenWhenAskedFor)
{
    AddPhotos({{"a", {80, 60}}, {"b", {80, 60}}});
    qputenv(PictureShowWnd::kPaintTimesVariable, "1");
    testing::internal::CaptureStderr();
    StartShow();
    qunsetenv(PictureShowWnd::kPaintTimesVariable);
    const bool stepped = NextTimedStep() == "a";
    m_show->grab();
    const std::string written = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(stepped);
    EXPECT_NE(written.find("picture show: row 0: step "), std::string::npos) << written;
    EXPECT_NE(written.find(" ms, paint "), std::string::npos) << written;
}

} // namespace
