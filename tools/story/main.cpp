// barmen-story: the author's tool for the story tables. Checks them, exports
// them as JSON, draws their graph, and plays them headless.
#include <algorithm>
#include <cstdint>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>

#include "engine/duel.h"
#include "layout/form1.h"
#include "story/story.h"
#include "system/savefile.h"
#include "tools/story/export.h"
#include "tools/story/graph.h"
#include "tools/story/lint.h"
#include "tools/story/play.h"
#include "tools/story/tables.h"

namespace {

using namespace barmen;
using namespace barmen::storytool;

constexpr char usage[] =
    "usage: barmen-story lint [--assets DIR]\n"
    "       barmen-story export\n"
    "       barmen-story graph\n"
    "       barmen-story play [--seed N] [--from LABEL] [--assets DIR] KEY...\n"
    "       barmen-story layout\n"
    "\n"
    "  lint    check the four scene tables, the text widths and the pictures in DIR\n"
    "          (default: the current folder); one line per fault, exit 1 if any\n"
    "  export  the four tables as JSON on standard output\n"
    "  graph   the story graph in Graphviz DOT on standard output\n"
    "  play    press KEYs in order through the game's engine and print each step;\n"
    "          KEY is p, 1, 2, 3, start, save or load, KEY*N presses it N times.\n"
    "          --seed N repeats the golem's moves; --from LABEL starts there;\n"
    "          pictures must exist in DIR (default: the current folder);\n"
    "          save and load use save.sav in the current folder\n"
    "  layout  every control of the window, one a line: name, left, top, width,\n"
    "          height and centre in the window's client area, in pixels\n";

int usageError(const std::string &why = {})
{
    if (!why.empty())
        std::cerr << "barmen-story: " << why << "\n";
    std::cerr << usage;
    return 2;
}

// The options a command takes, read from the words after it.
struct Options {
    QString assets = QStringLiteral(".");
    std::optional<std::uint32_t> seed;
    std::string from;
    std::vector<std::string> rest;
};

std::optional<std::uint32_t> parseSeed(const std::string &text)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const unsigned long long value = std::stoull(text);
    if (value > 0xFFFFFFFFull)
        return std::nullopt;
    return std::uint32_t(value);
}

// Null, with the reason in why, when an option is unknown or lacks its value.
std::optional<Options> parseOptions(const std::vector<std::string> &words, const std::vector<std::string> &allowed,
                                    std::string &why)
{
    Options options;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string &word = words[i];
        if (word.rfind("--", 0) != 0) {
            options.rest.push_back(word);
            continue;
        }
        if (std::find(allowed.begin(), allowed.end(), word) == allowed.end()) {
            why = "unknown option " + word;
            return std::nullopt;
        }
        if (i + 1 == words.size()) {
            why = word + " needs a value";
            return std::nullopt;
        }
        const std::string &value = words[++i];
        if (word == "--assets") {
            options.assets = QString::fromStdString(value);
        } else if (word == "--from") {
            options.from = value;
        } else if (word == "--seed") {
            options.seed = parseSeed(value);
            if (!options.seed) {
                why = "--seed takes a whole number from 0 to 4294967295";
                return std::nullopt;
            }
        }
    }
    return options;
}

int runLint(const Options &options, int argc, char **argv)
{
    // Measuring text needs a GUI application, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A QApplication: lint measures lines in the story box widget itself.
    QApplication app(argc, argv);
    const std::vector<Fault> faults = lint(story::theStory(), options.assets.toStdString());
    for (const Fault &fault : faults)
        std::cout << fault.line() << "\n";
    if (!faults.empty())
        std::cerr << faults.size() << (faults.size() == 1 ? " fault\n" : " faults\n");
    return faults.empty() ? 0 : 1;
}

bool isTested(const Story &story, std::string_view label)
{
    return edgesOf(story).count(label) > 0;
}

int runPlay(const Options &options)
{
    const Story &story = story::theStory();
    const std::optional<std::vector<Key>> keys = parseKeys(options.rest);
    if (!keys || keys->empty())
        return usageError(keys ? "play needs at least one KEY" : "unknown KEY among: p 1 2 3 start save load");
    if (!options.from.empty() && !isTested(story, options.from))
        return usageError("no table tests the label \"" + options.from + "\"");

    ClockDice dice = options.seed ? ClockDice(*options.seed) : ClockDice();
    NamedPictures pictures(options.assets);
    system::SaveFile saves;
    const std::vector<PlayStep> steps = play(story, pictures, dice, saves, options.from, *keys);
    printSteps(steps, std::cout);
    const bool failed = std::any_of(steps.begin(), steps.end(), [](const PlayStep &s) { return s.failed; });
    return failed ? 1 : 0;
}

// For scripts that click the window: where each control lies.
void writeLayout(std::ostream &out)
{
    for (const layout::Control &c : layout::controls) {
        const layout::Rect r = layout::inWindow(c);
        out << c.name << ' ' << r.left << ' ' << r.top << ' ' << r.width << ' ' << r.height << ' '
            << r.left + r.width / 2 << ' ' << r.top + r.height / 2 << '\n';
    }
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usageError();
    const std::string &command = args[0];
    if (command == "-h" || command == "--help") {
        std::cout << usage;
        return 0;
    }

    static const std::map<std::string, std::vector<std::string>> optionsOf = {
        {"lint", {"--assets"}}, {"export", {}}, {"graph", {}}, {"layout", {}}, {"play", {"--seed", "--from", "--assets"}},
    };
    const auto allowed = optionsOf.find(command);
    if (allowed == optionsOf.end())
        return usageError("unknown command " + command);
    std::string why;
    const std::optional<Options> options =
        parseOptions({args.begin() + 1, args.end()}, allowed->second, why);
    if (!options)
        return usageError(why);
    if (command != "play" && !options->rest.empty())
        return usageError(command + " takes no argument " + options->rest.front());

    if (command == "lint")
        return runLint(*options, argc, argv);
    if (command == "export")
        barmen::storytool::writeJson(barmen::story::theStory(), std::cout);
    else if (command == "graph")
        barmen::storytool::writeDot(barmen::story::theStory(), std::cout);
    else if (command == "layout")
        writeLayout(std::cout);
    else
        return runPlay(*options);
    return std::cout.good() ? 0 : 1;
}
