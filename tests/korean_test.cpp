#include <cerrno>

#include <gtest/gtest.h>

#include "system/korean.h"

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
        EXPECT_EQ(endsInConsonant(QString::fromUtf8(w.word)), w.consonant) << w.word;
}

TEST(Particle, choosesEachOfTheThreePairs)
{
    EXPECT_EQ(withParticle(QStringLiteral("\"시작.gif\""), object), QStringLiteral("\"시작.gif\"를"));
    EXPECT_EQ(withParticle(QStringLiteral("그림"), object), QStringLiteral("그림을"));
    EXPECT_EQ(withParticle(QStringLiteral("파일"), subject), QStringLiteral("파일이"));
    EXPECT_EQ(withParticle(QStringLiteral("save.sav"), subject), QStringLiteral("save.sav가"));
    EXPECT_EQ(withParticle(QStringLiteral("저장"), topic), QStringLiteral("저장은"));
    EXPECT_EQ(withParticle(QStringLiteral("메어드"), topic), QStringLiteral("메어드는"));
}

// A player reads every reason; none may fall back on the C library's English.
TEST(Reasons, areKoreanForEveryErrorNumber)
{
    for (int error = 0; error < 134; ++error) {
        const QString reason = reasonFromErrno(error);
        EXPECT_FALSE(reason.isEmpty()) << error;
        for (QChar c : reason)
            EXPECT_FALSE((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))
                << error << ": " << reason.toStdString();
    }
    EXPECT_NE(reasonFromErrno(ENOSPC), reasonFromErrno(EACCES));
    EXPECT_NE(reasonFromErrno(EFBIG), reasonFromErrno(ENOSPC));
}

} // namespace
} // namespace barmen::system
