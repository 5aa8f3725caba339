#include "story/story.h"

#include "story/segments.h"

namespace barmen::story {

const Story &theStory()
{
    static const Story story{
        SceneTable{prologue(), observation(), approaches(), firstBranch(), ahead(), showdown(),
                   left(), right(), laterBranches(), golem(), ending(), fall()},
        SceneTable{choice1Explore(), choice1Maze(), choice1Battle()},
        SceneTable{choice2Explore(), choice2Maze(), choice2Battle()},
        SceneTable{choice3Explore(), choice3Maze(), choice3Battle()},
    };
    return story;
}

} // namespace barmen::story
