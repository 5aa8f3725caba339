#pragma once

#include <string_view>

#include <QString>

namespace barmen {

// The core's UTF-8 text as Qt's; a string_view need not end in a zero.
inline QString qtString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace barmen
