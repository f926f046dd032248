#pragma once

#include "imaging/Imaging.h"
#include "imaging/Picture.h"
#include "store/PhotoEditSource.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class BrightnessPage;
class ClipPage;
class ColorBalancePage;
class EditingPage;
class Library;
class PhotoRecord;
class Prompter;
class QDialogButtonBox;
class QProgressBar;
class QPushButton;
class QTabWidget;
class RotatePage;
class Settings;

// The tabbed sheet in which the picture of a photo is edited: rotate, clip,
// brightness and sharpness, colour balance. The pages change a working copy of the
// version loaded; closing with a change that was neither reset nor cancelled writes
// it back over the photo's versions, and the library announces the photo as changed.
//
// Work on the whole picture (a page's change applied as it is left, the writing of
// the versions) runs off the interface thread: the sheet keeps painting and shows a
// busy bar, and what would follow (another page, Reset, the close) waits for it.
class PhotoEditingPropertySheet : public QDialog {
    Q_OBJECT
  public:
    using Start = PhotoEditSource::Start;
    using SourceVersion = PhotoEditSource::Version;

    static constexpr std::string_view kNoOriginal =
        "Neither the original or high resolution version of photo can be found";
    static constexpr std::string_view kNoFullScreen =
        "The full screen version of photo cannot be loaded";

    // Loads the source version at once; a message says when there is none (HasSource).
    PhotoEditingPropertySheet(Library& library, const PhotoRecord& photo, const Settings& settings,
                              Prompter& prompter, const img::Palette& palette, Start start,
                              QWidget* parent = nullptr);
    ~PhotoEditingPropertySheet() override;

    static QString Caption(Start start);

    // False when no version could be loaded: the sheet is then not to be shown.
    bool HasSource() const { return m_source.HasPicture(); }
    SourceVersion Source() const { return m_sourceVersion; }
    const Picture& SourcePicture() const { return m_source; }
    const Picture& WorkingPicture() const { return m_working; }
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }
    const img::Palette& ViewPalette() const { return m_palette; }

    // Changes the working picture off the interface thread and returns when it is done.
    void ChangeWorkingPicture(const std::function<void(Picture&)>& change);
    bool IsBusy() const { return m_busy; }

    // The "Reset" button: the working picture as loaded again, and every page as entered.
    void OnReset();
    void done(int result) override;

    QTabWidget& Tabs() const { return *m_tabs; }
    QPushButton& ResetButton() const;
    QDialogButtonBox& Buttons() const { return *m_buttons; }
    RotatePage& Rotate() const { return *m_rotate; }
    ClipPage& Clip() const { return *m_clip; }
    BrightnessPage& Brightness() const { return *m_brightness; }
    ColorBalancePage& ColorBalance() const { return *m_colorBalance; }

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void OnPageChanged(int index);
    void RunBusy(const std::function<void()>& work);
    void Resave();

    Library& m_library;
    const PhotoRecord& m_photo;
    const Settings& m_settings;
    Prompter& m_prompter;
    const img::Palette& m_palette;
    const std::string m_fileName;
    Picture m_source;
    Picture m_working;
    SourceVersion m_sourceVersion = SourceVersion::FullScreen;
    bool m_modified = false;
    bool m_busy = false;
    // A close asked for while busy, carried out when the work is done.
    std::optional<int> m_pendingDone;
    int m_activePage = -1;

    QTabWidget* m_tabs = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QProgressBar* m_busyBar = nullptr;
    RotatePage* m_rotate = nullptr;
    ClipPage* m_clip = nullptr;
    BrightnessPage* m_brightness = nullptr;
    ColorBalancePage* m_colorBalance = nullptr;
    std::array<EditingPage*, 4> m_pages{};
};
