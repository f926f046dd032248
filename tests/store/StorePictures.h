#pragma once

#include "FileBytes.h"

#include "imaging/Imaging.h"
#include "imaging/Picture.h"

#include <QImage>

#include <algorithm>
#include <string>

// Pictures with some detail in them (a flat picture encodes the same at every
// quality), made in memory, and the sizes of the files the store wrote.
namespace StorePictures {

inline Picture Gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<uchar>(x * 255 / std::max(1, width - 1));
            row[3 * x + 1] = static_cast<uchar>(y * 255 / std::max(1, height - 1));
            row[3 * x + 2] = static_cast<uchar>((x * 7 + y * 13) % 256);
        }
    }
    Picture picture;
    picture.Adopt(img::FromQImage(image).Value());
    return picture;
}

// The decoded size of a JPEG file, (-1, -1) when it cannot be read.
inline QSize DecodedSize(const std::string& path)
{
    Picture picture;
    picture.LoadFile(path);
    return picture.HasPicture() ? picture.GetSize() : QSize(-1, -1);
}

} // namespace StorePictures
