#pragma once

#include <QMainWindow>

class QTextBrowser;

// The program's manual: HTML pages in the "help" folder beside the program, shown
// in a window of their own that stays open beside the main window. A main window of
// its own, so screen readers announce it as a window rather than as a bare pane.
class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the manual's index page and brings the window to the front.
    void ShowIndex();

    static QString IndexPath();
    QTextBrowser* Browser() const { return m_browser; }

private:
    QTextBrowser* m_browser = nullptr;
};
