#include "store/AreaScaler.h"

#include "imaging/ImagingErrors.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// The input spans one output sample covers along one axis, with their weights
// (summing to 1), flattened: taps of output i are [first[i], first[i + 1]).
struct Taps {
    std::vector<int> first;
    std::vector<int> index;
    std::vector<float> weight;
};

Taps AreaTaps(int inputSize, int outputSize)
{
    Taps taps;
    taps.first.reserve(static_cast<size_t>(outputSize) + 1);
    const double scale = static_cast<double>(inputSize) / outputSize;
    for (int out = 0; out < outputSize; ++out) {
        taps.first.push_back(static_cast<int>(taps.index.size()));
        const double start = out * scale;
        const double end = std::min<double>(inputSize, (out + 1) * scale);
        for (int in = static_cast<int>(start); in < inputSize && in < end; ++in) {
            const double covered = std::min<double>(in + 1, end) - std::max<double>(in, start);
            if (covered <= 0) continue;
            taps.index.push_back(in);
            taps.weight.push_back(static_cast<float>(covered / scale));
        }
    }
    taps.first.push_back(static_cast<int>(taps.index.size()));
    return taps;
}

} // namespace

img::PixelBuffer AreaScaler::Shrink(const img::PixelBuffer& source, int width, int height, int& code)
{
    if (source.Empty() || width < 1 || height < 1 || width > source.Width() ||
        height > source.Height()) {
        code = img::kErrBadArgument;
        return {};
    }
    const img::PixelBuffer* current = &source;
    img::PixelBuffer halved;
    while (current->Width() / 2 >= width && current->Height() / 2 >= height) {
        img::PixelBuffer next = Halve(*current);
        if (next.Empty()) {
            code = img::kErrNoMemory;
            return {};
        }
        halved = std::move(next);
        current = &halved;
    }
    img::PixelBuffer result;
    if (current->Width() != width || current->Height() != height) {
        result = AreaPass(*current, width, height);
    } else if (current == &halved) {
        result = std::move(halved);
    } else {
        result = img::PixelBuffer::AllocateForOverwrite(width, height);
        if (!result.Empty()) std::copy_n(source.Data(), source.ByteSize(), result.Data());
    }
    code = result.Empty() ? img::kErrNoMemory : img::kErrNone;
    return result;
}

img::PixelBuffer AreaScaler::Halve(const img::PixelBuffer& source)
{
    const int width = source.Width() / 2;
    const int height = source.Height() / 2;
    img::PixelBuffer target = img::PixelBuffer::AllocateForOverwrite(width, height);
    if (target.Empty()) return target;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* top = source.Row(2 * y);
        const std::uint8_t* bottom = source.Row(2 * y + 1);
        std::uint8_t* out = target.Row(y);
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                const int left = 6 * x + c;
                const int sum = top[left] + top[left + 3] + bottom[left] + bottom[left + 3];
                out[3 * x + c] = static_cast<std::uint8_t>((sum + 2) >> 2);
            }
        }
    }
    return target;
}

img::PixelBuffer AreaScaler::AreaPass(const img::PixelBuffer& source, int width, int height)
{
    img::PixelBuffer target = img::PixelBuffer::AllocateForOverwrite(width, height);
    if (target.Empty()) return target;
    const Taps across = AreaTaps(source.Width(), width);
    const Taps down = AreaTaps(source.Height(), height);
    const size_t sourceRow = source.Stride();

    // Down first: whole rows are summed with one weight each, which vectorises well;
    // the pass across then works on the few output rows only.
    std::vector<float> column(sourceRow);
    for (int y = 0; y < height; ++y) {
        std::fill(column.begin(), column.end(), 0.0f);
        for (int t = down.first[static_cast<size_t>(y)]; t < down.first[static_cast<size_t>(y) + 1]; ++t) {
            const std::uint8_t* row = source.Row(down.index[static_cast<size_t>(t)]);
            const float w = down.weight[static_cast<size_t>(t)];
            float* sum = column.data();
            for (size_t i = 0; i < sourceRow; ++i) sum[i] += w * static_cast<float>(row[i]);
        }
        std::uint8_t* out = target.Row(y);
        for (int x = 0; x < width; ++x) {
            float r = 0.5f, g = 0.5f, b = 0.5f;
            for (int t = across.first[static_cast<size_t>(x)]; t < across.first[static_cast<size_t>(x) + 1]; ++t) {
                const float* pixel = column.data() + 3 * static_cast<size_t>(across.index[static_cast<size_t>(t)]);
                const float w = across.weight[static_cast<size_t>(t)];
                r += w * pixel[0];
                g += w * pixel[1];
                b += w * pixel[2];
            }
            out[3 * x] = static_cast<std::uint8_t>(std::min(r, 255.0f));
            out[3 * x + 1] = static_cast<std::uint8_t>(std::min(g, 255.0f));
            out[3 * x + 2] = static_cast<std::uint8_t>(std::min(b, 255.0f));
        }
    }
    return target;
}
