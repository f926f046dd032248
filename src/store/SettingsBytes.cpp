#include "store/SettingsBytes.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

namespace SettingsBytes {

QVariant ToStored(std::string_view bytes)
{
    const QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(raw);
    if (utf8.hasError()) return raw;
    return text;
}

std::string FromStored(const QVariant& value)
{
    if (value.typeId() == QMetaType::QByteArray) return value.toByteArray().toStdString();
    return value.toString().toStdString();
}

}  // namespace SettingsBytes
