#pragma once

#include "engine/scenetable.h"

namespace barmen::story {

// The whole story: the four action buttons' tables, each in its test order.
const Story &theStory();

} // namespace barmen::story
