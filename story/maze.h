#pragma once

#include "engine/scene.h"

// Text shared by the paths of the crossroads maze.
namespace barmen::story {

// The hero's one-line wondering that closes most side paths, just before the
// next branch point shows its menu.
inline constexpr Lines whereNext = {"이제 또 어디로 가야 하지?"};

} // namespace barmen::story
