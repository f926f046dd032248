#include "SampleWindow.h"

#include "ui/main/IconTheme.h"
#include "ui/main/LibraryCommands.h"
#include "ui/main/MainFrame.h"

#include <cstdio>

namespace {

bool CopyLibrary(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::error_code error;
    std::filesystem::copy_file(from / "Samples.pdb", to / "Samples.pdb", error);
    for (const char* folder : {"Thumbnail Pictures", "Full Screen Pictures", "High Resolution Images",
                               "Original Images"}) {
        std::filesystem::copy(from / folder, to / folder, std::filesystem::copy_options::recursive, error);
    }
    return std::filesystem::exists(to / "Samples.pdb");
}

} // namespace

SampleWindow::SampleWindow(const std::filesystem::path& binFolder)
    : m_copied(CopyLibrary(binFolder, m_work.path().toStdString())),
      m_settings(m_work.filePath("Quillery.conf").toStdString()),
      m_recentFiles(m_work.filePath("Quillery.conf").toStdString())
{
    IconTheme::Ensure();
    m_settings.WriteInt("Initialization", 1);
}

SampleWindow::~SampleWindow() = default;

std::unique_ptr<SampleWindow> SampleWindow::ForArguments(int argc, char** argv, int count,
                                                         const char* usage, int& exitCode)
{
    if (argc != count) {
        std::fprintf(stderr, "usage: %s\n", usage);
        exitCode = 2;
        return nullptr;
    }
    auto window = std::make_unique<SampleWindow>(argv[1]);
    if (!window->Copied()) {
        std::fprintf(stderr, "no Samples.pdb in %s\n", argv[1]);
        exitCode = 1;
        return nullptr;
    }
    return window;
}

MainFrame& SampleWindow::Open()
{
    m_frame = std::make_unique<MainFrame>(m_prompter, m_chooser, m_settings, m_recentFiles, m_dialogs);
    m_prompter.SetOwner(m_frame.get());
    m_frame->setGeometry(0, 0, 1280, 800);
    m_frame->show();
    m_frame->Files().OpenLibraryByName(m_work.filePath("Samples.pdb").toStdString());
    return *m_frame;
}
