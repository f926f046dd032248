#include "store/AddPipeline.h"

#include "imaging/Imaging.h"
#include "imaging/Picture.h"

#include <future>
#include <system_error>

namespace {

using Version = PictureStore::Version;

long long PixelCount(const img::PixelBuffer& pixels)
{
    return static_cast<long long>(pixels.Width()) * pixels.Height();
}

} // namespace

AddPipeline::AddPipeline(const PictureStore& store) : m_store(store) {}

std::optional<VersionFailure> AddPipeline::Run(Picture& picture, const Picture& thumbnail,
                                               const std::string& fileName,
                                               const PictureStore::StatusLine& statusLine)
{
    PlanSteps(picture);
    statusLine(std::string(InfoOf(m_steps.front().version).status));

    const bool original = m_steps.front().version == Version::Original;
    // The loaded picture is only read until every thread is done with it.
    std::future<VersionWriter::Staged> originalDone;
    if (original) originalDone = StageOriginal(picture, fileName);
    PrepareSmallerVersions(picture, thumbnail, fileName, statusLine);
    if (original) m_steps.front().staged = originalDone.get();
    FlushTogether();
    return Publish(picture);
}

void AddPipeline::PlanSteps(const Picture& picture)
{
    // The largest version first: each smaller one is fitted from the one before.
    m_steps.clear();
    for (auto row = kVersionTable.rbegin(); row != kVersionTable.rend(); ++row) {
        if (!m_store.Saves(row->version)) continue;
        std::optional<QSize> box;
        if (row->fitting == Fitting::ToBox ||
            (row->fitting == Fitting::LargeToBox && PixelCount(picture.Pixels()) > kHighResThreshold))
            box = QSize(row->boxWidth, row->boxHeight);
        m_steps.push_back({row->version, box, 0, {}});
    }
}

std::future<VersionWriter::Staged> AddPipeline::StageOriginal(const Picture& picture,
                                                              const std::string& fileName) const
{
    const int quality = m_store.Quality(Version::Original);
    const std::string path = m_store.PathOf(Version::Original, fileName);
    const AtomicFile::Sync sync = m_store.SyncStep();
    // The second thread also waits for the original's data to reach the disk, while
    // this one still works on the smaller versions.
    auto stage = [&picture, quality, path, sync] {
        VersionWriter::Staged staged = VersionWriter::Stage(picture, quality, path, sync);
        if (staged.code == 0) staged.file.Flush();
        return staged;
    };
    try {
        return std::async(std::launch::async, stage);
    } catch (const std::system_error&) {
        // No thread to be had: the original is encoded here, in its turn.
        return std::async(std::launch::deferred, stage);
    }
}

std::optional<VersionFailure> AddPipeline::Publish(Picture& picture)
{
    for (size_t i = 0; i < m_steps.size(); ++i) {
        Step& step = m_steps[i];
        const bool resizeFailed = step.resizeCode != 0;
        const int code = resizeFailed ? step.resizeCode : step.staged.Commit();
        if (code != 0) {
            ApplyFittingUpTo(picture, i);
            return VersionFailure{step.version,
                                  resizeFailed ? VersionFailure::Step::Resize
                                               : VersionFailure::Step::Write,
                                  code};
        }
    }
    picture.Release();
    return std::nullopt;
}

void AddPipeline::FlushTogether()
{
    // Waiting for the disk costs no processor; two threads wait side by side so the
    // files reach the disk in fewer journal commits than one after another.
    std::vector<AtomicFile*> files;
    for (Step& step : m_steps) {
        if (step.staged.code == 0 && step.staged.file.Staged()) files.push_back(&step.staged.file);
    }
    const auto flushEvery = [&files](size_t first) {
        for (size_t i = first; i < files.size(); i += 2) files[i]->Flush();
    };
    std::future<void> other;
    try {
        other = std::async(std::launch::async, flushEvery, size_t{1});
    } catch (const std::system_error&) {
        // Without a second thread the rest are flushed when they are committed.
    }
    flushEvery(0);
    if (other.valid()) other.wait();
}

void AddPipeline::PrepareSmallerVersions(const Picture& picture, const Picture& thumbnail,
                                         const std::string& fileName,
                                         const PictureStore::StatusLine& statusLine)
{
    // Each fitted version is made from the one before, as the steps fit the loaded
    // picture in turn; a step whose box changes nothing keeps the comments.
    const img::PixelBuffer* source = &picture.Pixels();
    const std::vector<std::string>* comments = &picture.JpegComments();
    const std::vector<std::string> none;
    m_highRes.Reset();
    m_fullScreen.Reset();
    for (Step& step : m_steps) {
        if (step.version == Version::Original) continue;
        // The first step's text is up already; the others come up as their work begins.
        if (&step != &m_steps.front()) statusLine(std::string(InfoOf(step.version).status));
        if (step.version == Version::Thumbnail) {
            step.staged = VersionWriter::Stage(thumbnail, m_store.Quality(Version::Thumbnail),
                                               m_store.PathOf(Version::Thumbnail, fileName),
                                               m_store.SyncStep());
            continue;
        }
        if (step.box && VersionWriter::NeedsFitting(*source, step.box->width(), step.box->height())) {
            img::PixelBuffer& fitted = step.version == Version::HighRes ? m_highRes : m_fullScreen;
            fitted = VersionWriter::Fitted(*source, step.box->width(), step.box->height(),
                                           step.resizeCode);
            if (step.resizeCode != 0) return; // the later steps never run
            source = &fitted;
            comments = &none;
        }
        step.staged = VersionWriter::Stage(*source, *comments, m_store.Quality(step.version),
                                           m_store.PathOf(step.version, fileName),
                                           m_store.SyncStep());
    }
}

img::PixelBuffer* AddPipeline::FittedFor(const Step& step)
{
    img::PixelBuffer* fitted = step.version == Version::HighRes      ? &m_highRes
                               : step.version == Version::FullScreen ? &m_fullScreen
                                                                     : nullptr;
    return fitted != nullptr && !fitted->Empty() ? fitted : nullptr;
}

void AddPipeline::ApplyFittingUpTo(Picture& picture, size_t failed)
{
    // The last fitted picture of the steps that ran is what the picture became.
    img::PixelBuffer* last = nullptr;
    for (size_t i = 0; i <= failed && i < m_steps.size(); ++i) {
        const Step& step = m_steps[i];
        if (i == failed && step.resizeCode != 0) break;
        if (img::PixelBuffer* fitted = FittedFor(step)) last = fitted;
    }
    if (last != nullptr) picture.Adopt(std::move(*last));
}
