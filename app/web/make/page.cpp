#include "app/web/make/page.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string_view>
#include <vector>

#include "engine/textblock.h"
#include "layout/form1.h"
#include "story/story.h"
#include "system/failure.h"

namespace barmen::web {

namespace {

using layout::Control;
using layout::Kind;

using system::Word;
using system::word;

// Scripts and WebAssembly from the page's own origin only; WebAssembly needs
// 'wasm-unsafe-eval' to compile, and nothing here needs eval or inline code.
constexpr std::string_view contentPolicy =
    "default-src 'none'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; img-src 'self'; "
    "font-src 'self'; connect-src 'self'; base-uri 'none'; form-action 'none'";

std::string escaped(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        case '\r': break;   // a textarea's lines end in LF; CR LF reads back the same
        default: out += c;
        }
    }
    return out;
}

// A length of the layout in pixels, scaled with the window: --u is one of
// the window's pixels on this screen.
std::string u(double pixels)
{
    std::ostringstream out;
    out << "calc(var(--u) * " << pixels << ")";
    return out.str();
}

std::string colour(std::uint32_t rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", unsigned(rgb & 0xFFFFFF));
    return text;
}

double pixelsOf(double points)
{
    return points * 96.0 / 72.0;
}

std::string fontOf(const layout::Font &font)
{
    std::ostringstream out;
    out << (font.bold() ? "bold " : "") << u(pixelsOf(font.points)) << " \"" << font.face << "\"";
    return out.str();
}

// The stored order: an earlier control lies above a later one.
int stackOrder(const Control &c)
{
    int i = 0;
    while (&layout::controls[std::size_t(i)] != &c)
        ++i;
    return int(layout::controls.size()) - i;
}

void element(std::ostream &html, const Control &c, const Story &story, std::string_view indent);

// The focusable controls inside a parent, in tab order: the page's order is
// the tab order, so Tab needs no tabindex.
void children(std::ostream &html, std::string_view parent, const Story &story, std::string_view indent)
{
    std::vector<const Control *> inside;
    for (const Control &c : layout::controls)
        if (c.parent == parent)
            inside.push_back(&c);
    std::stable_sort(inside.begin(), inside.end(), [](const Control *a, const Control *b) {
        const int ta = a->tabIndex < 0 ? 1000 : a->tabIndex, tb = b->tabIndex < 0 ? 1000 : b->tabIndex;
        return ta < tb;
    });
    for (const Control *c : inside)
        element(html, *c, story, indent);
}

void element(std::ostream &html, const Control &c, const Story &story, std::string_view indent)
{
    const std::string id(c.name);
    switch (c.kind) {
    case Kind::Frame:
        html << indent << "<fieldset id=\"" << id << "\" class=\"frame\"><legend>" << escaped(c.caption) << "</legend>\n";
        children(html, c.name, story, std::string(indent) + "  ");
        html << indent << "</fieldset>\n";
        break;
    case Kind::Button:
        // First focus is on the focusable control with the lowest tab index.
        html << indent << "<button id=\"" << id << "\" type=\"button\""
             << (&c == layout::tabOrder().front() ? " autofocus" : "") << ">" << escaped(c.caption) << "</button>\n";
        break;
    case Kind::TextBox:
        html << indent << "<textarea id=\"" << id << "\" readonly spellcheck=\"false\" aria-label=\""
             << word(Word::StoryBox) << "\">"
             << escaped(initialText(story.title.text)) << "</textarea>\n";
        break;
    case Kind::Label:
        html << indent << "<div id=\"" << id << "\" class=\"label\">" << escaped(c.caption) << "</div>\n";
        break;
    case Kind::Image:
        // The picture stored with the window until the first scene; a scene's
        // picture is drawn into the canvas.
        html << indent << "<div id=\"" << id << "\" class=\"picture\"><img src=\"default-" << id << (id == "bg" ? ".jpg" : ".gif")
             << "\" alt=\"\"><canvas hidden></canvas></div>\n";
        break;
    }
}

std::string markup()
{
    const Story &story = story::theStory();
    std::ostringstream html;
    html << "<!DOCTYPE html>\n<html lang=\"ko\">\n<head>\n<meta charset=\"utf-8\">\n"
         << "<meta http-equiv=\"Content-Security-Policy\" content=\"" << contentPolicy << "\">\n"
         << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         << "<title>" << escaped(layout::windowCaption) << "</title>\n"
         << "<link rel=\"preload\" href=\"nanum-gothic.woff2\" as=\"font\" type=\"font/woff2\" crossorigin>\n"
         << "<link rel=\"icon\" href=\"barmen.png\">\n"
         << "<link rel=\"stylesheet\" href=\"barmen.css\">\n"
         << "<script src=\"barmen.js\" defer></script>\n"
         << "</head>\n<body>\n"
         // Busy until every picture is in memory and the buttons answer.
         << "<main id=\"" << layout::windowName << "\" aria-label=\"" << escaped(layout::windowCaption)
         << "\" aria-busy=\"true\">\n";
    children(html, layout::windowName, story, "  ");
    html << "</main>\n"
         << "<dialog id=\"message\" aria-labelledby=\"message-text\"><p id=\"message-text\"></p>"
         << "<button id=\"message-ok\" type=\"button\" autofocus>" << word(Word::MessageOk) << "</button></dialog>\n"
         << "<p id=\"ended\" hidden>" << word(Word::GameEnded) << " <a href=\"\">" << word(Word::StartAgain) << "</a></p>\n"
         << "</body>\n</html>\n";
    return html.str();
}

void box(std::ostream &css, const Control &c)
{
    const layout::Rect r = c.place.pixels();
    css << "#" << c.name << " { left: " << u(r.left) << "; top: " << u(r.top) << "; z-index: " << stackOrder(c) << ";";
    if (c.kind != Kind::Image)
        css << " width: " << u(r.width) << "; height: " << u(r.height) << ";";
    if (c.font)
        css << " font: " << fontOf(*c.font) << ";";
    // After the font, whose shorthand would set it back to normal.
    if (c.kind == Kind::TextBox)
        css << " line-height: " << u(layout::storyBox.lineHeight) << ";";
    css << " }\n";
}

std::string style()
{
    const layout::Rect window = layout::clientArea.pixels();
    std::ostringstream css;
    css << "/* Written by barmen-web-make from the window's layout. */\n";
    // "굴림" and "돋움" are the page's own faces, the Nanum faces the Linux game
    // maps them onto, so a player's own fonts of those names never stand in.
    // The text is shown at once in whatever face is there until they arrive.
    for (std::string_view face : {"굴림", "돋움"})
        for (auto [weight, file] : {std::pair{400, "nanum-gothic"}, std::pair{700, "nanum-gothic-bold"}})
            css << "@font-face { font-family: \"" << face << "\"; src: url(" << file << ".woff2) format(\"woff2\"); font-weight: "
                << weight << "; font-display: swap; }\n";
    css << ":root { --u: min(calc(100vw / " << window.width << "), calc(100dvh / " << window.height << ")); }\n"
        << "html, body { margin: 0; height: 100%; overflow: hidden; background: #3a3a3a; touch-action: manipulation; }\n"
        << "body { font: " << u(12) << " \"굴림\", sans-serif; -webkit-text-size-adjust: none; }\n"
        << "#" << layout::windowName << " { position: absolute; overflow: hidden; background: #f0f0f0; color: #000;"
        << " width: " << u(window.width) << "; height: " << u(window.height) << ";"
        << " left: calc((100vw - " << u(window.width) << ") / 2); top: calc((100dvh - " << u(window.height) << ") / 2); }\n"
        << "#" << layout::windowName << " > *, .frame > * { position: absolute; box-sizing: border-box; margin: 0; }\n"
        << ".frame { padding: 0; border: 0; min-inline-size: 0; cursor: crosshair; }\n"
        << ".frame::before { content: \"\"; position: absolute; inset: " << u(6) << " 0 0 0; border: " << u(1)
        << " solid #a0a0a0; border-radius: " << u(2) << "; box-shadow: inset " << u(1) << " " << u(1) << " #fff; }\n"
        << ".frame > legend { left: " << u(6) << "; top: 0; padding: 0 " << u(2) << "; line-height: " << u(12)
        << "; background: #f0f0f0; float: none; }\n"
        << "button { font: inherit; padding: 0 " << u(2) << "; cursor: default; color: #000; background: #fdfdfd;"
        << " border: " << u(1) << " solid #adadad; border-radius: " << u(2) << "; word-break: keep-all; overflow-wrap: anywhere; }\n"
        << "button:hover { background: #e5f1fb; border-color: #0078d7; }\n"
        << "#" << layout::windowName << "[aria-busy] button { cursor: progress; }\n"
        << "button:active { background: #cce4f7; }\n"
        << "button:focus-visible { outline: " << u(1) << " dotted #000; outline-offset: " << u(-4) << "; }\n"
        << "textarea { resize: none; overflow: hidden; padding: " << u(layout::storyBox.margin) << "; border: " << u(1)
        << " inset #e3e3e3; background: " << colour(layout::storyBox.background) << "; color: "
        << colour(layout::storyBox.ink) << "; white-space: pre-wrap;"
        << " word-break: keep-all; overflow-wrap: break-word; }\n"
        << ".label { background: #f0f0f0; white-space: nowrap; overflow: hidden; }\n"
        << ".picture { cursor: default; line-height: 0; }\n"
        << ".picture > * { display: block; }\n"
        << ".picture > [hidden] { display: none; }\n"
        << ".picture > canvas { width: calc(var(--u) * var(--w)); height: calc(var(--u) * var(--h)); }\n";
    const layout::Rect bg = layout::defaultBackground, ch = layout::defaultCharacter;
    css << "#bg > img { width: " << u(bg.width) << "; height: " << u(bg.height) << "; }\n"
        << "#ch > img { width: " << u(ch.width) << "; height: " << u(ch.height) << "; }\n"
        // The border is padding on black, so it scales with the window as the
        // picture does (a border under one pixel wide would be rounded up).
        << "#bg { padding: " << u(layout::backgroundBorder) << "; background: #000; }\n";
    for (const Control &c : layout::controls)
        box(css, c);
    css << "dialog { font: " << u(12) << " \"굴림\", sans-serif; min-width: " << u(240) << "; max-width: " << u(480)
        << "; padding: " << u(16) << "; border: " << u(1) << " solid #888; background: #f0f0f0; text-align: center; }\n"
        << "dialog::backdrop { background: rgb(0 0 0 / 0.2); }\n"
        << "#message-text { margin: 0 0 " << u(16) << "; white-space: pre-line; text-align: start; }\n"
        << "#message-ok { position: static; width: " << u(88) << "; height: " << u(26) << "; }\n"
        << "#ended { color: #fff; font: " << u(15) << " \"굴림\", sans-serif; text-align: center; margin: 0;"
        << " position: absolute; top: 50%; width: 100%; transform: translateY(-50%); }\n"
        << "#ended a { color: #9fd0ff; }\n";
    return css.str();
}

} // namespace

bool writePage(const std::string &folder)
{
    std::ofstream html(folder + "/index.html", std::ios::binary);
    html << markup();
    std::ofstream css(folder + "/barmen.css", std::ios::binary);
    css << style();
    return bool(html) && bool(css);
}

std::string pageText()
{
    std::string text;
    for (Word w : {Word::MessageOk, Word::GameEnded, Word::StartAgain, Word::StoryBox})
        text.append(word(w)).append("\n");
    return text;
}

} // namespace barmen::web
