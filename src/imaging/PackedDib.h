#pragma once

// Helpers for packed device-independent bitmaps: the bytes of a BMP file without its
// 14-byte file header (a header, an optional colour table, the pixel rows). The header is
// an information header (40 bytes, or the longer 108/124-byte forms) or a 12-byte core
// header, told apart by its leading size field. Every helper checks the bytes it reads
// against `size`; a DIB too short for what it claims gives 0 / nullptr.

#include "imaging/Imaging.h"

#include <QRect>

#include <cstddef>
#include <cstdint>

class QPainter;

// Paints the `source` rectangle of the DIB (counted from the top row) onto `dest`:
// unscaled when both have the same size, stretched otherwise. Returns the number of scan
// lines painted: the DIB's height when unscaled, the source height when stretched; 0 for
// a missing or unreadable DIB or a missing painter.
int PaintDib(QPainter* painter, const QRect& dest, const std::uint8_t* dib, std::size_t size,
             const QRect& source, const img::Palette* palette = nullptr);
// The start of the pixel rows: header + header size + colour table (and the three colour
// masks of a 40-byte BI_BITFIELDS header); nullptr when that lies outside the bytes.
const std::uint8_t* DibBits(const std::uint8_t* dib, std::size_t size);
int DibWidth(const std::uint8_t* dib, std::size_t size);
int DibHeight(const std::uint8_t* dib, std::size_t size);
int DibColorTableSize(const std::uint8_t* dib, std::size_t size);
int DibColorCount(const std::uint8_t* dib, std::size_t size);
