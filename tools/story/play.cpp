#include "tools/story/play.h"

#include <QDir>
#include <QFileInfo>

#include "app/qt/qtstring.h"
#include "engine/game.h"
#include "engine/namedpicture.h"
#include "system/failure.h"

namespace barmen::storytool {

namespace {

// Remembers what one step put on screen.
class StepScreen final : public Screen {
public:
    void setText(std::string_view block) override { text = std::string(block); }
    void showScene(std::unique_ptr<Picture> background, std::unique_ptr<Picture> character) override
    {
        if (background)
            bg = nameOf(*background);
        if (character)
            ch = nameOf(*character);
    }

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

void note(PlayStep &step, const StepResult &result)
{
    switch (result.kind) {
    case StepResult::Kind::Missed:
        step.note = "nothing happens";
        break;
    case StepResult::Kind::Performed:
        step.roll = result.roll;
        break;
    case StepResult::Kind::PictureFailed:
        step.note = "cannot show \"" + result.file + "\": " + system::pictureReason(result.problem.kind, result.picture);
        break;
    case StepResult::Kind::SaveFailed:
        step.note = "save failed: " + system::messageFor(result);
        break;
    case StepResult::Kind::LoadFailed:
        step.note = "load failed: " + system::messageFor(result);
        break;
    }
    step.failed = result.failed();
}

StepResult pressKey(Game &game, Key key)
{
    switch (key) {
    case Key::Progress: return game.press(ActionButton::Progress);
    case Key::Choice1: return game.press(ActionButton::Choice1);
    case Key::Choice2: return game.press(ActionButton::Choice2);
    case Key::Choice3: return game.press(ActionButton::Choice3);
    case Key::Start: return game.start();
    case Key::Save: return game.save();
    case Key::Load: return game.load();
    }
    return {};
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
        const QString name = qtString(file);
        if (!QFileInfo(QDir(*m_folder).filePath(name)).isFile())
            return {nullptr, {Failure::NoSuchFile}, {}};
    }
    return {std::make_unique<NamedPicture>(std::string(file)), {}, {}};
}

std::vector<PlayStep> play(const Story &story, PictureSource &pictures, Dice &dice, SaveStore &saves,
                           const std::string &from, const std::vector<Key> &keys)
{
    StepScreen screen;
    Game game(story, screen, pictures, dice, saves);
    game.state().sceneLabel = from;
    std::vector<PlayStep> steps;
    for (Key key : keys) {
        screen.clear();
        PlayStep step{key, {}, {}, {}, {}, {}, {}, false};
        note(step, pressKey(game, key));
        if (!step.failed && key == Key::Save)
            step.note = "saved \"" + game.state().prevLabel + "\"";
        if (!step.failed && key == Key::Load)
            step.note = "loaded \"" + game.state().sceneLabel + "\"";
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
