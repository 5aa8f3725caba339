#include "engine/game.h"

#include "engine/duel.h"
#include "engine/textblock.h"

namespace barmen {

ScenePictures loadScenePictures(PictureSource &pictures, std::string_view bg, std::string_view ch)
{
    ScenePictures result;
    for (auto [file, slot] : {std::pair{bg, &result.bg}, std::pair{ch, &result.ch}}) {
        if (file.empty())
            continue;
        PictureLoad load = pictures.load(file);
        if (!load.picture) {
            result.failure = {StepResult::Kind::PictureFailed, std::string(file), std::move(load.error)};
            result.bg.reset();
            result.ch.reset();
            return result;
        }
        *slot = std::move(load.picture);
    }
    result.failure.kind = StepResult::Kind::Performed;
    return result;
}

Game::Game(const Story &story, Screen &screen, PictureSource &pictures, Dice &dice)
    : m_story(story)
    , m_screen(screen)
    , m_pictures(pictures)
    , m_dice(dice)
{
}

const SceneTable &Game::tableOf(ActionButton button) const
{
    switch (button) {
    case ActionButton::Choice1: return m_story.choice1;
    case ActionButton::Choice2: return m_story.choice2;
    case ActionButton::Choice3: return m_story.choice3;
    case ActionButton::Progress: break;
    }
    return m_story.progress;
}

StepResult Game::press(ActionButton button)
{
    const SceneRow *row = tableOf(button).find(m_state.sceneLabel, m_state.battleRoll);
    if (!row)
        return {};
    return perform(*row);
}

StepResult Game::perform(const SceneRow &row)
{
    ScenePictures pictures = loadScenePictures(m_pictures, row.bg, row.ch);
    if (pictures.failure.failed())
        return std::move(pictures.failure);

    if (pictures.bg)
        m_screen.showBackground(std::move(pictures.bg));
    if (pictures.ch)
        m_screen.showCharacter(std::move(pictures.ch));
    if (row.draw)
        m_state.battleRoll = drawBattleRoll(m_dice);
    if (!row.text.empty())
        m_screen.setText(joinLines(row.text));
    if (row.copy)
        m_state.prevLabel = m_state.sceneLabel;
    if (!row.next.empty())
        m_state.sceneLabel = row.next;
    return {StepResult::Kind::Performed, {}, {}};
}

} // namespace barmen
