#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "engine/failure.h"

namespace barmen {

// A decoded picture, held by whichever front end decoded it.
class Picture {
public:
    virtual ~Picture() = default;
};

// The result of loading one picture file: a picture, or the reason there is none.
struct PictureLoad {
    std::unique_ptr<Picture> picture;
    Problem problem;         // set when picture is null
    PictureDetail detail;    // what the decoder knew of the file it refused
};

// Turns a picture file name, as stored in the story, into a decoded picture.
class PictureSource {
public:
    virtual ~PictureSource() = default;
    virtual PictureLoad load(std::string_view file) = 0;
};

// The things the game may do to the window: replace the text, and give the
// two pictures, bg and ch, their new pictures.
class Screen {
public:
    virtual ~Screen() = default;
    virtual void setText(std::string_view block) = 0;   // lines joined by CR LF
    // Both pictures of one step in one call, so a window that composes them
    // does so once. A null picture leaves that control's picture as it is;
    // the game never calls with both null.
    virtual void showScene(std::unique_ptr<Picture> bg, std::unique_ptr<Picture> ch) = 0;
};

} // namespace barmen
