#include "ui/main/FindField.h"

#include "core/PhotoSorter.h"
#include "core/TextFinder.h"
#include "store/Library.h"
#include "ui/browse/PhotoList.h"

#include <QSignalBlocker>

#include <algorithm>

FindField::FindField(const Library& library, PhotoList& list, QWidget* parent)
    : QLineEdit(parent), m_library(library), m_list(list)
{
    setObjectName(QStringLiteral("findField"));
    setPlaceholderText(QStringLiteral("Find"));
    setClearButtonEnabled(true);
    setMaximumWidth(200);
    setAccessibleName(QStringLiteral("Find"));
    setAccessibleDescription(QStringLiteral(
        "Lists only the photos whose picture file name, notes, persons, events or locations "
        "contain the text"));
    setToolTip(QStringLiteral("Find photos by name, notes, persons, events or locations"));
    connect(this, &QLineEdit::textEdited, this, &FindField::Narrow);
    connect(&m_list, &PhotoList::rowsChanged, this, [this] {
        if (!m_narrowing) ForgetRows();
    });
    // Rows sorted while the field narrows stay in that order as it narrows further.
    connect(&m_list, &PhotoList::rowsSorted, this, [this](PhotoField field, bool descending) {
        if (!m_rows) return;
        PhotoSorter::Sort(*m_rows, m_library.Catalog(), field, descending);
        m_finder.reset();
    });
    connect(&m_library, &Library::aboutToReplace, this, &FindField::Clear);
    connect(&m_library, &Library::photoAboutToBeRemoved, this, &FindField::ForgetPhoto);
    // Notes edited meanwhile must be searched as they are now.
    connect(&m_library, &Library::photoChanged, this, [this] { m_finder.reset(); });
}

FindField::~FindField() = default;

void FindField::Clear()
{
    ForgetRows();
    const QSignalBlocker quiet(this);
    clear();
}

void FindField::Narrow(const QString& text)
{
    if (!m_rows) m_rows = m_list.Photos();
    if (!m_finder) m_finder = std::make_unique<TextFinder>(m_library.Catalog(), *m_rows);
    const QByteArray typed = text.toUtf8();
    m_narrowing = true;
    m_list.ShowSubset(
        m_finder->Find(std::string_view(typed.constData(), static_cast<size_t>(typed.size()))));
    m_narrowing = false;
    // With the field empty every row is back, and the next typing starts afresh.
    if (text.isEmpty()) ForgetRows();
}

void FindField::ForgetRows()
{
    m_finder.reset();
    m_rows.reset();
}

void FindField::ForgetPhoto(const PhotoRecord* photo)
{
    m_finder.reset();
    if (m_rows) m_rows->erase(std::remove(m_rows->begin(), m_rows->end(), photo), m_rows->end());
}
