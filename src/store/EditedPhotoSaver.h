#pragma once

#include "store/PhotoEditSource.h"
#include "store/VersionFailure.h"

#include <string>
#include <vector>

class Picture;
class PictureStore;
class Settings;

// Writes an edited picture back over a photo's versions. Each writer may reduce the
// picture it is given in place, so the order is part of the result: the thumbnail is
// made from the picture as the full-screen writer left it.
class EditedPhotoSaver {
  public:
    // Edited from the original or the high-resolution version: with ModifyHighResOnEdit
    // on (read now), the edited picture becomes the high-resolution version and, where no
    // original is kept yet, the unedited source becomes the original. Then, from any
    // source, the full-screen version and the thumbnail. A failure does not stop the
    // later versions; every failure is returned in order.
    static std::vector<VersionFailure> Save(const PictureStore& store, const Settings& settings,
                                            const std::string& fileName,
                                            PhotoEditSource::Version source, Picture& edited,
                                            const Picture& unedited);
};
