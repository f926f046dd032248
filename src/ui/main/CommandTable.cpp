#include "ui/main/CommandTable.h"

#include <algorithm>
#include <array>

namespace CommandTable {

namespace {

using enum CommandId;
using R = EnableRule;

// Prompts for the framework's own commands are the framework's standard texts.
constexpr std::array kCommands = std::to_array<Command>({
    {FileNew, "&New\tCtrl+N", "Ctrl+N", R::Always, "Create a new document", "New", "document-new"},
    {FileOpen, "&Open...\tCtrl+O", "Ctrl+O", R::Always, "Open an existing document", "Open", "document-open"},
    {FileSave, "&Save\tCtrl+S", "Ctrl+S", R::WritableLibrary, "Save the active document", "Save", "document-save"},
    {FileSaveAs, "Save &As...", "", R::WritableLibrary, "Save the active document with a new name", "Save As", ""},
    {Export, "Export", "", R::Library, "Export the filtered selection of photos to a new database", "", ""},
    {Import, "Import", "", R::WritableLibrary, "Import a Photo Database into the current database", "", ""},
    {PrintImage, "&Print Image...\tCtrl+P", "Ctrl+P", R::Library, "Print the selected image", "Print", "document-print"},
    {PrintReport, "Print Report", "", R::Library, "Print a report on all selected images", " Print report", ""},
    {PrintSetup, "P&rint Setup...", "", R::Library, "Change the printer and printing options", "Print Setup", ""},
    {TwainSetup, "TWAIN Setup", "", R::Library, "Select the data input source for image input", "Twain setup", ""},
    {RecentFile, "Recent File", "", R::OwnState, "Open this document", "", ""},
    {Exit, "E&xit", "", R::Always, "Quit the application; prompts to save documents", "Exit", ""},

    {AddPhotoViaScanner, "&Add photo via scanner", "", R::WritableLibrary, "Acquire a picture from the scanner", "Scan", "scanner"},
    {AddPhotoFromFile, "Add photo from file", "", R::WritableLibrary, "Add a photo from an existing image file", "Add from file", "insert-image"},
    {Copy, "&Copy\tCtrl+C", "Ctrl+C;Ctrl+Ins", R::CurrentPhoto, "Copy the selection and put it on the Clipboard", "Copy", "edit-copy"},
    {DeleteDatabaseOnly, "Delete (Database only)\tDel", "Del", R::WritableCurrentPhotoNoShow, "Delete the current selected photo (without deleting picture files)", "", ""},
    {DeleteDatabaseAndFiles, "Delete (Database+files)", "", R::WritableCurrentPhotoNoShow, "Delete the photo from database and all of its associated files", "", ""},
    {EditPhotoInformation, "Edit Photo Information", "", R::WritableCurrentPhoto, "Edit the information about the photo", "", ""},
    {AddNamesToSelection, "Add names to selected photos...\tCtrl+T", "Ctrl+T", R::WritableSelectionNoShow, "Add persons, events and locations to every selected photo", "Add names", ""},
    {EditCurrentPhoto, "Edit current photo", "", R::WritableCurrentPhoto, "Modify the sharpness, contrast and color of photo", "Edit", "edit-image"},
    {EditOriginalPhoto, "Edit original photo", "", R::WritableCurrentPhoto, "Edit the current photo using the original photo as a starting point", "", ""},
    {EditNames, "Edit Names", "", R::WritableLibrary, "Edit/modify an existing person's name", "", ""},
    {EditEvents, "Edit Events", "", R::WritableLibrary, "Edit/modify an existing event", "", ""},
    {EditLocation, "Edit Location", "", R::WritableLibrary, "Edit/modify an existing location description", "", ""},

    {ViewToolbar, "&Toolbar", "", R::OwnState, "Show or hide the toolbar", "Toggle ToolBar", ""},
    {ViewStatusBar, "&Status Bar", "", R::OwnState, "Show or hide the status bar", "Toggle StatusBar", ""},
    {FitToWindow, "&Fit picture to window", "", R::OwnState, "Check to show picture scaled to window", "", ""},
    {PictureShow, "Picture Show", "", R::Library, "Show pictures in full screen mode", "Slide show", "view-presentation"},

    {HideSelection, "Hide selection", "", R::CurrentPhoto, "Remove the current selection from filtered list of photos", "", ""},
    {FilterByDate, "Filter by date", "", R::Library, "Filter the selected pictures by date", "Filter by date", "view-calendar"},
    {FilterByPerson, "Filter by Person", "", R::Library, "Filter current selected photos by person or persons", "Filter by name", "im-user"},
    {FilterByEvent, "Filter by Event", "", R::Library, "Filter photos by event or events", "Filter by event", "view-calendar-special-occasion"},
    {FilterByLocation, "Filter by Location", "", R::Library, "Filter photos by location or locations", "Filter by location", "find-location"},
    {UndoAllFilters, "Undo all filters", "", R::Library, "Undo all filters and view entire photo database", "Undo filters", "edit-undo"},

    {Options, "Options", "", R::Always, "Set the options for Quillery", "Options", ""},
    {HelpTopics, "&Help Topics", "", R::Always, "List Help topics", "Help Topics", "help-contents"},
    {About, "&About Quillery", "", R::Always, "Display program information, version number and copyright", "About", ""},

    {NextPane, "Next Pane", "F6", R::Always, "Switch to the next window pane", "Next Pane", ""},
    {PreviousPane, "Previous Pane", "Shift+F6", R::Always, "Switch back to the previous window pane", "Previous Pane", ""},
});

}  // namespace

std::span<const Command> Commands()
{
    return kCommands;
}

const Command* Find(CommandId id)
{
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [id](const Command& command) { return command.id == id; });
    return found == kCommands.end() ? nullptr : &*found;
}

const std::vector<Menu>& MenuBar()
{
    static const std::vector<Menu> menus = {
        {"&File", {FileNew, FileOpen, FileSave, FileSaveAs, Separator, Export, Import, Separator,
                   PrintImage, PrintReport, PrintSetup, TwainSetup, Separator, RecentFile,
                   Separator, Exit}},
        {"&Edit", {Separator, AddPhotoViaScanner, AddPhotoFromFile, Separator, Copy,
                   DeleteDatabaseOnly, DeleteDatabaseAndFiles, Separator, EditPhotoInformation,
                   AddNamesToSelection, EditCurrentPhoto, EditOriginalPhoto, Separator, EditNames, EditEvents,
                   EditLocation}},
        {"&View", {ViewToolbar, ViewStatusBar, FitToWindow, PictureShow}},
        {"Filter", {HideSelection, Separator, FilterByDate, FilterByPerson, FilterByEvent,
                    FilterByLocation, Separator, UndoAllFilters}},
        {"", {Options}},
        {"&Help", {HelpTopics, About}},
    };
    return menus;
}

const std::vector<CommandId>& ToolBar()
{
    static const std::vector<CommandId> buttons = {
        FileNew, FileOpen, FileSave, Separator, Copy, PrintImage, Separator, AddPhotoFromFile,
        AddPhotoViaScanner, Separator, EditCurrentPhoto, Separator, FilterByDate, FilterByPerson,
        FilterByEvent, FilterByLocation, UndoAllFilters, Separator, PictureShow, Separator,
        HelpTopics,
    };
    return buttons;
}

const std::vector<CommandId>& ContextMenu()
{
    static const std::vector<CommandId> items = {
        Copy, DeleteDatabaseOnly, DeleteDatabaseAndFiles, Separator, EditPhotoInformation,
        AddNamesToSelection, EditCurrentPhoto, EditOriginalPhoto, Separator, HideSelection,
    };
    return items;
}

const std::vector<CommandId>& KeyboardOnly()
{
    static const std::vector<CommandId> keys = {NextPane, PreviousPane};
    return keys;
}

}  // namespace CommandTable
