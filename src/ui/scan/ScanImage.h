#pragma once

#include <sane/sane.h>

#include <cstdint>
#include <vector>

// Gathers the frames SANE delivers for one image (one grey or RGB frame, or three
// single-colour passes) and packs them into a 24-bit bottom-up DIB. Depth 16 keeps
// the high byte, depth 1 maps set bits to black as SANE's line-art does.
class ScanImage {
public:
    // Starts a frame; its bytes follow through Append.
    void BeginFrame(const SANE_Parameters& parameters);
    void Append(const SANE_Byte* bytes, int length);
    // The DIB of everything gathered; empty when nothing usable came.
    std::vector<std::uint8_t> ToDib() const;

private:
    struct Plane {
        SANE_Parameters parameters{};
        std::vector<SANE_Byte> bytes;
    };
    std::vector<Plane> m_planes;
};
