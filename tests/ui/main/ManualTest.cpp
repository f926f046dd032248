// The manual against the command table: a command added to a menu without its words in
// the manual fails here.
#include "ui/main/CommandTable.h"
#include "ui/main/HelpWindow.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// What the menu shows, without the mnemonic's '&' and the key's name after the tab.
QString Shown(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).section('\t', 0, 0).remove('&');
}

}  // namespace

TEST(ManualTest, HasASectionPerMenuDescribingEachOfItsCommands)
{
    QFile page(QFileInfo(HelpWindow::IndexPath()).dir().filePath(QStringLiteral("commands.html")));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << "the manual is built beside the tests";
    const QString html = QString::fromUtf8(page.readAll());
    for (const CommandTable::Menu& menu : CommandTable::MenuBar()) {
        // A menu without a title is one command on the bar; its section bears its name.
        const QString title = menu.title.empty() ? Shown(CommandTable::Find(menu.items.front())->text)
                                                 : Shown(menu.title);
        const QRegularExpressionMatch heading =
            QRegularExpression(QStringLiteral("<h2[^>]*>%1</h2>").arg(QRegularExpression::escape(title))).match(html);
        ASSERT_TRUE(heading.hasMatch()) << "no section for the menu " << title.toStdString();
        const qsizetype next = html.indexOf(QStringLiteral("<h2"), heading.capturedEnd());
        const QString section = html.mid(heading.capturedEnd(), next < 0 ? -1 : next - heading.capturedEnd());
        for (const CommandId id : menu.items) {
            // The recent libraries are a list that changes, not a command of one name.
            if (id == CommandId::Separator || id == CommandId::RecentFile) continue;
            const QString command = Shown(CommandTable::Find(id)->text);
            EXPECT_TRUE(section.contains(QStringLiteral("<b>%1</b>").arg(command)))
                << title.toStdString() << " > " << command.toStdString();
        }
    }
}
