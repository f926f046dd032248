#include "ui/main/PhotoCommands.h"

#include "core/PhotoRecord.h"
#include "base/FileOps.h"
#include "core/Prompter.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "imaging/Imaging.h"
#include "imaging/Picture.h"
#include "store/PhotoAdder.h"
#include "store/PhotoEntry.h"
#include "store/PictureLoadFailure.h"
#include "ui/browse/PhotoList.h"
#include "ui/common/DialogGuard.h"
#include "ui/common/DialogRunner.h"
#include "ui/dialogs/EditNameListDialog.h"
#include "ui/dialogs/PhotoInfoDialog.h"
#include "ui/dialogs/PreviewFileChooser.h"
#include "ui/main/CommandContext.h"
#include "ui/main/CommandSet.h"
#include "ui/main/LibraryCommands.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStatusBar>

namespace {

constexpr std::string_view kNoSelection = "Picture must be selected before operation";

std::unique_ptr<FileChooser> OwnChooser(QWidget& window, FileChooser* given)
{
    if (given) return nullptr;
    return std::make_unique<PreviewFileChooser>(&window);
}

}  // namespace

PhotoCommands::PhotoCommands(CommandContext& context, LibraryCommands& files,
                             FileChooser* pictureChooser)
    : QObject(&context.window),
      m_context(context),
      m_files(files),
      m_ownChooser(OwnChooser(context.window, pictureChooser)),
      m_pictureChooser(pictureChooser ? *pictureChooser : *m_ownChooser)
{
    Connect();
}

PhotoCommands::~PhotoCommands() = default;

void PhotoCommands::Connect()
{
    const auto on = [this](CommandId id, auto handler) {
        connect(m_context.commands.Action(id), &QAction::triggered, this, handler);
    };
    on(CommandId::AddPhotoFromFile, [this] { OnAddPhotoFromFile(); });
    on(CommandId::EditPhotoInformation, [this] { OnEditPhotoInformation(); });
    on(CommandId::EditNames, [this] { OnEditNames(NameKind::Persons); });
    on(CommandId::EditEvents, [this] { OnEditNames(NameKind::Events); });
    on(CommandId::EditLocation, [this] { OnEditNames(NameKind::Locations); });
    connect(&m_context.photoList, &PhotoList::editPhotoRequested, this,
            &PhotoCommands::OnEditPhotoAtRow);
}

// Where a file stands in a batch and what the file before it carried over.
struct PhotoCommands::BatchPlace {
    int number = 0;
    int count = 0;
    std::optional<PhotoEntry> carried;
};

void PhotoCommands::OnAddPhotoFromFile()
{
    FileRequest request;
    request.filter = kImageFilter;
    request.flags = FileFlag::MustExist;
    request.directory = AddFolder();
    const std::optional<std::vector<std::string>> paths = m_pictureChooser.ChooseSeveral(request);
    if (!paths || paths->empty()) return;
    if (!paths->front().empty()) {
        m_context.settings.WriteString(SettingsKeys::LastAddFolder.name,
                                       FileOps::DirectoryOf(paths->front()));
    }
    if (paths->size() == 1) {
        AddFile(paths->front(), nullptr);
    } else {
        AddFiles(*paths);
    }
}

// Each photo is saved as its dialog ends, so a batch cancelled half-way keeps what it
// added; a file that gives no picture is passed over once the user has seen why.
void PhotoCommands::AddFiles(const std::vector<std::string>& paths)
{
    auto* statusBar = m_context.window.findChild<QStatusBar*>();
    BatchPlace place{0, static_cast<int>(paths.size()), std::nullopt};
    for (const std::string& path : paths) {
        ++place.number;
        if (statusBar) {
            statusBar->showMessage(
                tr("Adding photo %1 of %2").arg(place.number).arg(place.count));
        }
        if (AddFile(path, &place) == AddOutcome::Cancelled) break;
    }
    if (statusBar) statusBar->clearMessage();
}

PhotoCommands::AddOutcome PhotoCommands::AddFile(const std::string& path, BatchPlace* place)
{
    Picture picture;
    const int loaded = path.empty() ? Picture::kEmptyPath : picture.LoadFile(path);
    if (!picture.HasPicture()) {
        std::string message(LoadFailureMessage(loaded));
        if (place) (message += '\n') += FileOps::NameOf(path);
        m_context.prompter.Message(message);
        return AddOutcome::NotAPicture;
    }
    PhotoDialogHost host{m_context.library, m_context.prompter, m_context.settings,
                         m_context.dialogs, [this] { return m_files.Save(); }};
    std::string name = PhotoAdder::SuggestedName(path);
    // One file keeps its own name and the warning that it is taken; a batch moves on
    // to a free one so that each file needs only a look.
    if (place) name = PhotoAdder(m_context.library, m_context.settings).FreeName(name);
    DialogGuard<PhotoInfoDialog> dialog(host, &picture, name, nullptr, &m_context.window);
    std::optional<std::string> date;
    if (const auto taken = img::ReadExifDateTaken(path)) date = PhotoAdder::DateFromExif(*taken);
    if (place) {
        dialog->SetBatchPlace(place->number, place->count);
        if (place->carried) {
            dialog->Carry(*place->carried);
            if (!date) date = place->carried->dateText;
        }
    }
    if (date) dialog->SetDateText(*date);
    const int result = m_context.dialogs.Run(*dialog.get());
    if (!dialog || result != QDialog::Accepted) return AddOutcome::Cancelled;
    if (place) place->carried = dialog->CarryOver();
    return AddOutcome::Added;
}

std::string PhotoCommands::AddFolder() const
{
    using SettingsKeys::LastAddFolder;
    const std::string last = m_context.settings.GetString(LastAddFolder.name, LastAddFolder.defaultValue);
    if (!last.empty() && FileOps::IsDirectory(last)) return last;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QDir(pictures).exists()) return QFile::encodeName(pictures).toStdString();
    return QFile::encodeName(QDir::homePath()).toStdString();
}

void PhotoCommands::OnEditPhotoInformation()
{
    const PhotoList& list = m_context.photoList;
    const PhotoRecord* photo = list.CurrentPhoto();
    if (!photo || list.FirstSelectedRow() < 0) {
        m_context.prompter.Message(kNoSelection);
        return;
    }
    // The preview is the edited photo's own, wherever the selection starts.
    EditPhoto(list.RowOfPhoto(photo));
}

void PhotoCommands::OnEditPhotoAtRow(int row)
{
    if (m_context.photoList.PhotoAtRow(row) != nullptr) EditPhoto(row);
}

void PhotoCommands::EditPhoto(int row)
{
    PhotoList& list = m_context.photoList;
    const PhotoRecord* photo = list.PhotoAtRow(row);
    Picture thumbnail;
    list.CopyThumbnail(row, thumbnail);
    PhotoDialogHost host{m_context.library, m_context.prompter, m_context.settings,
                         m_context.dialogs};
    DialogGuard<PhotoInfoDialog> dialog(host, &thumbnail, photo->GetFileName(), photo,
                                        &m_context.window);
    m_context.dialogs.Run(*dialog.get());
}

void PhotoCommands::OnEditNames(NameKind kind)
{
    DialogGuard<EditNameListDialog> dialog(m_context.library, kind, m_context.prompter,
                                           m_context.dialogs, &m_context.window);
    m_context.dialogs.Run(*dialog.get());
}
