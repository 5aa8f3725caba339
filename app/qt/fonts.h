#pragma once

#include <QFont>

#include "layout/form1.h"

namespace barmen {

// A font stored with a control, as Qt asks for it: by its face where the
// machine has it, else by the first face mapKoreanFonts() maps it onto that
// the machine has.
QFont storedFont(const layout::Font &stored);

// The window's fonts are "굴림" and "돋움"; both are drawn with NanumGothic,
// whose Hangul has the metrics the layout was made for.
void mapKoreanFonts();

} // namespace barmen
