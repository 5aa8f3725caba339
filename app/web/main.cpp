#include <span>
#include <memory>
#include <string>

#include <emscripten/emscripten.h>

#include "app/web/form1.h"
#include "story/pictures.h"
#include "story/story.h"
#include "system/files_web.h"

// The page's side, in page.js: fetches every named file beside the page,
// hands each one the server gave to barmen_keep, then calls barmen_ready.
extern "C" void barmen_fetch(const char *names);

namespace {

std::unique_ptr<barmen::web::Form1> window;

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void barmen_keep(const char *name, const char *bytes, int length)
{
    barmen::system::keepFile(name, std::string(bytes, std::size_t(length)));
}

// Every picture is in memory, or known to be missing: from here on a click
// never waits on the network.
EMSCRIPTEN_KEEPALIVE void barmen_ready()
{
    window->connect();
}

} // extern "C"

int main()
{
    window = std::make_unique<barmen::web::Form1>(barmen::story::theStory());
    std::string names;
    for (const auto &list : {std::span<const std::string_view>(barmen::pic::backgrounds),
                             std::span<const std::string_view>(barmen::pic::characters)})
        for (std::string_view name : list)
            (names += name) += '\n';
    barmen_fetch(names.c_str());
    // The page lives on after main: the clicks call in.
    return 0;
}
