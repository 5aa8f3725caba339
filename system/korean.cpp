#include "system/korean.h"

#include <cerrno>

namespace barmen::system {

bool endsInConsonant(const QString &word)
{
    static const QString closers = QStringLiteral("\"')]}」』》〉 ");
    qsizetype i = word.size() - 1;
    while (i >= 0 && closers.contains(word[i]))
        --i;
    if (i < 0)
        return false;
    const char16_t c = word[i].unicode();
    if (c >= 0xAC00 && c <= 0xD7A3)
        return (c - 0xAC00) % 28 != 0;
    // 영 일 이 삼 사 오 육 칠 팔 구
    if (c >= u'0' && c <= u'9')
        return QStringLiteral("1101001110").at(c - u'0') == u'1';
    // 엘 엠 엔 알: the only letter names that end in a consonant.
    return QStringLiteral("lmnrLMNR").contains(QChar(c));
}

QString withParticle(const QString &word, Particle particle)
{
    return word + QString::fromUtf16(endsInConsonant(word) ? particle.afterConsonant : particle.afterVowel);
}

QString reasonFromErrno(int error)
{
    switch (error) {
    case EACCES:
    case EPERM: return QStringLiteral("권한이 없습니다");
    case EROFS: return QStringLiteral("읽기 전용 디스크입니다");
    case ENOSPC: return QStringLiteral("디스크에 남은 공간이 없습니다");
    case EDQUOT: return QStringLiteral("디스크 사용 한도를 다 썼습니다");
    case EFBIG: return QStringLiteral("파일 크기 제한에 걸렸습니다");
    case ENOENT: return QStringLiteral("그런 파일이나 폴더가 없습니다");
    case ENOTDIR: return QStringLiteral("경로 중간에 폴더가 아닌 것이 있습니다");
    case EISDIR: return QStringLiteral("폴더입니다");
    case ELOOP: return QStringLiteral("링크가 끝없이 서로를 가리킵니다");
    case EIO: return QStringLiteral("디스크에서 입출력 오류가 났습니다");
    case ENAMETOOLONG: return QStringLiteral("경로가 너무 깁니다");
    case EMFILE:
    case ENFILE: return QStringLiteral("열린 파일이 너무 많습니다");
    case EBUSY:
    case ETXTBSY: return QStringLiteral("다른 프로그램이 쓰고 있습니다");
    case EXDEV: return QStringLiteral("다른 디스크로는 옮길 수 없습니다");
    case 0: return QStringLiteral("끝까지 쓰지 못했습니다");
    default: return QStringLiteral("알 수 없는 오류입니다 (오류 번호 %1)").arg(error);
    }
}

} // namespace barmen::system
