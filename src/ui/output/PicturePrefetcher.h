#pragma once

#include "imaging/Picture.h"

#include <QImage>

#include <future>
#include <string>
#include <vector>

// Decodes the pictures a show will need next on threads of their own, so that a step
// finds its picture ready instead of waiting for the disk and the decoder. A picture
// asked for that was not decoded ahead is decoded on the spot.
class PicturePrefetcher {
  public:
    // A picture file fitted into a box, as a show step shows it.
    struct Request {
        std::string path;
        int boxWidth = 0;
        int boxHeight = 0;
        bool operator==(const Request&) const = default;
    };

    // A picture ready for its step: fitted, with its palette, and copied into the form
    // the screen takes, so that painting it is a plain copy, without a conversion.
    struct Ready {
        Picture picture;
        QImage screenImage;
    };

    PicturePrefetcher() = default;
    // Waits for the decodes still running; they touch nothing but their own picture.
    ~PicturePrefetcher();
    PicturePrefetcher(const PicturePrefetcher&) = delete;
    PicturePrefetcher& operator=(const PicturePrefetcher&) = delete;

    // Starts decoding unless the same request is already under way.
    void Prefetch(const Request& request);
    // True when a decode of the request ran ahead and is finished.
    bool IsReady(const Request& request) const;
    // The picture of the request: the one decoded ahead (waiting for it to finish),
    // else one decoded now. Decodes ahead for other requests are dropped once done.
    Ready Take(const Request& request);

    // The file fitted into the box, as large as fits with its proportions, with its
    // display palette built; empty when the file cannot be read.
    static Ready Decode(const Request& request);

  private:
    struct Pending {
        Request request;
        std::future<Ready> picture;
    };
    std::vector<Pending> m_pending;
};
