#include "app/win32/pictures.h"

#include "pictures/decode.h"
#include "pictures/load.h"

namespace barmen::win32 {

PictureLoad Win32PictureSource::load(std::string_view file)
{
    pictures::Loaded loaded = pictures::load(file);
    if (loaded.image.null())
        return {nullptr, loaded.problem, loaded.detail};
    return {std::make_unique<Win32Picture>(std::move(loaded.image)), {}, {}};
}

pictures::Image builtInPicture(int resource)
{
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL held = found ? LoadResource(nullptr, found) : nullptr;
    const void *bytes = held ? LockResource(held) : nullptr;
    if (!bytes)
        return {};
    const std::span<const std::uint8_t> data(static_cast<const std::uint8_t *>(bytes),
                                             SizeofResource(nullptr, found));
    return std::move(pictures::decode(data).image);
}

} // namespace barmen::win32
