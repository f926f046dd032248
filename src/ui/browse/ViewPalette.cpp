#include "ui/browse/ViewPalette.h"

img::Palette ViewPalette::Build()
{
    img::Palette palette;
    palette.reserve(256);
    for (int i = 0; i < 256; ++i) palette.push_back(qRgb((16 * i) % 256, (4 * i) % 256, i));
    return palette;
}
