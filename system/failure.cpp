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
    case EDQUOT: return {Failure::QuotaFull};
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

std::string reason(Problem problem)
{
    switch (problem.kind) {
    case Failure::None: return {};
    case Failure::NoPermission: return "권한이 없습니다";
    case Failure::ReadOnlyDisk: return "읽기 전용 디스크입니다";
    case Failure::NoSpace: return "디스크에 남은 공간이 없습니다";
    case Failure::QuotaFull: return "디스크 사용 한도를 다 썼습니다";
    case Failure::FileTooBig: return "파일 크기 제한에 걸렸습니다";
    case Failure::NoSuchFile: return "그런 파일이나 폴더가 없습니다";
    case Failure::NotAFolderOnPath: return "경로 중간에 폴더가 아닌 것이 있습니다";
    case Failure::IsFolder: return "폴더입니다";
    case Failure::LinkLoop: return "링크가 끝없이 서로를 가리킵니다";
    case Failure::DiskError: return "디스크에서 입출력 오류가 났습니다";
    case Failure::PathTooLong: return "경로가 너무 깁니다";
    case Failure::TooManyOpenFiles: return "열린 파일이 너무 많습니다";
    case Failure::InUse: return "다른 프로그램이 쓰고 있습니다";
    case Failure::OtherDisk: return "다른 디스크로는 옮길 수 없습니다";
    case Failure::ShortWrite: return "끝까지 쓰지 못했습니다";
    case Failure::NotPlainFile: return "보통 파일이 아닙니다";
    case Failure::DanglingLink: return "링크가 가리키는 파일이 없습니다";
    case Failure::Empty: return "빈 파일입니다";
    case Failure::Unknown: break;
    }
    return "알 수 없는 오류입니다 (오류 번호 " + std::to_string(problem.code) + ")";
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
