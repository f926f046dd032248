#include "ui/main/MainFrame.h"

#include "store/Library.h"
#include "store/RecentFileList.h"
#include "ui/browse/PhotoList.h"
#include "ui/browse/PictureView.h"
#include "ui/common/ByteText.h"
#include "ui/common/DialogGuard.h"
#include "ui/main/AboutBox.h"
#include "ui/main/CommandSet.h"
#include "ui/main/CommandState.h"
#include "ui/main/DeleteCopyCommands.h"
#include "ui/main/EditingCommands.h"
#include "ui/main/ExportImportCommands.h"
#include "ui/main/FilterCommands.h"
#include "ui/main/FindField.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/LibraryCommands.h"
#include "ui/main/LockIndicators.h"
#include "ui/main/PhotoCommands.h"
#include "ui/main/PictureShowCommands.h"
#include "ui/main/PrintCommands.h"
#include "ui/main/ScannerCommands.h"
#include "ui/main/TagCommands.h"
#include "ui/output/OptionsDialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSizeGrip>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

namespace {

constexpr int kPictureViewShare = 7;  // tenths of the width
constexpr int kPhotoListShare = 3;

}  // namespace

MainFrame::MainFrame(Prompter& prompter, FileChooser& fileChooser, Settings& settings,
                     RecentFileList& recentFiles, DialogRunner& dialogs, QWidget* parent)
    : QMainWindow(parent),
      m_settings(settings),
      m_recentFiles(recentFiles),
      m_library(new Library(this)),
      m_state(new CommandState(this)),
      m_commands(new CommandSet(this))
{
    setWindowTitle(QStringLiteral("Quillery"));
    BuildBars();
    BuildClientArea();
    m_context = std::make_unique<CommandContext>(*m_library, prompter, fileChooser, dialogs,
                                                 settings, *m_commands, *m_state, *m_photoList,
                                                 *m_pictureView, *this);
    m_libraryCommands = new LibraryCommands(*m_context, m_recentFiles, this);
    new PhotoCommands(*m_context, *m_libraryCommands);
    new DeleteCopyCommands(*m_context, *m_libraryCommands);
    auto* filters = new FilterCommands(*m_context);
    findChild<QToolBar*>(QStringLiteral("mainToolBar"))->addWidget(&filters->Field());
    new TagCommands(*m_context, *m_libraryCommands);
    new PictureShowCommands(*m_context);
    new PrintCommands(*m_context);
    new EditingCommands(*m_context);
    new ExportImportCommands(*m_context);
    new ScannerCommands(*m_context, *m_libraryCommands);
    ConnectCommands();
    ConnectViews();
    RebuildRecentFiles();
    UpdateCommandStates();
}

MainFrame::~MainFrame() = default;

QAction* MainFrame::Action(CommandId id) const
{
    return m_commands->Action(id);
}

void MainFrame::BuildBars()
{
    m_commands->BuildMenuBar(*menuBar());
    m_fileMenu = menuBar()->findChildren<QMenu*>().value(0);

    auto* toolBar = addToolBar(QStringLiteral("Toolbar"));
    toolBar->setObjectName(QStringLiteral("mainToolBar"));
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolBar->setIconSize(QSize(22, 22));
    m_commands->BuildToolBar(*toolBar);
    for (const CommandId id : {CommandId::NextPane, CommandId::PreviousPane}) addAction(Action(id));

    m_contextMenu = new QMenu(this);
    m_commands->BuildContextMenu(*m_contextMenu);

    // The message pane is an ordinary widget, so prompts shown while a command is
    // highlighted cover it and "Ready" comes back when they go.
    auto* messagePane = new QLabel(QStringLiteral("Ready"), statusBar());
    messagePane->setAccessibleDescription(QStringLiteral("Messages and command prompts"));
    statusBar()->addWidget(messagePane, 1);
    statusBar()->setAccessibleName(QStringLiteral("Status bar"));
    statusBar()->setAccessibleDescription(
        QStringLiteral("Messages, the count of listed photos and the lock keys"));
    m_countPane = new QLabel(QStringLiteral("Image Count"), statusBar());
    m_countPane->setObjectName(QStringLiteral("countPane"));
    m_countPane->setAccessibleDescription(
        QStringLiteral("Photos in the list of the photos in the library"));
    m_countPane->setAlignment(Qt::AlignCenter);
    statusBar()->addPermanentWidget(m_countPane);
    m_lockIndicators = new LockIndicators(*statusBar());
    if (auto* grip = statusBar()->findChild<QSizeGrip*>()) {
        grip->setAccessibleName(QStringLiteral("Size grip"));
        grip->setAccessibleDescription(QStringLiteral("Drag to change the window's size"));
    }
}

void MainFrame::BuildClientArea()
{
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_pictureView = new PictureView(m_splitter);
    m_photoList = new PhotoList(m_splitter);
    m_splitter->addWidget(m_pictureView);
    m_splitter->addWidget(m_photoList);
    m_splitter->setStretchFactor(0, kPictureViewShare);
    m_splitter->setStretchFactor(1, kPhotoListShare);
    m_splitter->setSizes({kPictureViewShare * 1000, kPhotoListShare * 1000});
    m_splitter->setChildrenCollapsible(false);
    setCentralWidget(m_splitter);

    // F6 moves between the panes, so the picture pane has to take the focus.
    m_pictureView->setFocusPolicy(Qt::StrongFocus);
    m_pictureView->SetLibrary(m_library);
    m_photoList->SetLibrary(m_library);
    m_photoList->SetSettings(&m_settings);
    m_photoList->SetContextMenu(m_contextMenu);
}

void MainFrame::ConnectCommands()
{
    connect(Action(CommandId::Exit), &QAction::triggered, this, &QWidget::close);
    connect(Action(CommandId::Options), &QAction::triggered, this, &MainFrame::OnOptions);
    connect(Action(CommandId::HelpTopics), &QAction::triggered, this, &MainFrame::OnHelpTopics);
    connect(Action(CommandId::About), &QAction::triggered, this, &MainFrame::OnAbout);
    connect(Action(CommandId::NextPane), &QAction::triggered, this, [this] { SwitchPane(1); });
    connect(Action(CommandId::PreviousPane), &QAction::triggered, this, [this] { SwitchPane(-1); });

    QToolBar* toolBar = findChild<QToolBar*>(QStringLiteral("mainToolBar"));
    QAction* showToolBar = Action(CommandId::ViewToolbar);
    showToolBar->setCheckable(true);
    showToolBar->setChecked(true);
    connect(showToolBar, &QAction::toggled, toolBar, &QWidget::setVisible);
    connect(toolBar, &QToolBar::visibilityChanged, showToolBar, &QAction::setChecked);

    QAction* showStatusBar = Action(CommandId::ViewStatusBar);
    showStatusBar->setCheckable(true);
    showStatusBar->setChecked(true);
    connect(showStatusBar, &QAction::toggled, statusBar(), &QWidget::setVisible);

    QAction* fit = Action(CommandId::FitToWindow);
    fit->setCheckable(true);
    fit->setChecked(m_pictureView->FitToWindow());
    connect(fit, &QAction::toggled, m_pictureView, &PictureView::SetFitToWindow);
    connect(m_pictureView, &PictureView::fitToWindowChanged, fit, &QAction::setChecked);
}

void MainFrame::ConnectViews()
{
    connect(m_photoList, &PhotoList::currentPhotoChanged, this, [this](const PhotoRecord* photo) {
        m_pictureView->ShowPhoto(photo);
        UpdateCommandStates();
    });
    // The list changes its rows for every library replaced and photo added, so the
    // count follows the rows; a photo removed changes the catalog's count after its
    // row went, and even where it had none.
    connect(m_photoList, &PhotoList::rowsChanged, this, &MainFrame::UpdatePhotoCount);
    connect(m_library, &Library::photoRemoved, this, &MainFrame::UpdatePhotoCount);
    // A mend made without a question is told where the user looks without being
    // stopped: in the message pane, until the next prompt there.
    connect(m_library, &Library::leftoversMended, this, [this](const std::string& note) {
        statusBar()->showMessage(ByteText::ToDisplay(note));
    });
    connect(m_state, &CommandState::changed, this, &MainFrame::UpdateCommandStates);
    connect(m_photoList, &PhotoList::selectedRowsChanged, this, &MainFrame::UpdateCommandStates);
    connect(m_libraryCommands, &LibraryCommands::recentFilesChanged, this,
            &MainFrame::RebuildRecentFiles);
}

QString MainFrame::PhotoCountText() const
{
    return QStringLiteral("%1 of %2").arg(m_photoList->RowCount()).arg(m_library->Catalog().PhotoCount());
}

void MainFrame::UpdatePhotoCount()
{
    m_countPane->setText(PhotoCountText());
    UpdateCommandStates();
}

void MainFrame::UpdateCommandStates()
{
    m_commands->Apply({.libraryOpen = m_library->IsOpen(),
                       .currentPhoto = m_photoList->CurrentPhoto() != nullptr,
                       .pictureShowRunning = m_state->IsPictureShowRunning(),
                       .readOnly = m_library->IsReadOnly(),
                       .rowsSelected = m_photoList->HasSelectedRows()});
}

void MainFrame::RebuildRecentFiles()
{
    for (QAction* action : std::as_const(m_recentActions)) delete action;
    m_recentActions.clear();

    QAction* placeholder = Action(CommandId::RecentFile);
    const std::vector<std::string> entries = m_recentFiles.Entries();
    placeholder->setVisible(entries.empty());
    placeholder->setEnabled(false);
    for (size_t index = 0; index < entries.size(); ++index) {
        QString shown = QFile::decodeName(entries[index].c_str());
        shown.replace(u'&', QStringLiteral("&&"));
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(index + 1).arg(shown), this);
        action->setStatusTip(placeholder->statusTip());
        const std::string path = entries[index];
        connect(action, &QAction::triggered, this,
                [this, path] { m_libraryCommands->OpenLibraryByName(path); });
        m_fileMenu->insertAction(placeholder, action);
        m_recentActions.append(action);
    }
}

void MainFrame::SwitchPane(int step)
{
    const int count = m_splitter->count();
    int current = 0;
    for (int index = 0; index < count; ++index) {
        QWidget* pane = m_splitter->widget(index);
        if (pane->isAncestorOf(focusWidget()) || pane == focusWidget()) current = index;
    }
    m_splitter->widget((current + step + count) % count)->setFocus(Qt::ShortcutFocusReason);
}

void MainFrame::OnOptions()
{
    DialogGuard<OptionsDialog> dialog(m_settings, this);
    dialog->exec();
}

void MainFrame::OnHelpTopics()
{
    if (!m_helpWindow) m_helpWindow = new HelpWindow(this);
    m_helpWindow->ShowIndex();
}

void MainFrame::OnAbout()
{
    DialogGuard<AboutBox> about(this);
    about->exec();
}

void MainFrame::closeEvent(QCloseEvent* event)
{
    if (!m_libraryCommands->MayClose()) {
        event->ignore();
        return;
    }
    m_closed = true;
    if (m_helpWindow) m_helpWindow->close();
    event->accept();
}
