#include "ui/main/PhotoCommands.h"

#include "core/PhotoRecord.h"
#include "core/Prompter.h"
#include "imaging/Imaging.h"
#include "imaging/Picture.h"
#include "store/PhotoAdder.h"
#include "ui/browse/PhotoList.h"
#include "ui/common/DialogGuard.h"
#include "ui/dialogs/EditNameListDialog.h"
#include "ui/dialogs/PhotoInfoDialog.h"
#include "ui/dialogs/PreviewFileChooser.h"
#include "ui/main/MainFrame.h"

#include <QAction>

namespace {

constexpr std::string_view kNotAnImage = "Selected file is not a valid image file";
constexpr std::string_view kNoSelection = "Picture must be selected before operation";

std::unique_ptr<FileChooser> OwnChooser(MainFrame& frame, FileChooser* given)
{
    if (given) return nullptr;
    return std::make_unique<PreviewFileChooser>(&frame);
}

}  // namespace

PhotoCommands::PhotoCommands(MainFrame& frame, FileChooser* pictureChooser)
    : QObject(&frame),
      m_frame(frame),
      m_ownChooser(OwnChooser(frame, pictureChooser)),
      m_pictureChooser(pictureChooser ? *pictureChooser : *m_ownChooser),
      m_runPhotoDialog([](PhotoInfoDialog& dialog) { dialog.exec(); }),
      m_runNameList([](EditNameListDialog& dialog) { dialog.exec(); })
{
    Connect();
}

PhotoCommands::~PhotoCommands() = default;

void PhotoCommands::Connect()
{
    const auto on = [this](CommandId id, auto handler) {
        connect(m_frame.Action(id), &QAction::triggered, this, handler);
    };
    on(CommandId::AddPhotoFromFile, [this] { OnAddPhotoFromFile(); });
    on(CommandId::EditPhotoInformation, [this] { OnEditPhotoInformation(); });
    on(CommandId::EditNames, [this] { OnEditNames(NameKind::Persons); });
    on(CommandId::EditEvents, [this] { OnEditNames(NameKind::Events); });
    on(CommandId::EditLocation, [this] { OnEditNames(NameKind::Locations); });
    connect(m_frame.GetPhotoList(), &PhotoList::editPhotoRequested, this,
            &PhotoCommands::OnEditPhotoInformation);
}

void PhotoCommands::OnAddPhotoFromFile()
{
    FileRequest request;
    request.filter = kImageFilter;
    request.flags = FileFlag::MustExist;
    const std::optional<std::string> path = m_pictureChooser.Choose(request);
    if (!path) return;

    Picture picture;
    if (!path->empty()) picture.LoadFile(*path);
    if (!picture.HasPicture()) {
        m_frame.GetPrompter().Message(kNotAnImage);
        return;
    }
    PhotoDialogHost host{m_frame.GetPrompter(), m_frame.GetSettings(), m_frame.LibraryDirectory(),
                         [this] { return m_frame.Save(); }, [this] { m_frame.UpdatePhotoCount(); }};
    {
        DialogGuard<PhotoInfoDialog> dialog(m_frame.Catalog(), m_frame.GetPhotoList(), &picture,
                                            PhotoAdder::SuggestedName(*path), nullptr, host,
                                            &m_frame);
        if (const auto taken = img::ReadExifDateTaken(*path)) {
            if (const auto date = PhotoAdder::DateFromExif(*taken)) dialog->SetDateText(*date);
        }
        m_runPhotoDialog(*dialog.get());
    }
    m_frame.UpdatePhotoCount();
}

void PhotoCommands::OnEditPhotoInformation()
{
    PhotoList* list = m_frame.GetPhotoList();
    PhotoRecord* photo = list->CurrentPhoto();
    const int row = list->FirstSelectedRow();
    if (!photo || row < 0) {
        m_frame.GetPrompter().Message(kNoSelection);
        return;
    }
    Picture thumbnail;
    list->CopyThumbnail(row, thumbnail);
    PhotoDialogHost host{m_frame.GetPrompter(), m_frame.GetSettings(), m_frame.LibraryDirectory()};
    DialogGuard<PhotoInfoDialog> dialog(m_frame.Catalog(), list, &thumbnail, photo->GetFileName(),
                                        photo, host, &m_frame);
    m_runPhotoDialog(*dialog.get());
}

void PhotoCommands::OnEditNames(NameKind kind)
{
    DialogGuard<EditNameListDialog> dialog(m_frame.Catalog(), m_frame.GetPhotoList(), kind,
                                           m_frame.GetPrompter(), &m_frame);
    m_runNameList(*dialog.get());
}
