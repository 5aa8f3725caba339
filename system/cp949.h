#pragma once

#include <optional>
#include <string>
#include <string_view>

// The save file's code page, CP949 (Korean, with every Hangul syllable),
// through the platform's own converter: iconv on Linux, the code-page calls
// on Windows. Either gives nothing when the converter itself cannot be used,
// which is an error, never an empty text.
namespace barmen::system {

// UTF-8 in; a character CP949 cannot hold becomes '?'.
std::optional<std::string> cp949FromUtf8(std::string_view text);

// CP949 in; bytes that are not CP949 become U+FFFD.
std::optional<std::string> cp949ToUtf8(std::string_view bytes);

} // namespace barmen::system
