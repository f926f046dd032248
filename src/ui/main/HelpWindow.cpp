#include "ui/main/HelpWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Quillery Help"));
    resize(720, 640);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);
    m_browser->setAccessibleName(QStringLiteral("Manual"));
    m_browser->setAccessibleDescription(QStringLiteral("The Quillery manual; Escape closes it"));
    setCentralWidget(m_browser);
    addToolBar(BuildToolBar());
    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
}

QToolBar* HelpWindow::BuildToolBar()
{
    auto* bar = new QToolBar(tr("Navigation"), this);
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto add = [this, bar](const char* name, const char* text, const char* icon,
                                 const QKeySequence& key) {
        auto* action = bar->addAction(QIcon::fromTheme(QString::fromLatin1(icon)), tr(text));
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        if (!key.isEmpty()) action->setToolTip(tr(text) + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + u')');
        return action;
    };
    m_back = add("helpBack", "Back", "go-previous", QKeySequence(Qt::ALT | Qt::Key_Left));
    m_forward = add("helpForward", "Forward", "go-next", QKeySequence(Qt::ALT | Qt::Key_Right));
    m_contents = add("helpContents", "Contents", "go-home", QKeySequence());
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_contents, &QAction::triggered, this, &HelpWindow::ShowContents);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    return bar;
}

QString HelpWindow::IndexPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/help/index.html");
}

void HelpWindow::ShowContents()
{
    const QString index = IndexPath();
    if (QFileInfo::exists(index)) {
        m_browser->setSource(QUrl::fromLocalFile(index));
    } else {
        m_browser->setHtml(QStringLiteral("<h1>Quillery Help</h1><p>The manual was not found at %1. "
                                          "It is installed in the folder \"help\" beside the program.</p>")
                               .arg(index.toHtmlEscaped()));
    }
}

void HelpWindow::ShowIndex()
{
    ShowContents();
    // Placed once: after that the window stays where the user moved it.
    if (!m_placed) CentreOnOwner();
    m_placed = true;
    show();
    raise();
    activateWindow();
}

// A new top-level window lands at the owner's top-left corner, over its menu bar;
// centred, it leaves the menu and the toolbar in view.
void HelpWindow::CentreOnOwner()
{
    const QWidget* owner = parentWidget();
    if (!owner) return;
    QRect placed = frameGeometry();
    placed.moveCenter(owner->frameGeometry().center());
    move(placed.topLeft());
}
