#include "story/story.h"

#include "story/segments.h"
#include "story/title.h"

namespace barmen::story {

const Story &theStory()
{
    static const Story story{
        {
            .choice1 = SceneTable{choice1Explore(), choice1Maze(), choice1Battle()},
            .choice2 = SceneTable{choice2Explore(), choice2Maze(), choice2Battle()},
            .choice3 = SceneTable{choice3Explore(), choice3Maze(), choice3Battle()},
            .progress = SceneTable{prologue(), observation(), approaches(), firstBranch(), ahead(), showdown(),
                                   left(), right(), laterBranches(), golem(), ending(), fall()},
        },
        title,
    };
    return story;
}

} // namespace barmen::story
