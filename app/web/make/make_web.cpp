// barmen-web-make: what the web page is built from, written on the build
// machine from the same layout, story and converter the desktop game uses.
//   page DIR      index.html and barmen.css: Form1 as page elements
//   cp949 FILE    the CP949 bytes of every character of every label, as the
//                 desktop's own converter gives them (a C++ table)
//   text          every character the page itself can show besides the
//                 messages: story text, title, captions, picture names
//   bold          the captions shown in a bold face
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <string_view>

#include "app/web/make/page.h"
#include "engine/textblock.h"
#include "layout/form1.h"
#include "story/pictures.h"
#include "story/story.h"
#include "system/cp949.h"

namespace {

using namespace barmen;

// The code points of a UTF-8 text, each with its own bytes.
std::map<char32_t, std::string> codePoints(std::string_view text)
{
    std::map<char32_t, std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = n == 1 ? lead : lead & (0x7F >> n);
        for (std::size_t k = 1; k < n && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out.emplace(c, std::string(text.substr(i, n)));
        i += n;
    }
    return out;
}

std::string everyLabel()
{
    const Story &story = story::theStory();
    std::string all(story.title.label);
    for (ActionButton button : actionButtons)
        for (const SceneRow &row : story.table(button).rows()) {
            all += row.label;
            all += row.next;
        }
    return all;
}

int writeCp949Table(const char *path)
{
    std::ostringstream table;
    table << "// Written by barmen-web-make cp949 from the desktop's converter: every\n"
             "// character of the story's labels, by code point, with its CP949 bytes.\n";
    for (const auto &[c, utf8] : codePoints(everyLabel())) {
        if (c < 0x80)
            continue;
        const std::optional<std::string> bytes = system::cp949FromUtf8(utf8);
        if (!bytes || bytes->size() != 2) {
            std::cerr << "barmen-web-make: the converter has no CP949 for U+" << std::hex << unsigned(c) << "\n";
            return 1;
        }
        char line[64];
        std::snprintf(line, sizeof line, "{0x%04X, 0x%02X%02X},\n", unsigned(c), unsigned(static_cast<unsigned char>((*bytes)[0])),
                      unsigned(static_cast<unsigned char>((*bytes)[1])));
        table << line;
    }
    std::ofstream(path, std::ios::binary) << table.str();
    return 0;
}

int writeText()
{
    const Story &story = story::theStory();
    std::string all;
    auto lines = [&](const Lines &text) {
        for (std::string_view line : text)
            (all += line) += '\n';
    };
    lines(story.title.text);
    for (ActionButton button : actionButtons)
        for (const SceneRow &row : story.table(button).rows())
            lines(row.text);
    for (const layout::Control &c : layout::controls)
        (all += c.caption) += '\n';
    for (auto names : {std::span<const std::string_view>(pic::backgrounds), std::span<const std::string_view>(pic::characters)})
        for (std::string_view name : names)
            (all += name) += '\n';
    all += web::pageText();
    std::cout << all;
    return 0;
}

// The captions shown in a bold face.
int writeBoldText()
{
    for (const layout::Control &c : layout::controls)
        if (c.font && c.font->bold())
            std::cout << c.caption;
    std::cout << "\n";
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "page" && argc == 3)
        return web::writePage(argv[2]) ? 0 : 1;
    if (command == "cp949" && argc == 3)
        return writeCp949Table(argv[2]);
    if (command == "text" && argc == 2)
        return writeText();
    if (command == "bold" && argc == 2)
        return writeBoldText();
    std::cerr << "usage: barmen-web-make page DIR | cp949 FILE | text | bold\n";
    return 2;
}
