#include "ui/main/HelpWindow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
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
    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
}

QString HelpWindow::IndexPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/help/index.html");
}

void HelpWindow::ShowIndex()
{
    const QString index = IndexPath();
    if (QFileInfo::exists(index)) {
        m_browser->setSource(QUrl::fromLocalFile(index));
    } else {
        m_browser->setHtml(QStringLiteral("<h1>Quillery Help</h1><p>The manual was not found at %1. "
                                          "It is installed in the folder \"help\" beside the program.</p>")
                               .arg(index.toHtmlEscaped()));
    }
    show();
    raise();
    activateWindow();
}
