#pragma once

#include <functional>
#include <string>

class Prompter;
class Settings;

// What the photo dialog needs from the window that opens it: the library's folder
// and settings for writing versions, a prompter for the name dialogs' messages, and
// the main window's Save and count refresh after a photo was added.
struct PhotoDialogHost {
    Prompter& prompter;
    const Settings& settings;
    std::string libraryDirectory;
    std::function<bool()> saveLibrary = [] { return true; };
    std::function<void()> updatePhotoCount = [] {};
};
