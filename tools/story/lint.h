#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <memory>

#include <QString>

#include "app/qt/storybox.h"
#include <QString>

#include "engine/scenetable.h"

// The author's checks on the story tables: everything that would leave a
// player stuck, show a broken scene or fail to load a picture.
namespace barmen::storytool {

// One fault, tied to the button and label where the author has to look.
struct Fault {
    std::string button;   // progress, choice1, choice2, choice3, or start for the start screen
    std::string label;
    std::string problem;

    // One line: button at "label": problem.
    std::string line() const;
};

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

// Measures lines in the window's own story box, Text1. Needs a running
// QApplication.
class TextBoxRuler {
public:
    TextBoxRuler();
    ~TextBoxRuler();

    StoryBox::LineFit fit(std::string_view line) const;
    double usableWidth() const;
    QString family() const;   // the font actually used, after substitution

private:
    std::unique_ptr<StoryBox> m_box;
};

// Lines too wide for one row of Text1, in the story and on the start screen.
std::vector<Fault> lintLineWidths(const Story &story, const TextBoxRuler &ruler);

// Every picture the story and the start screen name must be a file in the
// folder that decodes the way the game reads it: JPEG for bg, GIF for ch.
// Each picture is reported once, at the first row that shows it.
std::vector<Fault> lintPictures(const Story &story, const QString &assetsDir);

// All of the above; needs a running QGuiApplication.
std::vector<Fault> lint(const Story &story, const QString &assetsDir);

} // namespace barmen::storytool
