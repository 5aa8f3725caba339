// Saves and loads the way the game's save and load buttons do, for the fault
// tests, which run it under a file-size limit, as another user, or kill it.
//   save_helper save LABEL        save LABEL into save.sav in the current folder
//   save_helper save-long N       save a label of N Hangul syllables
//   save_helper loop LABEL LABEL  save the two labels in turn until killed;
//                                 prints "ready" after the first save
//   save_helper load              print the label save.sav holds
// Exits 0 when the save or load went through, 1 with the game's message on
// standard error when it did not.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "system/failure.h"
#include "system/files.h"
#include "system/savefile.h"

namespace {

int save(std::string_view label)
{
    const barmen::system::SaveResult saved = barmen::system::writeSave(label);
    if (saved.ok)
        return 0;
    std::fprintf(stderr, "%s\n", barmen::system::messageFor(saved).c_str());
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    // As the game does first thing.
    barmen::system::failWritesPastFileSizeLimit();
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "save" && argc == 3)
        return save(argv[2]);
    if (command == "save-long" && argc == 3) {
        std::string label;
        for (long i = std::atol(argv[2]); i > 0; --i)
            label += "가";
        return save(label);
    }
    if (command == "loop" && argc == 4) {
        if (save(argv[2]) != 0)
            return 1;
        std::printf("ready\n");
        std::fflush(stdout);
        for (;;)
            if (save(argv[3]) != 0 || save(argv[2]) != 0)
                return 1;
    }
    if (command == "load" && argc == 2) {
        const barmen::system::LoadResult loaded = barmen::system::readSave();
        if (!loaded.ok) {
            std::fprintf(stderr, "%s\n", barmen::system::messageFor(loaded).c_str());
            return 1;
        }
        std::printf("%s\n", loaded.label.c_str());
        return 0;
    }
    std::fprintf(stderr, "usage: save_helper save LABEL | save-long N | loop LABEL LABEL | load\n");
    return 2;
}
