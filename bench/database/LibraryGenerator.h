#pragma once

#include <cstdint>

class CQuilleryDoc;

// Fills a catalog with a library of the given size that looks like a family's:
// 2,000 persons, 500 events, 300 locations, a few names per photo and notes of a
// few lines, some holding '|'. The same seed gives the same library.
class LibraryGenerator {
public:
    explicit LibraryGenerator(uint64_t seed) : m_state(seed) {}
    void Fill(CQuilleryDoc& catalog, int photos);

private:
    uint64_t Next();
    int Below(int limit) { return static_cast<int>(Next() % static_cast<uint64_t>(limit)); }
    void AddNames(CQuilleryDoc& catalog);
    void AddPhoto(CQuilleryDoc& catalog, int number);

    uint64_t m_state;
};
