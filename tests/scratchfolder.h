#pragma once

// A throw-away folder of the test's own, with the standard library alone, so
// the save file's tests need no toolkit and run on Windows as on Linux.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace barmen::test {

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::random_device seed;
        const auto base = std::filesystem::temp_directory_path();
        // A name nobody else has: create_directory says false for one that is there.
        for (int attempt = 0; attempt < 100 && m_path.empty(); ++attempt) {
            const auto candidate = base / ("barmen-test-" + std::to_string(seed()));
            std::error_code ec;
            if (std::filesystem::create_directory(candidate, ec))
                m_path = candidate;
        }
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    bool valid() const { return !m_path.empty(); }
    const std::filesystem::path &path() const { return m_path; }
    // A path inside, in UTF-8, as the save file's calls take it.
    std::string file(std::string_view name) const
    {
        const std::u8string s = (m_path / std::filesystem::path(std::u8string(name.begin(), name.end()))).u8string();
        return {s.begin(), s.end()};
    }

private:
    std::filesystem::path m_path;
};

inline std::string contentsOf(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return "<none>";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool writeFile(const std::filesystem::path &file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    return bool(out.write(bytes.data(), std::streamsize(bytes.size())));
}

} // namespace barmen::test
