#pragma once

#include "core/NameKind.h"

#include <QObject>

#include <functional>
#include <memory>

class EditNameListDialog;
class FileChooser;
class MainFrame;
class PhotoInfoDialog;

// The commands that add a photo from a file and edit a photo's information or the
// name lists: "Add photo from file", "Edit Photo Information" (also the photo list's
// double-click), "Edit Names", "Edit Events" and "Edit Location".
class PhotoCommands : public QObject {
    Q_OBJECT
public:
    // Pictures are chosen through pictureChooser, or, without one, through the file
    // dialog that previews them.
    explicit PhotoCommands(MainFrame& frame, FileChooser* pictureChooser = nullptr);
    ~PhotoCommands() override;

    // How a dialog runs: modally, or as a test scripts it.
    using PhotoDialogRunner = std::function<void(PhotoInfoDialog& dialog)>;
    using NameListRunner = std::function<void(EditNameListDialog& dialog)>;
    void SetPhotoDialogRunner(PhotoDialogRunner runner) { m_runPhotoDialog = std::move(runner); }
    void SetNameListRunner(NameListRunner runner) { m_runNameList = std::move(runner); }

    // The dialog matches patterns without regard to case. The long extensions that the
    // picture reader accepts are listed too, and "All files" is "*" because "*.*" would
    // hide the many Linux files that have no extension.
    static constexpr const char* kImageFilter =
        "Image Files (jpg,bmp,gif,pcx,png,tiff) (*.BMP *.JPG *.JPEG *.PCX *.PNG *.TIF *.TIFF *.GIF);;"
        " JPG Files (*.JPG *.JPEG);; PNG Files (*.PNG);; TIFF Files (*.TIF *.TIFF);; BMP Files (*.BMP);;"
        " PCX Files (*.PCX);; GIF Files (*.GIF);; All files (*)";

public Q_SLOTS:
    void OnAddPhotoFromFile();
    void OnEditPhotoInformation();
    void OnEditNames(NameKind kind);

private:
    void Connect();

    MainFrame& m_frame;
    std::unique_ptr<FileChooser> m_ownChooser;
    FileChooser& m_pictureChooser;
    PhotoDialogRunner m_runPhotoDialog;
    NameListRunner m_runNameList;
};
