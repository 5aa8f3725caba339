#include "engine/game.h"

#include "engine/duel.h"
#include "engine/textblock.h"

namespace barmen {

namespace {

StepResult outcome(StepResult::Kind kind, std::string file, Doing doing, Problem problem)
{
    StepResult result;
    result.kind = kind;
    result.file = std::move(file);
    result.doing = doing;
    result.problem = problem;
    return result;
}

} // namespace

// Both pictures of a scene, decoded before anything changes, so a missing
// file leaves the screen and the state as they were.
struct Game::Pictures {
    std::unique_ptr<Picture> bg;
    std::unique_ptr<Picture> ch;
    StepResult failure;
};

Game::Game(const Story &story, Screen &screen, PictureSource &pictures, Dice &dice, SaveStore &saves)
    : m_story(story)
    , m_screen(screen)
    , m_pictures(pictures)
    , m_dice(dice)
    , m_saves(saves)
{
}

Game::Pictures Game::loadPictures(std::string_view bg, std::string_view ch)
{
    Pictures result;
    for (auto [file, slot] : {std::pair{bg, &result.bg}, std::pair{ch, &result.ch}}) {
        if (file.empty())
            continue;
        PictureLoad load = m_pictures.load(file);
        if (!load.picture) {
            result.failure.kind = StepResult::Kind::PictureFailed;
            result.failure.file = std::string(file);
            result.failure.problem = load.problem;
            result.failure.picture = load.detail;
            result.bg.reset();
            result.ch.reset();
            return result;
        }
        *slot = std::move(load.picture);
    }
    result.failure.kind = StepResult::Kind::Performed;
    return result;
}

bool Game::anyButtonAnswers(std::string_view label) const
{
    for (ActionButton button : actionButtons)
        for (const SceneRow &row : m_story.table(button).rows())
            if (row.label == label)
                return true;
    return false;
}

StepResult Game::press(ActionButton button)
{
    const SceneRow *row = m_story.table(button).find(m_state.sceneLabel, m_state.battleRoll);
    if (!row)
        return {};
    return perform(*row);
}

StepResult Game::perform(const SceneRow &row)
{
    Pictures pictures = loadPictures(row.bg, row.ch);
    if (pictures.failure.failed())
        return std::move(pictures.failure);

    StepResult result;
    result.kind = StepResult::Kind::Performed;
    if (pictures.bg || pictures.ch)
        m_screen.showScene(std::move(pictures.bg), std::move(pictures.ch));
    if (row.draw) {
        m_state.battleRoll = drawBattleRoll(m_dice);
        result.roll = m_state.battleRoll;
    }
    if (!row.text.empty())
        m_screen.setText(joinLines(row.text));
    if (row.copy)
        m_state.prevLabel = m_state.sceneLabel;
    if (!row.next.empty())
        m_state.sceneLabel = row.next;
    return result;
}

StepResult Game::start()
{
    const TitleScreen &title = m_story.title;
    // Both pictures first: a missing title picture must not leave a half-started game.
    Pictures pictures = loadPictures(title.bg, title.ch);
    if (pictures.failure.failed())
        return std::move(pictures.failure);

    // prevLabel and battleRoll keep whatever the last game left in them.
    m_state.sceneLabel = title.label;
    m_screen.setText(joinLines(title.text));
    // A title without one of its pictures keeps what the window shows there.
    if (pictures.bg || pictures.ch)
        m_screen.showScene(std::move(pictures.bg), std::move(pictures.ch));
    return std::move(pictures.failure);
}

StepResult Game::save()
{
    // Before the first scene there is nothing to keep, and writing the empty
    // label would turn a good save into one that leads nowhere.
    if (m_state.prevLabel.empty())
        return outcome(StepResult::Kind::SaveFailed, {}, Doing::Writing, {Failure::NothingToSave});
    // The label of the scene on screen, so a load replays that scene.
    SaveStore::Result saved = m_saves.write(m_state.prevLabel);
    if (!saved.ok)
        return outcome(StepResult::Kind::SaveFailed, std::move(saved.file), saved.doing, saved.problem);
    return outcome(StepResult::Kind::Performed, std::move(saved.file), saved.doing, saved.problem);
}

StepResult Game::run(Command command)
{
    if (const std::optional<ActionButton> action = actionOf(command))
        return press(*action);
    switch (command) {
    case Command::Start: return start();
    case Command::Save: return save();
    case Command::Load: return load();
    case Command::Quit:
    case Command::Choice1:
    case Command::Choice2:
    case Command::Choice3:
    case Command::Progress: break;
    }
    return {};
}

StepResult Game::load()
{
    SaveStore::Result loaded = m_saves.read();
    if (!loaded.ok)
        return outcome(StepResult::Kind::LoadFailed, std::move(loaded.file), loaded.doing, loaded.problem);
    // Nothing is redrawn: the next click on the button that showed the saved
    // scene shows it again.
    m_state.sceneLabel = std::move(loaded.label);
    StepResult result = outcome(StepResult::Kind::Performed, std::move(loaded.file), loaded.doing, loaded.problem);
    // A label no table knows loads all the same, but then every button would
    // seem broken: the player is told that only start and load lead on.
    if (!result.problem && !anyButtonAnswers(m_state.sceneLabel))
        result.problem = {Failure::UnknownScene};
    return result;
}

} // namespace barmen
