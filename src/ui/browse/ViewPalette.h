#pragma once

#include "imaging/Imaging.h"

// The 256-colour palette the browsing views draw with: entry i has red (16 i) mod 256,
// green (4 i) mod 256 and blue i.
class ViewPalette {
public:
    static img::Palette Build();
};
