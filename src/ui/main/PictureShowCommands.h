#pragma once

#include <QObject>

#include <memory>

struct CommandContext;
class PictureShowWnd;
class ScreenSaverInhibitor;

// "Picture Show": the full-screen show of the photo list's rows. One show at a time;
// starting one replaces the window of the last, and the group keeps the last window
// until it goes itself. While a show runs the shared state says so (the delete
// commands follow it), and the screen saver is held off.
class PictureShowCommands : public QObject {
    Q_OBJECT
  public:
    explicit PictureShowCommands(CommandContext& context);
    ~PictureShowCommands() override;

    // The show's window, while there is one.
    PictureShowWnd* Show() const { return m_show.get(); }

  public Q_SLOTS:
    void OnPictureShow();

  private:
    void OnShowEnded();

    CommandContext& m_context;
    std::unique_ptr<PictureShowWnd> m_show;
    std::unique_ptr<ScreenSaverInhibitor> m_inhibitor;
};
