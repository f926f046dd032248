#pragma once

#include <QMainWindow>

class QAction;
class QTextBrowser;
class QToolBar;

// The program's manual: HTML pages in the "help" folder beside the program, shown
// in a window of their own that stays open beside the main window, with Back
// (Alt+Left), Forward (Alt+Right) and Contents. A main window of its own, so screen
// readers announce it as a window rather than as a bare pane.
class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the manual's index page and brings the window to the front; the first
    // time, centred on the owner.
    void ShowIndex();
    // Goes to the index page, as a step that Back can undo.
    void ShowContents();

    static QString IndexPath();
    QTextBrowser* Browser() const { return m_browser; }

private:
    QToolBar* BuildToolBar();
    void CentreOnOwner();

    QTextBrowser* m_browser = nullptr;
    QAction* m_back = nullptr;
    QAction* m_forward = nullptr;
    QAction* m_contents = nullptr;
    bool m_placed = false;
};
