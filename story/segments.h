#pragma once

#include <span>

#include "engine/scene.h"

// The story's table segments, one source file each. Every function returns a
// constant table; the order of rows inside a segment is the table's test order.
namespace barmen::story {

using Segment = std::span<const SceneRow>;

// Progress button, prologue and exploration.
Segment prologue();        // 시작, 시작 2 … 시작 26
Segment observation();     // 관찰 1 … 관찰 10
Segment approaches();      // 행동 1, 길행동, 수풀행동, 마법행동, 행동 2 … 행동 4

// Progress button, crossroads maze.
Segment firstBranch();     // 분기 1
Segment ahead();           // 앞 1-1 … 앞 1-3, 앞 4-1 … 앞 4-7
Segment left();            // 왼쪽 1-1 … 왼쪽 3-4
Segment right();           // 오른쪽 1-1 … 오른쪽 3-4
Segment laterBranches();   // 분기 2 … 분기 4

// Progress button, final battle and endings.
Segment showdown();        // 결전 1 … 결전 40
Segment golem();           // 골렘 1 … 골렘 8
Segment ending();          // 엔딩 … 엔딩 36
Segment fall();            // 끝, 게임오버

// Choice buttons, one segment per button and stretch of the story.
Segment choice1Explore();  // 관찰 2, 행동 1
Segment choice2Explore();
Segment choice3Explore();  // 행동 1 only
Segment choice1Maze();     // 분기 1 … 분기 4
Segment choice2Maze();
Segment choice3Maze();
Segment choice1Battle();   // 결전 40, 골렘 8
Segment choice2Battle();
Segment choice3Battle();   // 골렘 8 only

} // namespace barmen::story
