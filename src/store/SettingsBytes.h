#pragma once

#include <QVariant>

#include <string>
#include <string_view>

// Texts of the settings file kept as bytes. A path from a library written on Windows
// or a folder named in another encoding is not valid UTF-8, and a QString made of it
// no longer names that file; such a value is stored as a byte array instead, while
// every valid text stays plain, readable text in the file.
namespace SettingsBytes {

QVariant ToStored(std::string_view bytes);
// A value written by ToStored, or plain text written by hand, as the bytes it names.
std::string FromStored(const QVariant& value);

}  // namespace SettingsBytes
