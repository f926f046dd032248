#pragma once

#include "core/NameKind.h"

#include <QObject>

#include <memory>
#include <string>
#include <vector>

struct CommandContext;
class FileChooser;
class LibraryCommands;

// The commands that add photos from files (one, or several in turn) and edit a photo's information or the
// name lists: "Add photo from file", "Edit Photo Information" (also the photo list's
// double-click), "Edit Names", "Edit Events" and "Edit Location".
class PhotoCommands : public QObject {
    Q_OBJECT
public:
    // Pictures are chosen through pictureChooser, or, without one, through the file
    // dialog that previews them. A photo added is saved through the library commands.
    PhotoCommands(CommandContext& context, LibraryCommands& files,
                  FileChooser* pictureChooser = nullptr);
    ~PhotoCommands() override;

    // The dialog matches patterns without regard to case. The long extensions that the
    // picture reader accepts are listed too, and "All files" is "*" because "*.*" would
    // hide the many Linux files that have no extension.
    static constexpr const char* kImageFilter =
        "Image Files (jpg,bmp,gif,pcx,png,tiff) (*.BMP *.JPG *.JPEG *.PCX *.PNG *.TIF *.TIFF *.GIF);;"
        " JPG Files (*.JPG *.JPEG);; PNG Files (*.PNG);; TIFF Files (*.TIF *.TIFF);; BMP Files (*.BMP);;"
        " PCX Files (*.PCX);; GIF Files (*.GIF);; All files (*)";

public Q_SLOTS:
    void OnAddPhotoFromFile();
    // The menu command edits the current photo, once a row is selected.
    void OnEditPhotoInformation();
    // The list's double-click edits the row's photo, whatever is selected.
    void OnEditPhotoAtRow(int row);
    void OnEditNames(NameKind kind);

private:
    enum class AddOutcome { Added, Cancelled, NotAPicture };
    struct BatchPlace;

    void Connect();
    // The photo dialog for each file in turn, until the user cancels one.
    void AddFiles(const std::vector<std::string>& paths);
    // Loads the file and runs the photo dialog in add mode; place is null for a file
    // chosen alone, else its place in the batch, which takes what OK carries over.
    AddOutcome AddFile(const std::string& path, BatchPlace* place);
    // Where the picture dialog opens: the folder last added from, else the user's
    // Pictures folder, else home; never the program's working folder.
    std::string AddFolder() const;
    // The photo dialog in edit mode for the row's photo, with the row's thumbnail.
    void EditPhoto(int row);

    CommandContext& m_context;
    LibraryCommands& m_files;
    std::unique_ptr<FileChooser> m_ownChooser;
    FileChooser& m_pictureChooser;
};
