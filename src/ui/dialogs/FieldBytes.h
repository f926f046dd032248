#pragma once

#include "ui/common/ByteText.h"

#include <QString>

#include <string>

// The bytes a text field stands for. A field the user left as it was shown keeps the
// stored bytes exactly (a Windows-1252 name stays Windows-1252); an edited field is
// stored as UTF-8.
inline std::string FieldBytes(const std::string& original, const QString& shown)
{
    if (ByteText::ToDisplay(original) == shown) return original;
    return ByteText::FromDisplay(shown);
}
