#pragma once

#include <string>
#include <string_view>

namespace barmen {

// Where the save and load buttons keep a label between runs. The game's is the
// one-line save file; tests hand in one that lives in memory.
class SaveStore {
public:
    struct Result {
        bool ok = false;
        std::string label;   // what a read gave back
        std::string error;   // for the player, when not ok
    };

    virtual ~SaveStore() = default;
    virtual Result write(std::string_view label) = 0;
    virtual Result read() = 0;
};

} // namespace barmen
