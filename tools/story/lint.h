#pragma once

#include <string>
#include <vector>

#include "engine/scenetable.h"
#include "tools/story/fault.h"
#include "tools/story/lintbox.h"

// The author's checks on the story tables: everything that would leave a
// player stuck, show a broken scene or fail to load a picture.
namespace barmen::storytool {

// The table checks, on the tables alone: labels that no table tests, labels
// tested twice, the graph (reachable from "시작", an end reachable from
// everywhere, no label that leads nowhere), rows that store their own label,
// menus and their choice rows, the duel's rolls, and the text-block rules.
std::vector<Fault> lintTables(const Story &story);

// Spoken lines said twice in the story, each reported where it comes again;
// part of lintTables.
std::vector<Fault> lintRepeatedSpeech(const Story &story);

// One word (the cast and the barrier aside) in three rows that a player reads
// one after the other, reported at the third; part of lintTables.
std::vector<Fault> lintEchoes(const Story &story);

// Every picture the story and the start screen name must be a file in the
// folder that decodes the way the game reads it: JPEG for bg, GIF for ch.
// Each picture is reported once, at the first row that shows it.
std::vector<Fault> lintPictures(const Story &story, const std::string &assetsDir);

// All of the above, the story box measured as the Qt window lays it out
// (lintStoryBox over StoryBoxMeasure); needs a running QApplication.
std::vector<Fault> lint(const Story &story, const std::string &assetsDir);

} // namespace barmen::storytool
