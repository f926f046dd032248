#pragma once

#include <functional>

class DialogRunner;
class Library;
class Prompter;
class Settings;

// What the photo dialog works with: the library it adds to or edits, the settings
// for writing versions, a prompter and a dialog runner for the name dialogs, and the
// library's Save after a photo was added.
struct PhotoDialogHost {
    Library& library;
    Prompter& prompter;
    const Settings& settings;
    DialogRunner& dialogs;
    std::function<bool()> saveLibrary = [] { return true; };
};
