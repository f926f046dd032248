#include "ui/main/PhotoCommands.h"

#include "core/PhotoRecord.h"
#include "base/FileOps.h"
#include "core/Prompter.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "imaging/Imaging.h"
#include "imaging/Picture.h"
#include "store/PhotoAdder.h"
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

void PhotoCommands::OnAddPhotoFromFile()
{
    FileRequest request;
    request.filter = kImageFilter;
    request.flags = FileFlag::MustExist;
    request.directory = AddFolder();
    const std::optional<std::string> path = m_pictureChooser.Choose(request);
    if (!path) return;
    if (!path->empty()) {
        m_context.settings.WriteString(SettingsKeys::LastAddFolder.name, FileOps::DirectoryOf(*path));
    }

    Picture picture;
    const int loaded = path->empty() ? Picture::kEmptyPath : picture.LoadFile(*path);
    if (!picture.HasPicture()) {
        m_context.prompter.Message(LoadFailureMessage(loaded));
        return;
    }
    PhotoDialogHost host{m_context.library, m_context.prompter, m_context.settings,
                         m_context.dialogs, [this] { return m_files.Save(); }};
    DialogGuard<PhotoInfoDialog> dialog(host, &picture, PhotoAdder::SuggestedName(*path), nullptr,
                                        &m_context.window);
    if (const auto taken = img::ReadExifDateTaken(*path)) {
        if (const auto date = PhotoAdder::DateFromExif(*taken)) dialog->SetDateText(*date);
    }
    m_context.dialogs.Run(*dialog.get());
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
