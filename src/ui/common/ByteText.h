#pragma once

#include <QString>

#include <string>
#include <string_view>

// Names, notes and file names are stored as bytes. Libraries written on Linux hold
// UTF-8; those written on Windows hold Windows-1252. Shown text follows the bytes,
// and the stored bytes change only when the user edits the text.
namespace ByteText {

// Valid UTF-8 is shown as UTF-8, anything else as Windows-1252 (see ToDisplayUtf8).
QString ToDisplay(std::string_view bytes);

// Edited text is stored as UTF-8.
std::string FromDisplay(const QString& text);

bool IsValidUtf8(std::string_view bytes);

}  // namespace ByteText
