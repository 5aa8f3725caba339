#include "system/failure.h"

#include <cerrno>

#include "engine/game.h"

namespace barmen::system {

Problem fromErrno(int error)
{
    switch (error) {
    case 0: return {Failure::ShortWrite};
    case EACCES:
    case EPERM: return {Failure::NoPermission};
    case EROFS: return {Failure::ReadOnlyDisk};
    case ENOSPC: return {Failure::NoSpace};
#ifdef EDQUOT   // not in the Windows C library's errno
    case EDQUOT: return {Failure::QuotaFull};
#endif
    case EFBIG: return {Failure::FileTooBig};
    case ENOENT: return {Failure::NoSuchFile};
    case ENOTDIR: return {Failure::NotAFolderOnPath};
    case EISDIR: return {Failure::IsFolder};
    case ELOOP: return {Failure::LinkLoop};
    case EIO: return {Failure::DiskError};
    case ENAMETOOLONG: return {Failure::PathTooLong};
    case EMFILE:
    case ENFILE: return {Failure::TooManyOpenFiles};
    case EBUSY:
    case ETXTBSY: return {Failure::InUse};
    case EXDEV: return {Failure::OtherDisk};
    case EEXIST: return {Failure::NameTaken};
    case ENOTEMPTY: return {Failure::IsFolder};
    case EILSEQ: return {Failure::BadName};
    case EINVAL:
    case ENOTSUP:
#if defined(EOPNOTSUPP) && EOPNOTSUPP != ENOTSUP
    case EOPNOTSUPP:
#endif
    case ENOSYS: return {Failure::NotSupported};
    case ENOMEM: return {Failure::OutOfMemory};
    case EAGAIN:
#if defined(EWOULDBLOCK) && EWOULDBLOCK != EAGAIN
    case EWOULDBLOCK:
#endif
    case EDEADLK:
    case ENOLCK: return {Failure::InUse};
    case ENXIO:
    case ENODEV: return {Failure::IsDevice};
#ifdef ESTALE
    case ESTALE:
#endif
#ifdef ENOLINK
    case ENOLINK:
#endif
    case ETIMEDOUT:
    case ENOTCONN:
    case ECONNRESET:
    case ECONNABORTED:
    case ENETDOWN:
    case ENETUNREACH:
    case EHOSTUNREACH: return {Failure::DiskError};
    default: return {Failure::Unknown, error};
    }
}

namespace {

// Every failure the game reports, and how a player reads it:
// - clause: the reason after "저장 파일 "save.sav"를 쓸 수 없습니다: ";
// - ofPicture: the sentence under a picture's name;
// - sentence: for a save or load, a whole sentence of its own in place of
//   "저장 파일 … 수 없습니다: <clause>.";
// - leftAlone: a save the game itself refused, which touched nothing.
// {format}, {width}, {height}, {folder} and {code} are filled in; {file} is
// the save's name in quotes, {file이} and {file을} the same with the particle
// that fits.
struct Wording {
    Failure kind;
    std::string_view clause;
    std::string_view ofPicture;
    std::string_view sentence = {};
    bool leftAlone = false;
};

constexpr std::string_view otherFile = "보통 파일이 아닙니다.";

constexpr Wording wordings[] = {
    {Failure::NoPermission, "권한이 없습니다", "파일을 열 수 없습니다 (읽기 권한이 없습니다)."},
    {Failure::ReadOnlyDisk, "읽기 전용 디스크입니다", "파일을 열 수 없습니다."},
    {Failure::NoSpace, "디스크에 남은 공간이 없습니다", "파일을 열 수 없습니다."},
    {Failure::QuotaFull, "디스크 사용 한도를 다 썼습니다", "파일을 열 수 없습니다."},
    {Failure::FileTooBig, "파일 크기 제한에 걸렸습니다", "파일을 열 수 없습니다."},
    {Failure::NoSuchFile, "그런 파일이나 폴더가 없습니다", "파일이 없습니다."},
    {Failure::NotAFolderOnPath, "경로 중간에 폴더가 아닌 것이 있습니다", "파일이 없습니다."},
    {Failure::IsFolder, "폴더입니다", "파일이 아니라 폴더입니다.", {}, true},
    {Failure::LinkLoop, "링크가 끝없이 서로를 가리킵니다", "링크가 돌고 돌아 어느 파일에도 닿지 않습니다."},
    {Failure::DiskError, "디스크에서 입출력 오류가 났습니다", "파일을 끝까지 읽지 못했습니다."},
    {Failure::PathTooLong, "경로가 너무 깁니다", "파일이 없습니다."},
    {Failure::TooManyOpenFiles, "열린 파일이 너무 많습니다", "파일을 열 수 없습니다."},
    {Failure::InUse, "다른 프로그램이 쓰고 있습니다", "파일을 열 수 없습니다 (다른 프로그램이 쓰고 있습니다)."},
    {Failure::OtherDisk, "다른 디스크로는 옮길 수 없습니다", "파일을 열 수 없습니다."},
    {Failure::ShortWrite, "끝까지 쓰지 못했습니다", "파일을 끝까지 읽지 못했습니다."},
    {Failure::NameTaken, "같은 이름의 파일이 이미 있습니다", "파일을 열 수 없습니다."},
    {Failure::BadName, "이 이름으로는 파일을 쓸 수 없습니다", "파일을 열 수 없습니다."},
    {Failure::NotSupported, "이 디스크에서는 할 수 없는 일입니다", "파일을 열 수 없습니다."},
    {Failure::OutOfMemory, "메모리가 모자랍니다", "파일을 열 수 없습니다."},
    {Failure::Unknown, "알 수 없는 오류입니다 (오류 번호 {code})", "파일을 열 수 없습니다."},
    {Failure::NotPlainFile, "보통 파일이 아닙니다", otherFile},
    {Failure::NotInFolder, "게임을 시작한 폴더에 없습니다",
     "찾아본 폴더 \"{folder}\"에 파일이 없습니다. 그림 파일은 게임을 시작하는 폴더에 있어야 합니다."},
    {Failure::DanglingLink, "링크가 가리키는 파일이 없습니다", "링크가 가리키는 파일이 없습니다."},
    {Failure::Empty, "빈 파일입니다", "빈 파일입니다."},
    {Failure::CannotOpen, "열 수 없습니다", "파일을 열 수 없습니다."},
    {Failure::ReadIncomplete, "끝까지 읽지 못했습니다", "파일을 끝까지 읽지 못했습니다."},
    {Failure::FileTooLarge, "너무 큽니다", "그림 파일로 보기에는 너무 큽니다."},
    {Failure::NotAPicture, "그림이 아닙니다", "그림으로 읽을 수 없습니다: JPEG도 GIF도 아닌 파일입니다."},
    {Failure::CutOff, "파일이 중간에 잘려 있습니다", "{format} 파일이 중간에 잘려 있습니다."},
    {Failure::Damaged, "파일의 데이터가 손상되어 있습니다", "{format} 파일의 데이터가 손상되어 있습니다."},
    {Failure::Unsupported, "보여 줄 수 없는 종류입니다", "이 게임이 보여 줄 수 없는 종류의 {format} 파일입니다."},
    {Failure::TooManyPixels, "그림이 너무 큽니다", "그림이 너무 큽니다 ({width} × {height} 화소)."},
    {Failure::IsPipe, "보통 파일이 아니라 이름 붙은 파이프입니다", otherFile, {}, true},
    {Failure::IsSocket, "보통 파일이 아니라 소켓입니다", otherFile, {}, true},
    {Failure::IsDevice, "보통 파일이 아니라 장치입니다", otherFile, {}, true},
    {Failure::ForeignLink, "다른 사용자가 만든 링크입니다", "다른 사용자가 만든 링크입니다.", {}, true},
    {Failure::LinkOutsideFolder, "링크가 게임 폴더 밖의 없는 파일을 가리킵니다", "링크가 가리키는 파일이 없습니다.", {}, true},
    {Failure::LinkNotASave, "링크가 가리키는 파일이 저장 파일이 아닙니다", otherFile, {}, true},
    {Failure::InPlaceThroughLink, "폴더에 새 파일을 만들 수 없고, 링크를 따라가 제자리에 쓰지는 않습니다",
     "파일을 열 수 없습니다.", {}, true},
    {Failure::Cp949Encode, "글자를 저장 파일의 한글 코드(CP949)로 바꾸지 못했습니다", "파일을 열 수 없습니다."},
    {Failure::Cp949Decode, "저장 파일의 한글 코드(CP949)를 글자로 바꾸지 못했습니다", "파일을 열 수 없습니다."},
    {Failure::NotASave, "이 게임의 저장 파일이 아닙니다. 게임은 아무것도 바뀌지 않았습니다",
     "그림으로 읽을 수 없습니다: JPEG도 GIF도 아닌 파일입니다."},
    {Failure::NoSave, "저장 파일이 없습니다", "파일이 없습니다.", "저장 파일 {file이} 없습니다."},
    {Failure::EmptySave, "빈 파일입니다", "빈 파일입니다.", "저장 파일 {file이} 비어 있습니다."},
    {Failure::NothingToSave, "저장할 것이 없습니다", "파일을 열 수 없습니다.",
     "아직 이야기의 장면을 하나도 보지 않아 저장할 것이 없습니다. 저장 파일은 그대로 두었습니다."},
    {Failure::UnknownScene, "이 게임의 이야기에 없는 장면입니다", "파일을 열 수 없습니다.",
     "저장 파일 {file}에 적힌 장면은 이 게임의 이야기에 없습니다. 시작하기나 불러오기를 누르기 전에는 어느 버튼도 "
     "답하지 않습니다."},
    {Failure::NotFlushed, "디스크가 끝까지 기록했는지 확인하지 못했습니다", "파일을 열 수 없습니다.",
     "저장 파일 {file을} 썼지만, 디스크가 끝까지 기록했다고 확인해 주지 않았습니다. 곧 전원이 갑자기 꺼지면 이번 "
     "저장이 사라질 수 있습니다."},
    {Failure::TooManyScans, "스캔이 너무 많습니다", "{format} 파일의 스캔이 너무 많아 보여 주는 데 너무 오래 걸립니다."},
    {Failure::TooManyFrames, "프레임이 너무 많습니다", "{format} 파일의 프레임이 너무 많습니다."},
};

// The verb of "저장 파일 "save.sav"를 … 수 없습니다", by what the game was doing.
std::string_view verbFor(Doing doing)
{
    switch (doing) {
    case Doing::Showing: return "보여 줄 수 없습니다";
    case Doing::Writing: break;
    case Doing::Creating: return "만들 수 없습니다";
    case Doing::Replacing: return "바꿀 수 없습니다";
    case Doing::Opening: return "열 수 없습니다";
    case Doing::Reading: return "읽을 수 없습니다";
    }
    return "쓸 수 없습니다";
}

bool saving(Doing doing)
{
    return doing == Doing::Writing || doing == Doing::Creating || doing == Doing::Replacing;
}

const Wording &wordingOf(Failure kind)
{
    for (const Wording &w : wordings)
        if (w.kind == kind)
            return w;
    return wordingOf(Failure::Unknown);
}

std::string filledIn(std::string_view text, std::string_view name, const std::string &value)
{
    std::string out(text);
    for (std::size_t at = out.find(name); at != std::string::npos; at = out.find(name, at + value.size()))
        out.replace(at, name.size(), value);
    return out;
}

} // namespace

std::string reason(Problem problem)
{
    if (!problem)
        return {};
    return filledIn(wordingOf(problem.kind).clause, "{code}", std::to_string(problem.code));
}

std::string pictureReason(Failure kind, const PictureDetail &detail)
{
    std::string text = filledIn(wordingOf(kind).ofPicture, "{format}", std::string(detail.format));
    text = filledIn(text, "{width}", std::to_string(detail.width));
    text = filledIn(text, "{height}", std::to_string(detail.height));
    // Last, so braces in the folder's own name stay as they are.
    return filledIn(text, "{folder}", detail.folder);
}

namespace {

// The last code point of UTF-8 text before `end`, and where it starts.
char32_t lastCodePoint(std::string_view text, std::size_t &end)
{
    std::size_t start = end - 1;
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
        --start;
    const auto *p = reinterpret_cast<const unsigned char *>(text.data()) + start;
    const std::size_t length = end - start;
    end = start;
    if (length == 1)
        return p[0];
    if (length == 2)
        return char32_t(p[0] & 0x1F) << 6 | (p[1] & 0x3F);
    if (length == 3)
        return char32_t(p[0] & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F);
    if (length == 4)
        return char32_t(p[0] & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 | char32_t(p[2] & 0x3F) << 6 | (p[3] & 0x3F);
    return 0xFFFD;
}

} // namespace

bool endsInConsonant(std::string_view word)
{
    static constexpr std::u32string_view closers = U"\"')]}」』》〉 ";
    std::size_t end = word.size();
    char32_t c = 0;
    do {
        if (end == 0)
            return false;
        c = lastCodePoint(word, end);
    } while (closers.find(c) != std::u32string_view::npos);
    if (c >= 0xAC00 && c <= 0xD7A3)
        return (c - 0xAC00) % 28 != 0;
    // 영 일 이 삼 사 오 육 칠 팔 구
    if (c >= U'0' && c <= U'9')
        return std::string_view("1101001110")[c - U'0'] == '1';
    // 엘 엠 엔 알: the only letter names that end in a consonant.
    return std::u32string_view(U"lmnrLMNR").find(c) != std::u32string_view::npos;
}

std::string withParticle(std::string_view word, Particle particle)
{
    std::string out(word);
    out += endsInConsonant(word) ? particle.afterConsonant : particle.afterVowel;
    return out;
}

std::string messageFor(const SaveStore::Result &result)
{
    if (!result.problem)
        return {};
    const Wording &w = wordingOf(result.problem.kind);
    const std::string name = quoted(result.file);
    if (!w.sentence.empty()) {
        std::string text = filledIn(w.sentence, "{file이}", withParticle(name, subject));
        text = filledIn(text, "{file을}", withParticle(name, object));
        return filledIn(text, "{file}", name);
    }
    std::string message = "저장 파일 " + withParticle(name, object) + " ";
    message += verbFor(result.doing);
    message += ": ";
    message += reason(result.problem);
    if (w.leftAlone && saving(result.doing))
        message += ". 그대로 두었습니다";
    message += ".";
    return message;
}

std::string messageFor(const StepResult &result)
{
    switch (result.kind) {
    case StepResult::Kind::Missed:
        return {};
    case StepResult::Kind::PictureFailed:
        return "그림 파일 " + withParticle(quoted(result.file), object) + " 보여 줄 수 없습니다.\n"
            + pictureReason(result.problem.kind, result.picture);
    case StepResult::Kind::Performed:
    case StepResult::Kind::SaveFailed:
    case StepResult::Kind::LoadFailed:
        break;
    }
    SaveStore::Result saveOrLoad;
    saveOrLoad.ok = !result.failed();
    saveOrLoad.file = result.file;
    saveOrLoad.doing = result.doing;
    saveOrLoad.problem = result.problem;
    return messageFor(saveOrLoad);
}

std::string quoted(std::string_view word)
{
    std::string out = "\"";
    out += word;
    out += '"';
    return out;
}

std::string_view word(Word which)
{
    switch (which) {
    case Word::StoryBox: return "이야기";
    case Word::MessageOk: return "확인";
    case Word::GameEnded: return "바르멘을 끝냈습니다.";
    case Word::StartAgain: return "다시 시작하기";
    }
    return {};
}

} // namespace barmen::system
