#pragma once

// Every command of the menus, the toolbar, the photo context menu and the keyboard,
// with the numbers the program has always used for them.
enum class CommandId : int {
    Separator = 0,  // not a command: a separator in a menu or the toolbar

    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    Export = 32795,
    Import = 32796,
    PrintImage = 57607,
    PrintReport = 32818,
    PrintSetup = 57606,
    TwainSetup = 32812,
    RecentFile = 57616,
    Exit = 57665,

    AddPhotoViaScanner = 131,
    AddPhotoFromFile = 32781,
    Copy = 57634,
    DeleteDatabaseOnly = 32797,
    DeleteDatabaseAndFiles = 32798,
    EditPhotoInformation = 32794,
    AddNamesToSelection = 32830,
    EditCurrentPhoto = 32773,
    EditOriginalPhoto = 32799,
    EditNames = 32791,
    EditEvents = 32792,
    EditLocation = 32793,

    ViewToolbar = 59392,
    ViewStatusBar = 59393,
    FitToWindow = 32774,
    PictureShow = 32775,

    HideSelection = 32800,
    FilterByDate = 32776,
    FilterByPerson = 32777,
    FilterByEvent = 32778,
    FilterByLocation = 32779,
    UndoAllFilters = 32780,

    Options = 32810,
    HelpTopics = 57666,
    About = 57664,

    NextPane = 57680,
    PreviousPane = 57681,
};

// When a command may run.
enum class EnableRule {
    Always,              // no rule
    Library,             // a library is open
    CurrentPhoto,        // ... and the photo list has a current photo
    CurrentPhotoNoShow,  // ... and no picture show runs
    // The same three for commands that change the library or its files: not while
    // the library is open read-only either.
    WritableLibrary,
    WritableCurrentPhoto,
    WritableCurrentPhotoNoShow,
    // A writable library with at least one row of the photo list selected, and no
    // picture show running.
    WritableSelectionNoShow,
    OwnState,            // the command keeps its own state (check marks, recent files)
};
