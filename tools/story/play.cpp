#include "tools/story/play.h"

#include <QDir>
#include <QFileInfo>

#include "engine/game.h"
#include "system/savefile.h"
#include "system/start.h"

namespace barmen::storytool {

namespace {

struct NamedPicture final : Picture {
    explicit NamedPicture(std::string f) : file(std::move(f)) {}
    std::string file;
};

// Remembers what one step put on screen.
class StepScreen final : public Screen {
public:
    void setText(std::string_view block) override { text = std::string(block); }
    void showBackground(std::unique_ptr<Picture> picture) override { bg = nameOf(*picture); }
    void showCharacter(std::unique_ptr<Picture> picture) override { ch = nameOf(*picture); }

    void clear()
    {
        bg.clear();
        ch.clear();
        text.reset();
    }

    std::string bg, ch;
    std::optional<std::string> text;

private:
    static std::string nameOf(const Picture &picture)
    {
        const auto *named = dynamic_cast<const NamedPicture *>(&picture);
        return named ? named->file : "?";
    }
};

const std::pair<const char *, Key> keyWords[] = {
    {"p", Key::Progress}, {"1", Key::Choice1}, {"2", Key::Choice2}, {"3", Key::Choice3},
    {"start", Key::Start}, {"save", Key::Save}, {"load", Key::Load},
};

std::optional<Key> keyOf(const std::string &word)
{
    for (const auto &[name, key] : keyWords)
        if (word == name)
            return key;
    return std::nullopt;
}

ActionButton buttonOf(Key key)
{
    switch (key) {
    case Key::Choice1: return ActionButton::Choice1;
    case Key::Choice2: return ActionButton::Choice2;
    case Key::Choice3: return ActionButton::Choice3;
    default: return ActionButton::Progress;
    }
}

const SceneTable &tableOf(const Story &story, ActionButton button)
{
    switch (button) {
    case ActionButton::Choice1: return story.choice1;
    case ActionButton::Choice2: return story.choice2;
    case ActionButton::Choice3: return story.choice3;
    case ActionButton::Progress: break;
    }
    return story.progress;
}

void noteFailure(PlayStep &step, const StepResult &result)
{
    step.failed = true;
    step.note = "cannot show \"" + result.file + "\": " + result.reason;
}

void pressButton(const Story &story, Game &game, Key key, PlayStep &step)
{
    const ActionButton button = buttonOf(key);
    // Looked up beforehand only to tell whether this press draws the golem's move.
    const SceneRow *row = tableOf(story, button).find(game.state().sceneLabel, game.state().battleRoll);
    const StepResult result = game.press(button);
    if (result.kind == StepResult::Kind::Missed)
        step.note = "nothing happens";
    else if (result.failed())
        noteFailure(step, result);
    else if (row && row->draw)
        step.roll = game.state().battleRoll;
}

void save(const GameState &state, PlayStep &step)
{
    const system::SaveResult saved = system::writeSave(state.prevLabel);
    step.failed = !saved.ok;
    step.note = saved.ok ? "saved \"" + state.prevLabel + "\"" : "save failed: " + saved.error.toStdString();
}

void load(GameState &state, PlayStep &step)
{
    system::LoadResult loaded = system::readSave();
    step.failed = !loaded.ok;
    if (!loaded.ok) {
        step.note = "load failed: " + loaded.error.toStdString();
        return;
    }
    step.note = "loaded \"" + loaded.label + "\"";
    state.sceneLabel = std::move(loaded.label);
}

} // namespace

std::optional<std::vector<Key>> parseKeys(const std::vector<std::string> &words)
{
    std::vector<Key> keys;
    for (const std::string &word : words) {
        const std::size_t star = word.find('*');
        const std::optional<Key> key = keyOf(word.substr(0, star));
        if (!key)
            return std::nullopt;
        int times = 1;
        if (star != std::string::npos) {
            const std::string count = word.substr(star + 1);
            if (count.empty() || count.size() > 4 || count.find_first_not_of("0123456789") != std::string::npos)
                return std::nullopt;
            times = std::stoi(count);
        }
        keys.insert(keys.end(), std::size_t(times), *key);
    }
    return keys;
}

std::string keyName(Key key)
{
    for (const auto &[name, k] : keyWords)
        if (k == key)
            return name;
    return "?";
}

PictureLoad NamedPictures::load(std::string_view file)
{
    if (m_folder) {
        const QString name = QString::fromUtf8(file.data(), qsizetype(file.size()));
        if (!QFileInfo(QDir(*m_folder).filePath(name)).isFile())
            return {nullptr, "not a file in " + QDir(*m_folder).absolutePath().toStdString()};
    }
    return {std::make_unique<NamedPicture>(std::string(file)), {}};
}

std::vector<PlayStep> play(const Story &story, PictureSource &pictures, Dice &dice,
                           const std::string &from, const std::vector<Key> &keys)
{
    StepScreen screen;
    Game game(story, screen, pictures, dice);
    game.state().sceneLabel = from;
    std::vector<PlayStep> steps;
    for (Key key : keys) {
        screen.clear();
        PlayStep step{key, {}, {}, {}, {}, {}, {}, false};
        switch (key) {
        case Key::Start: {
            const StepResult result = system::start(game.state(), screen, pictures);
            if (result.failed())
                noteFailure(step, result);
            break;
        }
        case Key::Save: save(game.state(), step); break;
        case Key::Load: load(game.state(), step); break;
        default: pressButton(story, game, key, step); break;
        }
        step.label = game.state().sceneLabel;
        step.bg = screen.bg;
        step.ch = screen.ch;
        step.text = screen.text;
        steps.push_back(std::move(step));
    }
    return steps;
}

void printSteps(const std::vector<PlayStep> &steps, std::ostream &out)
{
    int number = 0;
    for (const PlayStep &step : steps) {
        out << '[' << ++number << "] " << keyName(step.key) << " -> \"" << step.label << "\""
            << " | bg " << (step.bg.empty() ? "-" : step.bg)
            << " | ch " << (step.ch.empty() ? "-" : step.ch);
        if (step.roll)
            out << " | golem draws " << *step.roll;
        if (!step.note.empty())
            out << " | " << step.note;
        out << '\n';
        if (!step.text)
            continue;
        // Text blocks join their lines with CR LF; one indented line each here.
        std::string_view rest = *step.text;
        while (true) {
            const std::size_t end = rest.find("\r\n");
            const std::string_view line = rest.substr(0, end);
            out << (line.empty() ? "" : "    ") << line << '\n';
            if (end == std::string_view::npos)
                break;
            rest.remove_prefix(end + 2);
        }
    }
}

} // namespace barmen::storytool
