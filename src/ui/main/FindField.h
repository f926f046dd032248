#pragma once

#include <QLineEdit>

#include <memory>
#include <optional>
#include <vector>

class Library;
class PhotoList;
class PhotoRecord;
class TextFinder;

// The toolbar's find field: as the user types, the photo list keeps only the photos
// whose picture file name, notes or names contain the text, ignoring case. It
// narrows the rows that were listed when the typing began, so deleting characters
// widens the list back within them, and an empty field lists them all again. When
// the rows change otherwise (a filter, a photo added or deleted), the rows as they
// are then become the ones the next keystroke narrows; rows sorted meanwhile keep
// their new order.
class FindField : public QLineEdit {
    Q_OBJECT
public:
    FindField(const Library& library, PhotoList& list, QWidget* parent = nullptr);
    ~FindField() override;

    // Empties the field and forgets the rows, leaving the list as it is: for the
    // commands that list rows of their own ("Undo all filters", another library).
    void Clear();

private:
    void Narrow(const QString& text);
    void ForgetRows();
    void ForgetPhoto(const PhotoRecord* photo);

    const Library& m_library;
    PhotoList& m_list;
    // The rows listed when the typing began; none while no typing narrows the list.
    std::optional<std::vector<const PhotoRecord*>> m_rows;
    // Made from m_rows at the first keystroke that needs it, and dropped when a
    // photo among them changes.
    std::unique_ptr<TextFinder> m_finder;
    bool m_narrowing = false;
};
