#pragma once

class CommandSet;
class CommandState;
class DialogRunner;
class FileChooser;
class Library;
class PhotoList;
class PictureView;
class Prompter;
class QWidget;
class Settings;

// What a command group works with: the open library, the seams through which it
// asks the user (messages, file choices, modal dialogs), the settings, the views it
// acts on and the state the groups share. The main window makes one and hands it to
// each group; a test makes one without a main window.
struct CommandContext {
    Library& library;
    Prompter& prompter;
    FileChooser& fileChooser;
    DialogRunner& dialogs;
    Settings& settings;
    const CommandSet& commands;
    CommandState& state;
    PhotoList& photoList;
    PictureView& pictureView;
    // Owner of the group's dialogs and the window whose title shows the library.
    QWidget& window;
};
