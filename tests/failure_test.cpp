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

// Every kind of failure has its own words, as a reason after a colon and as
// a sentence under a picture's name: a kind added without them would fall
// back on "unknown error".
TEST(Reasons, everyKindHasItsOwnWords)
{
    for (int k = int(Failure::None) + 1; k <= int(Failure::TooManyFrames); ++k) {
        const Failure kind = Failure(k);
        const std::string clause = reason({kind, 5});
        const std::string sentence = pictureReason(kind, {"GIF", 8192, 8192});
        EXPECT_FALSE(clause.empty()) << k;
        EXPECT_TRUE(sentence.ends_with('.')) << k << ": " << sentence;
        if (kind != Failure::Unknown) {
            EXPECT_EQ(clause.find("알 수 없는"), std::string::npos) << k << ": " << clause;
        }
        EXPECT_EQ(sentence.find('{'), std::string::npos) << k << ": " << sentence;
    }
    EXPECT_EQ(reason({Failure::Unknown, 77}), "알 수 없는 오류입니다 (오류 번호 77)");
    EXPECT_EQ(pictureReason(Failure::CutOff, {"JPEG"}), "JPEG 파일이 중간에 잘려 있습니다.");
    EXPECT_EQ(pictureReason(Failure::TooManyPixels, {{}, 8192, 300}), "그림이 너무 큽니다 (8192 × 300 화소).");
    // Too many scans or frames is not a size: a 300 × 400 picture may have them.
    EXPECT_EQ(pictureReason(Failure::TooManyScans, {"JPEG", 300, 400}),
              "JPEG 파일의 스캔이 너무 많아 보여 주는 데 너무 오래 걸립니다.");
    EXPECT_EQ(pictureReason(Failure::TooManyFrames, {"GIF", 300, 400}), "GIF 파일의 프레임이 너무 많습니다.");
}

} // namespace
} // namespace barmen::system
