#pragma once

#include <QString>

namespace barmen::system {

// A Korean particle whose form follows the word before it: the first form
// after a final consonant, the second after a vowel ("파일이", "save.sav가").
struct Particle {
    const char16_t *afterConsonant;
    const char16_t *afterVowel;
};
inline constexpr Particle object{u"을", u"를"};
inline constexpr Particle subject{u"이", u"가"};
inline constexpr Particle topic{u"은", u"는"};

// Whether the word, read aloud in Korean, ends in a final consonant. Hangul
// by its last syllable; digits and Latin letters as Koreans read them
// ("3" 삼, "l" 엘); closing quotes and brackets are passed over.
bool endsInConsonant(const QString &word);

// The word followed by the particle's fitting form.
QString withParticle(const QString &word, Particle particle);

// Why a file operation failed, from the system's error number, in words a
// player reads; never the C library's English.
QString reasonFromErrno(int error);

} // namespace barmen::system
