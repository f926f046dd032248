#include "store/VersionWriter.h"

#include "imaging/Imaging.h"
#include "imaging/Picture.h"

VersionWriter::Staged VersionWriter::Stage(const img::PixelBuffer& pixels,
                                           const std::vector<std::string>& comments, int quality,
                                           const std::string& path,
                                           const AtomicFile::Sync& sync)
{
    Staged staged;
    staged.file.SyncThrough(sync);
    if (pixels.Empty()) {
        staged.code = Picture::kNotPossible;
        return staged;
    }
    const auto encoded = img::EncodeJpeg(pixels, quality, comments);
    if (!encoded) {
        staged.code = encoded.Error();
        return staged;
    }
    if (!staged.file.Create(path) || !staged.file.Write(std::span<const std::uint8_t>(encoded.Value()))) {
        staged.code = img::kErrWriteFailed;
        return staged;
    }
    staged.file.StartWriteBack();
    return staged;
}

int VersionWriter::Staged::Commit()
{
    if (code != 0) return code;
    return file.Commit(AtomicFile::Replace::Existing, AtomicFile::FolderSync::Skip)
               ? img::kErrNone
               : img::kErrWriteFailed;
}

VersionWriter::Staged VersionWriter::Stage(const Picture& picture, int quality,
                                           const std::string& path, const AtomicFile::Sync& sync)
{
    return Stage(picture.Pixels(), picture.JpegComments(), quality, path, sync);
}

bool VersionWriter::NeedsFitting(const img::PixelBuffer& pixels, int boxWidth, int boxHeight)
{
    if (pixels.Empty()) return true;
    const QSize fitted = Picture::FittedSize(pixels.Width(), pixels.Height(), boxWidth, boxHeight);
    return fitted != QSize(pixels.Width(), pixels.Height());
}

img::PixelBuffer VersionWriter::Fitted(const img::PixelBuffer& pixels, int boxWidth, int boxHeight,
                                       int& code)
{
    if (pixels.Empty()) {
        code = Picture::kNotPossible;
        return {};
    }
    const QSize fitted = Picture::FittedSize(pixels.Width(), pixels.Height(), boxWidth, boxHeight);
    // The same resampling as Picture::FitInto, without the Picture around it.
    auto result = img::Resample(pixels, fitted.width(), fitted.height());
    code = result.Error();
    return std::move(result).Value();
}
