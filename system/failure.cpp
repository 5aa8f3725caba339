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
    default: return {Failure::Unknown, error};
    }
}

namespace {

// Every failure the game reports, and how a player reads it: as the reason
// after "저장 파일 "save.sav"를 쓸 수 없습니다: ", and as the sentence under a
// picture's name. {format}, {width}, {height} and {code} are filled in.
struct Wording {
    Failure kind;
    std::string_view clause;
    std::string_view ofPicture;
};

constexpr Wording wordings[] = {
    {Failure::NoPermission, "권한이 없습니다", "파일을 열 수 없습니다 (읽기 권한이 없습니다)."},
    {Failure::ReadOnlyDisk, "읽기 전용 디스크입니다", "파일을 열 수 없습니다."},
    {Failure::NoSpace, "디스크에 남은 공간이 없습니다", "파일을 열 수 없습니다."},
    {Failure::QuotaFull, "디스크 사용 한도를 다 썼습니다", "파일을 열 수 없습니다."},
    {Failure::FileTooBig, "파일 크기 제한에 걸렸습니다", "파일을 열 수 없습니다."},
    {Failure::NoSuchFile, "그런 파일이나 폴더가 없습니다", "파일이 없습니다."},
    {Failure::NotAFolderOnPath, "경로 중간에 폴더가 아닌 것이 있습니다", "파일이 없습니다."},
    {Failure::IsFolder, "폴더입니다", "파일이 아니라 폴더입니다."},
    {Failure::LinkLoop, "링크가 끝없이 서로를 가리킵니다", "링크가 돌고 돌아 어느 파일에도 닿지 않습니다."},
    {Failure::DiskError, "디스크에서 입출력 오류가 났습니다", "파일을 끝까지 읽지 못했습니다."},
    {Failure::PathTooLong, "경로가 너무 깁니다", "파일이 없습니다."},
    {Failure::TooManyOpenFiles, "열린 파일이 너무 많습니다", "파일을 열 수 없습니다."},
    {Failure::InUse, "다른 프로그램이 쓰고 있습니다", "파일을 열 수 없습니다."},
    {Failure::OtherDisk, "다른 디스크로는 옮길 수 없습니다", "파일을 열 수 없습니다."},
    {Failure::ShortWrite, "끝까지 쓰지 못했습니다", "파일을 끝까지 읽지 못했습니다."},
    {Failure::Unknown, "알 수 없는 오류입니다 (오류 번호 {code})", "파일을 열 수 없습니다."},
    {Failure::NotPlainFile, "보통 파일이 아닙니다", "보통 파일이 아닙니다."},
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
    {Failure::TooManyScans, "스캔이 너무 많습니다", "{format} 파일의 스캔이 너무 많아 보여 주는 데 너무 오래 걸립니다."},
    {Failure::TooManyFrames, "프레임이 너무 많습니다", "{format} 파일의 프레임이 너무 많습니다."},
};

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
    return filledIn(text, "{height}", std::to_string(detail.height));
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

std::string messageFor(const StepResult &result)
{
    switch (result.kind) {
    case StepResult::Kind::Missed:
    case StepResult::Kind::Performed:
        return {};
    case StepResult::Kind::PictureFailed:
        return "그림 파일 " + withParticle(quoted(result.file), object) + " 보여 줄 수 없습니다.\n" + result.reason;
    case StepResult::Kind::SaveFailed:
    case StepResult::Kind::LoadFailed:
        break;
    }
    return result.reason;
}

std::string quoted(std::string_view word)
{
    std::string out = "\"";
    out += word;
    out += '"';
    return out;
}

} // namespace barmen::system
