#include "tools/story/export.h"

#include <cstdio>

#include "tools/story/tables.h"

namespace barmen::storytool {

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
                out += escaped;
            } else {
                out += c;   // UTF-8 bytes of Hangul pass through unchanged
            }
        }
    }
    return out + "\"";
}

namespace {

std::string stringOrNull(std::string_view text)
{
    return text.empty() ? "null" : jsonString(text);
}

std::string textOrNull(const Lines &text)
{
    if (text.empty())
        return "null";
    std::string out = "[";
    for (std::size_t i = 0; i < text.count && i < maxLines; ++i)
        out += (i ? ", " : "") + jsonString(text[i]);
    return out + "]";
}

std::string rowJson(const SceneRow &row)
{
    const auto flag = [](bool b) { return b ? "true" : "false"; };
    return std::string("{\"label\": ") + jsonString(row.label)
           + ", \"roll\": " + (row.roll ? std::to_string(row.roll) : "null")
           + ", \"draw\": " + flag(row.draw)
           + ", \"bg\": " + stringOrNull(row.bg)
           + ", \"ch\": " + stringOrNull(row.ch)
           + ", \"text\": " + textOrNull(row.text)
           + ", \"copy\": " + flag(row.copy)
           + ", \"next\": " + stringOrNull(row.next) + "}";
}

} // namespace

void writeJson(const Story &story, std::ostream &out)
{
    // One row a line, so the export also reads well and diffs well as text.
    out << "{\n";
    bool firstTable = true;
    for (const Button &button : buttonsOf(story)) {
        out << (firstTable ? "" : ",\n") << "  " << jsonString(button.name) << ": [";
        firstTable = false;
        bool firstRow = true;
        for (const SceneRow &row : button.table->rows()) {
            out << (firstRow ? "\n    " : ",\n    ") << rowJson(row);
            firstRow = false;
        }
        out << (firstRow ? "]" : "\n  ]");
    }
    out << "\n}\n";
}

} // namespace barmen::storytool
