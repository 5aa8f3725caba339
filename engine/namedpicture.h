#pragma once

#include <string>

#include "engine/screen.h"

namespace barmen {

// A picture that is only the name of its file: for what plays the story
// without drawing it, the author's tool and the tests.
struct NamedPicture final : Picture {
    explicit NamedPicture(std::string f) : file(std::move(f)) {}
    std::string file;
};

} // namespace barmen
