#include "ui/main/PictureShowCommands.h"

#include "core/Prompter.h"
#include "ui/browse/PhotoList.h"
#include "ui/main/CommandContext.h"
#include "ui/main/CommandSet.h"
#include "ui/main/CommandState.h"
#include "ui/output/PictureShowWnd.h"
#include "ui/output/ScreenSaverInhibitor.h"

#include <QAction>

namespace {

constexpr std::string_view kNoPhotos = "Picture must be selected before operation";

} // namespace

PictureShowCommands::PictureShowCommands(CommandContext& context)
    : QObject(&context.window), m_context(context)
{
    connect(m_context.commands.Action(CommandId::PictureShow), &QAction::triggered, this,
            &PictureShowCommands::OnPictureShow);
}

PictureShowCommands::~PictureShowCommands()
{
    // The shared state may be gone already when the main window takes its children down.
    if (m_show) disconnect(m_show.get(), nullptr, this, nullptr);
}

void PictureShowCommands::OnPictureShow()
{
    if (m_context.photoList.RowCount() == 0) {
        m_context.prompter.Message(kNoPhotos);
        return;
    }
    m_context.state.SetPictureShowRunning(true);
    // The old window's end was announced when it ended; it goes without a word now.
    if (m_show) disconnect(m_show.get(), nullptr, this, nullptr);
    m_show = std::make_unique<PictureShowWnd>(m_context.library, m_context.settings);
    connect(m_show.get(), &PictureShowWnd::ended, this, &PictureShowCommands::OnShowEnded);
    m_inhibitor = std::make_unique<ScreenSaverInhibitor>(QStringLiteral("Picture show"));
    m_show->Start(m_context.photoList, m_context.window);
}

void PictureShowCommands::OnShowEnded()
{
    m_inhibitor.reset();
    m_context.state.SetPictureShowRunning(false);
}
