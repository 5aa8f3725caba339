#pragma once

#include <string>
#include <string_view>

#include "engine/failure.h"

namespace barmen {

// Where the save and load buttons keep a label between runs. The game's is the
// one-line save file; tests hand in one that lives in memory.
class SaveStore {
public:
    struct Result {
        bool ok = false;
        std::string label;     // what a read gave back
        std::string file;      // the save's name, as the player would look for it
        Doing doing = Doing::Writing;   // what failed, when not ok
        Problem problem;       // why, when not ok; when ok, what the player should still know
    };

    virtual ~SaveStore() = default;
    virtual Result write(std::string_view label) = 0;
    virtual Result read() = 0;
};

} // namespace barmen
