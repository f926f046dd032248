#pragma once

#include <string>
#include <vector>

// What a photo is to hold, as the photo dialog or the command line gathered it. Every
// text is the stored bytes; names are in stored form ("Smith, John"), in the order
// chosen, and line breaks in the notes are "\r\n".
struct PhotoEntry {
    std::string fileName;
    std::string dateText;
    std::string notes;
    std::vector<std::string> persons;
    std::vector<std::string> events;
    std::vector<std::string> locations;
};
