#pragma once

namespace barmen {

// The window's fonts are "굴림" and "돋움"; both are drawn with NanumGothic,
// whose Hangul has the metrics the layout was made for.
void mapKoreanFonts();

} // namespace barmen
