#pragma once

#include "store/PictureStore.h"
#include "imaging/PixelBuffer.h"
#include "store/VersionWriter.h"

#include <QSize>

#include <future>
#include <optional>
#include <string>
#include <vector>

class Picture;

// The versions of a photo being added, written in the order original, high
// resolution, full screen, thumbnail. The costly original is encoded on a second
// thread while this one fits and encodes the smaller versions; every version waits,
// staged beside its file, for its turn. Each step's status text comes up as the
// step's work begins; committed files and the first failure come out exactly as if
// the steps ran one after another.
class AddPipeline {
public:
    explicit AddPipeline(const PictureStore& store);

    std::optional<VersionFailure> Run(Picture& picture, const Picture& thumbnail,
                                      const std::string& fileName,
                                      const PictureStore::StatusLine& statusLine);

private:
    struct Step {
        PictureStore::Version version;
        // The box the step fits the picture into before writing, when it does.
        std::optional<QSize> box;
        int resizeCode = 0;
        VersionWriter::Staged staged;
    };

    void PlanSteps(const Picture& picture);
    std::future<VersionWriter::Staged> StageOriginal(const Picture& picture,
                                                     const std::string& fileName) const;
    // Commits the staged versions in order; stops at the first failure and says which.
    std::optional<VersionFailure> Publish(Picture& picture);
    void FlushTogether();
    void PrepareSmallerVersions(const Picture& picture, const Picture& thumbnail,
                                const std::string& fileName,
                                const PictureStore::StatusLine& statusLine);
    // Leaves the loaded picture fitted as the steps before the failed one (and the
    // failed one's own fitting, when its write failed) fitted it.
    void ApplyFittingUpTo(Picture& picture, size_t failed);
    img::PixelBuffer* FittedFor(const Step& step);

    const PictureStore& m_store;
    std::vector<Step> m_steps;
    // The fitted pictures, kept so a failure can leave the loaded picture as fitted.
    img::PixelBuffer m_highRes;
    img::PixelBuffer m_fullScreen;
};
