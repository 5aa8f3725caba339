#pragma once

#include <windows.h>

#include <span>
#include <string_view>

#include "engine/screen.h"
#include "pictures/picture.h"

namespace barmen::win32 {

// A decoded picture, as the window draws it.
class Win32Picture final : public Picture {
public:
    explicit Win32Picture(pictures::Image image) : m_image(std::move(image)) {}
    const pictures::Image &image() const { return m_image; }
    pictures::Image take() && { return std::move(m_image); }

private:
    pictures::Image m_image;
};

// Reads the JPEG and GIF files the story names from the current folder, anew
// at every call, with the core's loader.
class Win32PictureSource final : public PictureSource {
public:
    PictureLoad load(std::string_view file) override;
};

// One of the two pictures built into the program (an RCDATA resource).
pictures::Image builtInPicture(int resource);

} // namespace barmen::win32
