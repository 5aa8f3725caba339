#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/failure.h"
#include "pictures/picture.h"

namespace barmen::pictures {

// No picture of the game comes near this; a bigger file is not one of ours.
inline constexpr std::size_t maxFileBytes = 8 * 1024 * 1024;

struct Loaded {
    Image image;            // null when the file gave no picture
    Problem problem;        // why, by kind (system::pictureReason gives the words)
    PictureDetail detail;   // what the decoder knew of a file it refused
};

// Reads the picture file of that name (UTF-8, relative to the current
// folder) anew and decodes it. Every refusal comes with its reason: missing,
// a link to nothing, a folder or other non-file, too large, unreadable,
// empty, or what the decoder found.
Loaded load(std::string_view file);

} // namespace barmen::pictures
