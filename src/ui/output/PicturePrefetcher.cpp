#include "ui/output/PicturePrefetcher.h"

#include "imaging/PixelAdapter.h"

#include <algorithm>
#include <chrono>

namespace {

bool IsDone(const std::future<PicturePrefetcher::Ready>& picture)
{
    return picture.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

} // namespace

PicturePrefetcher::~PicturePrefetcher()
{
    for (Pending& pending : m_pending)
        pending.picture.wait();
}

void PicturePrefetcher::Prefetch(const Request& request)
{
    // Only finished decodes are dropped: dropping a running one would wait for it here.
    std::erase_if(m_pending, [&](const Pending& pending) {
        return !(pending.request == request) && IsDone(pending.picture);
    });
    if (std::any_of(m_pending.begin(), m_pending.end(),
                    [&](const Pending& pending) { return pending.request == request; })) {
        return;
    }
    m_pending.push_back(
        {request, std::async(std::launch::async, [request] { return Decode(request); })});
}

bool PicturePrefetcher::IsReady(const Request& request) const
{
    return std::any_of(m_pending.begin(), m_pending.end(), [&](const Pending& pending) {
        return pending.request == request && IsDone(pending.picture);
    });
}

PicturePrefetcher::Ready PicturePrefetcher::Take(const Request& request)
{
    const auto found =
        std::find_if(m_pending.begin(), m_pending.end(),
                     [&](const Pending& pending) { return pending.request == request; });
    if (found == m_pending.end()) return Decode(request);
    Ready ready = found->picture.get();
    m_pending.erase(found);
    return ready;
}

PicturePrefetcher::Ready PicturePrefetcher::Decode(const Request& request)
{
    Ready ready;
    Picture& picture = ready.picture;
    // A file that cannot be read leaves the picture empty; the show says nothing.
    if (picture.LoadFile(request.path) != Picture::kOk || !picture.HasPicture()) return {};
    if (picture.FitInto(request.boxWidth, request.boxHeight) != Picture::kOk) return {};
    picture.BuildDisplayPalette();
    // Window surfaces hold 32 bits a pixel; three-byte pixels drawn on one would be
    // converted at every paint, several milliseconds for a screenful.
    ready.screenImage = img::PixelAdapter::AsQImage(picture.Pixels()).convertToFormat(QImage::Format_RGB32);
    return ready;
}
