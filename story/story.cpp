#include "story/story.h"

#include "story/segments.h"
#include "story/title.h"

namespace barmen::story {

const Story &theStory()
{
    static const Story story{
        {
            // Indexed by ActionButton: the three choices, then progress.
            SceneTable{choice1Explore(), choice1Maze(), choice1Battle()},
            SceneTable{choice2Explore(), choice2Maze(), choice2Battle()},
            SceneTable{choice3Explore(), choice3Maze(), choice3Battle()},
            SceneTable{prologue(), observation(), approaches(), firstBranch(), ahead(), showdown(),
                       left(), right(), laterBranches(), golem(), ending(), fall()},
        },
        title,
    };
    return story;
}

} // namespace barmen::story
