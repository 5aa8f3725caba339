#include "engine/textblock.h"

namespace barmen {

std::string joinLines(const Lines &lines)
{
    std::string block;
    for (std::size_t i = 0; i < lines.count; ++i) {
        if (i > 0)
            block += "\r\n";
        block += lines[i];
    }
    return block;
}

std::string initialText(const Lines &title)
{
    return joinLines(title) + "\r\n";
}

} // namespace barmen
