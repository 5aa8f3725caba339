#include <cerrno>

#include <gtest/gtest.h>

#include "system/failure.h"

namespace barmen::system {
namespace {

struct Word {
    const char *word;
    bool consonant;
};

// The particle follows the sound of the last syllable as a Korean reads it,
// file names and numbers included.
TEST(Particle, followsTheLastSoundOfTheWord)
{
    const Word words[] = {
        {"파일", true},     {"그림", true},       {"저장", true},      {"바르멘", true},
        {"메어드", false},  {"시작 2", false},    {"시작 3", true},    {"엔딩 26-1", true},
        {"골렘 8", true},   {"앞 4-5", false},    {"시작.gif", false}, {"배경1.jpg", false},
        {"save.sav", false}, {"\"끝.jpg\"", false}, {"\"시작 2.gif\"", false},
        {"(save.sav)", false}, {"file.html", true}, {"help.pdf", false}, {"", false},
    };
    for (const Word &w : words)
        EXPECT_EQ(endsInConsonant(w.word), w.consonant) << w.word;
}

TEST(Particle, choosesEachOfTheThreePairs)
{
    EXPECT_EQ(withParticle("\"시작.gif\"", object), "\"시작.gif\"를");
    EXPECT_EQ(withParticle("그림", object), "그림을");
    EXPECT_EQ(withParticle("파일", subject), "파일이");
    EXPECT_EQ(withParticle("save.sav", subject), "save.sav가");
    EXPECT_EQ(withParticle("저장", topic), "저장은");
    EXPECT_EQ(withParticle("메어드", topic), "메어드는");
}

// A player reads every reason; none may fall back on the C library's English.
TEST(Reasons, areKoreanForEveryErrorNumber)
{
    for (int error = 0; error < 134; ++error) {
        const std::string why = reason(fromErrno(error));
        EXPECT_FALSE(why.empty()) << error;
        for (char c : why)
            EXPECT_FALSE((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) << error << ": " << why;
    }
    EXPECT_NE(reason(fromErrno(ENOSPC)), reason(fromErrno(EACCES)));
    EXPECT_NE(reason(fromErrno(EFBIG)), reason(fromErrno(ENOSPC)));
}

} // namespace
} // namespace barmen::system
