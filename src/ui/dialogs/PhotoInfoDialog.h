#pragma once

#include "core/NameKind.h"
#include "imaging/Picture.h"
#include "store/PhotoEntry.h"
#include "ui/dialogs/NameEntryDialog.h"
#include "core/NameKind.h"
#include "ui/dialogs/PhotoDialogHost.h"

#include <QDialog>

#include <optional>
#include <string>

class CQuilleryDoc;
class PhotoRecord;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// The information of one photo: picture file name, date, notes, persons, events and
// locations. Without a photo it adds one: OK writes the picture's versions, appends
// the record and saves the library. With a photo it edits that photo's
// information and writes no picture file. Every refusal and every step of the
// pipeline shows in the message line at the bottom.
class PhotoInfoDialog : public QDialog {
    Q_OBJECT
public:
    // picture: add mode, the picture as loaded (OK releases it once the versions are
    // written); edit mode, a copy of the photo's thumbnail. photo: null to add.
    PhotoInfoDialog(PhotoDialogHost& host, Picture* picture, std::string fileName,
                    const PhotoRecord* photo, QWidget* parent = nullptr);

    // The date offered before the user types one (add mode: the camera's date).
    void SetDateText(const std::string& dateText);

    // Add mode, one of several files added in turn: the title and a progress bar say
    // which, and a check box offers to carry this photo's information to the rest.
    void SetBatchPlace(int number, int count);
    // Notes and names as the previous file of the batch carried them, the box checked
    // so they go on to the next.
    void Carry(const PhotoEntry& carried);
    // What the next file of the batch takes over, once OK added this one: nothing
    // unless the box is checked.
    std::optional<PhotoEntry> CarryOver() const;

    bool IsAdding() const { return m_photo == nullptr; }
    QLabel* Instruction() const { return m_instruction; }
    QLabel* PictureLabel() const { return m_pictureLabel; }
    QLineEdit* NameField() const { return m_nameField; }
    QLineEdit* DateField() const { return m_dateField; }
    QPlainTextEdit* NotesField() const { return m_notesField; }
    QListWidget* List(NameKind kind) const;
    QPushButton* AddButton(NameKind kind) const;
    QPushButton* OkButton() const { return m_okButton; }
    QLabel* MessageLine() const { return m_messageLine; }
    const Picture& Preview() const { return m_preview; }
    QCheckBox* CarryOverBox() const { return m_carryOver; }
    QProgressBar* BatchProgress() const { return m_batchProgress; }

public Q_SLOTS:
    void accept() override;

private:
    void BuildLayout();
    void FillLists();
    void ShowPhoto();
    void MakeThumbnail();
    void ShowPreview();
    void AddName(NameKind kind);
    void SetMessage(const std::string& text);
    void DateChanged();
    PhotoEntry ReadEntry() const;
    bool AddPhoto(const PhotoEntry& entry);
    void EditPhoto(const PhotoEntry& entry);

    const CQuilleryDoc& Catalog() const;

    Picture* m_picture;
    std::string m_fileName;
    const PhotoRecord* m_photo;
    PhotoDialogHost& m_host;
    Picture m_preview;
    std::string m_shownNotes;  // the stored notes as the field showed them

    QLabel* m_instruction = nullptr;
    QLabel* m_pictureLabel = nullptr;
    QPushButton* m_okButton = nullptr;
    QLineEdit* m_nameField = nullptr;
    QLineEdit* m_dateField = nullptr;
    QPlainTextEdit* m_notesField = nullptr;
    QListWidget* m_persons = nullptr;
    QListWidget* m_events = nullptr;
    QListWidget* m_locations = nullptr;
    QPushButton* m_addPerson = nullptr;
    QPushButton* m_addEvent = nullptr;
    QPushButton* m_addLocation = nullptr;
    QLabel* m_messageLine = nullptr;
    QCheckBox* m_carryOver = nullptr;
    QProgressBar* m_batchProgress = nullptr;
};
