#pragma once

#include <string>

// Writes a whole library to a folder quickly: the database of LibraryGenerator, and for
// every photo a real thumbnail and full-screen JPEG file. A few distinct pictures are
// encoded once per version and hard-linked under every photo's name (copied where the
// file system refuses links), so 100,000 photos take seconds, not the hours of adding.
class PictureLibraryGenerator {
  public:
    // How many distinct pictures each version cycles through.
    static constexpr int kDistinctPictures = 16;

    // The path of the written database file, empty when something failed (said on
    // stderr). The folder is emptied first.
    static std::string Write(const std::string& folder, int photos, unsigned long long seed);
};
