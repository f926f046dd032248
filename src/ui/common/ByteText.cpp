#include "ui/common/ByteText.h"

#include "core/TextEncoding.h"

namespace ByteText {

bool IsValidUtf8(std::string_view bytes)
{
    return ::IsValidUtf8(bytes);
}

QString ToDisplay(std::string_view bytes)
{
    const std::string shown = ToDisplayUtf8(bytes);
    return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

std::string FromDisplay(const QString& text)
{
    return text.toStdString();
}

}  // namespace ByteText
