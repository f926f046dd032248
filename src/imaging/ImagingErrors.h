#pragma once

namespace img {

// The largest picture any reader or operation will allocate. Bigger pictures are refused
// before their memory is asked for, so a hostile header cannot exhaust the machine.
inline constexpr long long kMaxPixels = 400'000'000;
// The limit in force: kMaxPixels unless lowered. The fuzzers lower it so that they spend
// their time exploring decoders rather than filling gigabyte buffers.
long long MaxPixels();
void SetMaxPixels(long long pixels);

// Error numbers of the imaging layer, as Status and Result carry them. 1 shares its
// meaning with the Picture result code 1; the others stay clear of the codes Picture
// makes itself (2 and 5) so a caller can tell them apart in a message.
enum ErrorCode : int {
    kErrNone = 0,
    kErrNoMemory = 1,       // an allocation failed
    kErrCannotOpen = 10,    // the file could not be opened for reading
    kErrReadFailed = 11,    // reading the file failed part way
    kErrWriteFailed = 12,   // the file could not be created or written completely
    kErrBadData = 13,       // not a picture of this format, or corrupt beyond reading
    kErrTruncated = 14,     // the picture data ends early
    kErrTooLarge = 15,      // more than kMaxPixels pixels, or a side over 65535 in JPEG
    kErrBadArgument = 16,   // a size below 1, a rectangle outside the picture, no buffer
    kErrUnsupported = 17,   // a variant of the format this layer does not read
    kErrFilterFailed = 18,  // the pixel operation failed inside OpenCV
    kErrNoSurface = 19,     // drawing without a painter
    kErrNoResource = 20,    // no bitmap resource of that id
};

} // namespace img
