#include "app/QuilleryApp.h"

#include "QuilleryVersion.h"

#include "app/FirstPaintReport.h"
#include "core/FirstRunSetup.h"
#include "store/Library.h"
#include "ui/main/IconTheme.h"
#include "ui/main/LibraryCommands.h"
#include "ui/main/MainFrame.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QScreen>
#include <QStandardPaths>

QuilleryApp::QuilleryApp() : m_recentFiles(m_settings.FilePath()) {}

QuilleryApp::~QuilleryApp() = default;

bool QuilleryApp::InitInstance(const std::vector<std::string>& arguments)
{
    QApplication::setApplicationName(QStringLiteral("Quillery"));
    QApplication::setOrganizationName(QStringLiteral("Quillery"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLERY_VERSION));
    IconTheme::Ensure();
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("camera-photo")));

    m_frame = std::make_unique<MainFrame>(m_prompter, m_fileChooser, m_settings, m_recentFiles,
                                          m_dialogs);
    m_prompter.SetOwner(m_frame.get());
    m_fileChooser.SetOwner(m_frame.get());
    FirstRunSetup(m_settings, m_prompter, FirstRunPlacesOfThisRun()).Check();

    FirstPaintReport::Arm(m_frame->Context().photoList);
    const std::string library = LibraryArgument(arguments);
    if (!library.empty()) OpenDocumentFile(library);
    if (m_frame->HasClosed()) return false;

    // A bare X server without a window manager ignores the request to maximise;
    // starting at the screen's available size looks the same either way.
    if (const QScreen* screen = m_frame->screen()) m_frame->resize(screen->availableGeometry().size());
    m_frame->showMaximized();
    return true;
}

const CQuilleryDoc& QuilleryApp::OpenDocumentFile(const std::string& path)
{
    m_frame->Files().OpenLibraryByName(path);
    return m_frame->Context().library.Catalog();
}

FirstRunPlaces QuilleryApp::FirstRunPlacesOfThisRun()
{
    FirstRunPlaces places;
    // Qt resolves the program's path through /proc, so a link in /usr/bin leads to the
    // folder that holds the manual and the sample library.
    places.programPath = QCoreApplication::applicationFilePath().toStdString();
    // An installed program's folder belongs to the system even when this user (root,
    // say) may write it: the install leaves a mark there, and each user then works on a
    // copy of the samples of their own, so that no package-owned file is ever changed.
    const QString programFolder = QCoreApplication::applicationDirPath();
    places.programFolderWritable =
        QFileInfo(programFolder).isWritable() &&
        !QFileInfo::exists(programFolder + QLatin1Char('/') + QLatin1String(kInstalledMark));
    places.dataHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
    const QString dirs =
        qEnvironmentVariable("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        places.dataDirs.push_back(dir.toStdString());
    return places;
}

std::string QuilleryApp::LibraryArgument(const std::vector<std::string>& arguments)
{
    for (size_t index = 1; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (!argument.empty() && argument.front() != '-') return argument;
    }
    return {};
}
