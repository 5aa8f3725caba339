#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/game.h"
#include "engine/textblock.h"
#include "fakes.h"
#include "scratchfolder.h"
#include "story/labels.h"
#include "story/story.h"
#include "system/savefile.h"

namespace barmen {
namespace {

// The labels that players' save files of this release may hold.
std::vector<std::string> savedLabels()
{
    std::ifstream in(BARMEN_SAVED_LABELS);
    std::vector<std::string> labels;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line.front() != '#')
            labels.push_back(line);
    return labels;
}

// Every label a released save may hold, written through the real save file
// and loaded back, leads the next press to that label's own row: a label
// renamed or dropped from the story strands every save that holds it.
TEST(SaveContract, everySavedLabelOfTheReleaseLoadsAndPlaysOn)
{
    const std::vector<std::string> labels = savedLabels();
    ASSERT_EQ(labels.size(), label::all.size()) << "story/saved-labels.txt holds every label of the release";
    const Story &story = story::theStory();
    test::ScratchFolder folder;
    ASSERT_TRUE(folder.valid());
    for (const std::string &saved : labels) {
        SCOPED_TRACE(saved);
        test::RecordingScreen screen;
        test::FakePictures pictures;
        test::ScriptedDice dice;
        dice.values = {0.5f, 0.5f, 0.5f, 0.5f};   // one draw of the golem's move: four values
        system::SaveFile saves{folder.file("save.sav")};
        Game game{story, screen, pictures, dice, saves};
        game.state().prevLabel = saved;
        ASSERT_EQ(game.save().kind, StepResult::Kind::Performed);
        game.state() = {};
        ASSERT_EQ(game.load().kind, StepResult::Kind::Performed);
        ASSERT_EQ(game.state().sceneLabel, saved);

        std::vector<ActionButton> hits;
        for (ActionButton b : actionButtons)
            if (story.table(b).find(saved, game.state().battleRoll))
                hits.push_back(b);
        ASSERT_FALSE(hits.empty()) << "no button has a row for this saved label";
        const SceneRow &row = *story.table(hits.front()).find(saved, game.state().battleRoll);
        ASSERT_EQ(game.press(hits.front()).kind, StepResult::Kind::Performed);
        if (!row.text.empty()) {
            EXPECT_EQ(screen.ops.back(), "text:" + joinLines(row.text));
        }
        if (!row.next.empty()) {
            EXPECT_EQ(game.state().sceneLabel, row.next);
        }
    }
}

} // namespace
} // namespace barmen
