#pragma once

#include <QByteArray>

#include <memory>

class Picture;
class QMimeData;

// A picture in the forms the clipboard offers on Linux. Office programs take the
// vector form: an SVG document, described "Created by Quillery", that embeds the
// bitmap as a base64 PNG (what the enhanced metafile was on Windows). Image editors
// and chat programs take the bitmap itself, as PNG or as BMP (the packed DIB with a
// file header).
class ClipboardPicture {
public:
    static constexpr const char* kSvgType = "image/svg+xml";
    static constexpr const char* kPngType = "image/png";
    static constexpr const char* kBmpType = "image/bmp";

    // Null for an empty picture.
    static std::unique_ptr<QMimeData> MimeData(const Picture& picture);

    static QByteArray SvgDocument(const QByteArray& png, int width, int height);
};
