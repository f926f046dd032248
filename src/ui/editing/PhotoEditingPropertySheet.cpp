#include "ui/editing/PhotoEditingPropertySheet.h"

#include "core/PhotoRecord.h"
#include "core/Prompter.h"
#include "store/EditedPhotoSaver.h"
#include "store/Library.h"
#include "store/PictureStore.h"
#include "ui/common/WaitCursor.h"
#include "ui/editing/BrightnessPage.h"
#include "ui/editing/ClipPage.h"
#include "ui/editing/ColorBalancePage.h"
#include "ui/editing/RotatePage.h"

#include <QDialogButtonBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QThread>
#include <QVBoxLayout>

#include <memory>
#include <utility>

PhotoEditingPropertySheet::PhotoEditingPropertySheet(Library& library, const PhotoRecord& photo,
                                                     const Settings& settings, Prompter& prompter,
                                                     const img::Palette& palette, Start start,
                                                     QWidget* parent)
    : QDialog(parent), m_library(library), m_photo(photo), m_settings(settings),
      m_prompter(prompter), m_palette(palette), m_fileName(photo.GetFileName())
{
    setWindowTitle(Caption(start));
    // The pages are laid out for an 8-point font (the templates' "MS Sans Serif" 8);
    // at the desktop's usual 10 points their texts would not fit the buttons.
    QFont pageFont = font();
    pageFont.setPointSizeF(8);
    setFont(pageFont);
    const PictureStore store(m_library.Directory(), m_settings);
    const PhotoEditSource::Result loaded =
        PhotoEditSource::Load(store, m_fileName, start, m_source);
    m_sourceVersion = loaded.version;
    if (loaded.outcome == PhotoEditSource::Outcome::NoOriginal) m_prompter.Message(kNoOriginal);
    if (loaded.outcome == PhotoEditSource::Outcome::Unreadable) {
        // Where the sheet used to end without a word, the user is told why.
        m_prompter.Message(kNoFullScreen);
    }
    m_working.CopyFrom(m_source);

    m_tabs = new QTabWidget(this);
    m_rotate = new RotatePage(*this);
    m_clip = new ClipPage(*this);
    m_brightness = new BrightnessPage(*this);
    m_colorBalance = new ColorBalancePage(*this);
    m_pages = {m_rotate, m_clip, m_brightness, m_colorBalance};
    // The captions' trailing blanks widened the old tabs to fill the row; here they
    // would push the last tab out of sight, so the tab bar is left to share the row.
    for (EditingPage* page : m_pages)
        m_tabs->addTab(page, page->Caption().trimmed());
    m_tabs->tabBar()->setExpanding(true);

    m_busyBar = new QProgressBar(this);
    m_busyBar->setRange(0, 0); // no measure of the work: a bar that only moves
    m_busyBar->setTextVisible(false);
    m_busyBar->setAccessibleName(QStringLiteral("Working"));
    m_busyBar->setMaximumHeight(10);
    // The sheet keeps its size while the bar comes and goes.
    QSizePolicy keepRoom = m_busyBar->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    m_busyBar->setSizePolicy(keepRoom);
    m_busyBar->hide();

    m_buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    ResetButton().setText(QStringLiteral("Reset"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(&ResetButton(), &QPushButton::clicked, this, &PhotoEditingPropertySheet::OnReset);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_busyBar);
    layout->addWidget(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_tabs, &QTabWidget::currentChanged, this, &PhotoEditingPropertySheet::OnPageChanged);
}

PhotoEditingPropertySheet::~PhotoEditingPropertySheet() = default;

QString PhotoEditingPropertySheet::Caption(Start start)
{
    return start == Start::Original ? QStringLiteral("Picture Editing from Original")
                                    : QStringLiteral("Picture Editing");
}

QPushButton& PhotoEditingPropertySheet::ResetButton() const
{
    return *m_buttons->button(QDialogButtonBox::Apply);
}

void PhotoEditingPropertySheet::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_activePage < 0) OnPageChanged(m_tabs->currentIndex());
}

void PhotoEditingPropertySheet::keyPressEvent(QKeyEvent* event)
{
    // Escape belongs to a drag on the clip page while one runs.
    if (event->key() == Qt::Key_Escape && m_clip->IsTracking()) {
        m_clip->CancelTracking();
        return;
    }
    QDialog::keyPressEvent(event);
}

void PhotoEditingPropertySheet::OnPageChanged(int index)
{
    if (index == m_activePage || index < 0) return;
    if (m_activePage >= 0) m_pages[static_cast<std::size_t>(m_activePage)]->OnKillActive();
    m_activePage = index;
    m_pages[static_cast<std::size_t>(index)]->Activate();
}

void PhotoEditingPropertySheet::RunBusy(const std::function<void()>& work)
{
    const WaitCursor cursor;
    m_busy = true;
    m_tabs->setEnabled(false);
    m_buttons->setEnabled(false);
    m_busyBar->show();
    const std::unique_ptr<QThread> worker(QThread::create(work));
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    // The quit is queued to this thread, so a worker that is done before exec() still ends it.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    m_busyBar->hide();
    m_buttons->setEnabled(true);
    m_tabs->setEnabled(true);
    m_busy = false;
    if (const std::optional<int> pending = std::exchange(m_pendingDone, std::nullopt)) {
        QMetaObject::invokeMethod(
            this, [this, result = *pending] { done(result); }, Qt::QueuedConnection);
    }
}

void PhotoEditingPropertySheet::ChangeWorkingPicture(const std::function<void(Picture&)>& change)
{
    RunBusy([this, &change] { change(m_working); });
}

void PhotoEditingPropertySheet::OnReset()
{
    if (m_busy) return;
    m_working.CopyFrom(m_source);
    for (EditingPage* page :
         {static_cast<EditingPage*>(m_brightness), static_cast<EditingPage*>(m_clip),
          static_cast<EditingPage*>(m_colorBalance), static_cast<EditingPage*>(m_rotate)}) {
        if (page->IsCreated()) page->OnReset();
    }
    m_modified = false;
}

void PhotoEditingPropertySheet::done(int result)
{
    if (m_busy) {
        m_pendingDone = result;
        return;
    }
    if (result == QDialog::Accepted) {
        if (m_activePage >= 0) m_pages[static_cast<std::size_t>(m_activePage)]->OnKillActive();
    } else {
        for (EditingPage* page : m_pages) {
            if (page->IsCreated()) page->OnCancel();
        }
    }
    if (m_modified) Resave();
    m_modified = false;
    QDialog::done(result);
}

void PhotoEditingPropertySheet::Resave()
{
    const PictureStore store(m_library.Directory(), m_settings);
    std::vector<VersionFailure> failures;
    RunBusy([&] {
        failures = EditedPhotoSaver::Save(store, m_settings, m_fileName, m_sourceVersion, m_working,
                                          m_source);
    });
    for (const VersionFailure& failure : failures)
        m_prompter.Message(FailureMessage(failure));
    m_library.PicturesChanged(m_photo);
}
