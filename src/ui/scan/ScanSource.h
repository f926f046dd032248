#pragma once

#include <string>

// One scanner as SANE names it. An empty name means no source has been chosen, which
// makes a scan open the first device found.
struct ScanSource {
    std::string name;
    std::string vendor;
    std::string model;
    std::string type;

    bool IsChosen() const { return !name.empty(); }
    // What the Select Source list shows.
    std::string Label() const { return vendor + " " + model + " (" + name + ")"; }
};
