#include <cerrno>

#include <gtest/gtest.h>

#include "engine/game.h"
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
    // Every kind the enumeration declares, up to its last one.
    for (int k = int(Failure::None) + 1; k <= int(Failure::NotFlushed); ++k) {
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
    PictureDetail where;
    where.folder = "C:\\게임 {height}";
    EXPECT_EQ(pictureReason(Failure::NotInFolder, where),
              "찾아본 폴더 \"C:\\게임 {height}\"에 파일이 없습니다. 그림 파일은 게임을 시작하는 폴더에 있어야 합니다.");
}

struct Sentence {
    const char *name;
    std::string file;
    Doing doing;
    Problem problem;
    std::string expected;
    friend void PrintTo(const Sentence &c, std::ostream *os) { *os << c.name; }
};

class SaveSentences : public ::testing::TestWithParam<Sentence> {};

// What the save and load buttons say, composed from a kind, a verb and the
// file's name: each form of sentence once, word for word.
TEST_P(SaveSentences, readAsThePlayerReadsThem)
{
    const Sentence &c = GetParam();
    SaveStore::Result result;
    result.file = c.file;
    result.doing = c.doing;
    result.problem = c.problem;
    EXPECT_EQ(messageFor(result), c.expected);

    StepResult step;
    step.kind = c.doing == Doing::Opening || c.doing == Doing::Reading ? StepResult::Kind::LoadFailed
                                                                         : StepResult::Kind::SaveFailed;
    step.file = c.file;
    step.doing = c.doing;
    step.problem = c.problem;
    EXPECT_EQ(messageFor(step), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Failure, SaveSentences,
    ::testing::Values(
        Sentence{"folderLeftAlone", "save.sav", Doing::Writing, {Failure::IsFolder},
                 "저장 파일 \"save.sav\"를 쓸 수 없습니다: 폴더입니다. 그대로 두었습니다."},
        Sentence{"pipeLeftAlone", "save.sav", Doing::Writing, {Failure::IsPipe},
                 "저장 파일 \"save.sav\"를 쓸 수 없습니다: 보통 파일이 아니라 이름 붙은 파이프입니다. 그대로 두었습니다."},
        Sentence{"linkLoop", "save.sav", Doing::Writing, {Failure::LinkLoop},
                 "저장 파일 \"save.sav\"를 쓸 수 없습니다: 링크가 끝없이 서로를 가리킵니다."},
        Sentence{"foreignLink", "save.sav", Doing::Writing, {Failure::ForeignLink},
                 "저장 파일 \"save.sav\"를 쓸 수 없습니다: 다른 사용자가 만든 링크입니다. 그대로 두었습니다."},
        Sentence{"encoding", "save.sav", Doing::Writing, {Failure::Cp949Encode},
                 "저장 파일 \"save.sav\"를 쓸 수 없습니다: 글자를 저장 파일의 한글 코드(CP949)로 바꾸지 못했습니다."},
        Sentence{"createFull", "save.sav", Doing::Creating, {Failure::NoSpace},
                 "저장 파일 \"save.sav\"를 만들 수 없습니다: 디스크에 남은 공간이 없습니다."},
        Sentence{"replaceInUse", "save.sav", Doing::Replacing, {Failure::InUse},
                 "저장 파일 \"save.sav\"를 바꿀 수 없습니다: 다른 프로그램이 쓰고 있습니다."},
        Sentence{"unknownCode", "save.sav", Doing::Creating, {Failure::Unknown, 4711},
                 "저장 파일 \"save.sav\"를 만들 수 없습니다: 알 수 없는 오류입니다 (오류 번호 4711)."},
        Sentence{"missing", "save.sav", Doing::Opening, {Failure::NoSave}, "저장 파일 \"save.sav\"가 없습니다."},
        Sentence{"missingAfterConsonant", "save.bin", Doing::Opening, {Failure::NoSave},
                 "저장 파일 \"save.bin\"이 없습니다."},
        Sentence{"empty", "save.sav", Doing::Opening, {Failure::EmptySave}, "저장 파일 \"save.sav\"가 비어 있습니다."},
        Sentence{"openFolder", "save.sav", Doing::Opening, {Failure::IsFolder},
                 "저장 파일 \"save.sav\"를 열 수 없습니다: 폴더입니다."},
        Sentence{"decoding", "save.bin", Doing::Reading, {Failure::Cp949Decode},
                 "저장 파일 \"save.bin\"을 읽을 수 없습니다: 저장 파일의 한글 코드(CP949)를 글자로 바꾸지 못했습니다."},
        Sentence{"notASave", "save.sav", Doing::Reading, {Failure::NotASave},
                 "저장 파일 \"save.sav\"를 읽을 수 없습니다: 이 게임의 저장 파일이 아닙니다. 게임은 아무것도 바뀌지 "
                 "않았습니다."},
        Sentence{"unknownScene", "save.sav", Doing::Reading, {Failure::UnknownScene},
                 "저장 파일 \"save.sav\"에 적힌 장면은 이 게임의 이야기에 없습니다. 시작하기나 불러오기를 누르기 "
                 "전에는 어느 버튼도 답하지 않습니다."},
        Sentence{"notFlushed", "save.sav", Doing::Writing, {Failure::NotFlushed},
                 "저장 파일 \"save.sav\"를 썼지만, 디스크가 끝까지 기록했다고 확인해 주지 않았습니다. 곧 전원이 "
                 "갑자기 꺼지면 이번 저장이 사라질 수 있습니다."},
        Sentence{"nothingToSave", "", Doing::Writing, {Failure::NothingToSave},
                 "아직 이야기의 장면을 하나도 보지 않아 저장할 것이 없습니다. 저장 파일은 그대로 두었습니다."}),
    [](const auto &info) { return std::string(info.param.name); });

// A picture's message names the file and gives the reason on a line of its own.
// The window's own words are each there and each different: a page whose
// message button and end line came out empty or alike would still build.
TEST(Words, everyWindowWordIsItsOwn)
{
    const system::Word all[] = {system::Word::StoryBox, system::Word::MessageOk, system::Word::GameEnded, system::Word::StartAgain};
    for (system::Word a : all) {
        EXPECT_FALSE(word(a).empty()) << int(a);
        for (system::Word b : all)
            if (a != b) {
                EXPECT_NE(word(a), word(b)) << int(a) << " " << int(b);
            }
    }
    EXPECT_EQ(word(system::Word::StoryBox), "이야기");
    EXPECT_EQ(word(system::Word::MessageOk), "확인");
}

TEST(Messages, pictureNamesTheFileThenTheReason)
{
    StepResult result;
    result.kind = StepResult::Kind::PictureFailed;
    result.file = "시작.gif";
    result.problem = {Failure::CutOff};
    result.picture = {"GIF"};
    EXPECT_EQ(messageFor(result), "그림 파일 \"시작.gif\"를 보여 줄 수 없습니다.\nGIF 파일이 중간에 잘려 있습니다.");
    result.kind = StepResult::Kind::Performed;
    result.problem = {};
    EXPECT_EQ(messageFor(result), "");
}

} // namespace
} // namespace barmen::system
