#pragma once

#include <string>
#include <string_view>

#include "engine/failure.h"
#include "engine/savestore.h"

namespace barmen {
struct StepResult;
}

// The Korean words a player reads for every kind of failure, and the one
// place that composes them into sentences. The operating system's own error
// codes (errno here, GetLastError on Windows) are mapped onto the kinds, so
// every front end says the same thing for the same fault. A second language
// would be a second table.
namespace barmen::system {

using barmen::Doing;
using barmen::Failure;
using barmen::PictureDetail;
using barmen::Problem;

Problem fromErrno(int error);

// The reason as a clause without a full stop, as it follows a colon:
// "권한이 없습니다", "디스크에 남은 공간이 없습니다".
std::string reason(Problem problem);

// What the failure is called under a picture's name in a message box, a
// sentence with its full stop: "파일이 없습니다.", "GIF 파일이 중간에 잘려
// 있습니다.", "그림이 너무 큽니다 (8192 × 8192 화소).". The decoder's kinds
// name the picture's format, and TooManyPixels its size.
std::string pictureReason(Failure kind, const PictureDetail &detail = {});

// A Korean particle whose form follows the word before it: the first form
// after a final consonant, the second after a vowel ("파일이", "save.sav가").
struct Particle {
    std::string_view afterConsonant;
    std::string_view afterVowel;
};
inline constexpr Particle object{"을", "를"};
inline constexpr Particle subject{"이", "가"};
inline constexpr Particle topic{"은", "는"};

// Whether the word (UTF-8), read aloud in Korean, ends in a final consonant.
// Hangul by its last syllable; digits and Latin letters as Koreans read them
// ("3" 삼, "l" 엘); closing quotes and brackets are passed over.
bool endsInConsonant(std::string_view word);

// The word followed by the particle's fitting form.
std::string withParticle(std::string_view word, Particle particle);

// The word in double quotes.
std::string quoted(std::string_view word);

// What a message box tells the player of a click: for a picture,
// "그림 파일 "NAME"를 보여 줄 수 없습니다." and the reason on a line of its
// own; for a save or a load, one sentence naming the file, what the game was
// doing and why ("저장 파일 "save.sav"를 쓸 수 없습니다: 권한이 없습니다.").
// A save or load that went through may still carry a note for the player.
// Empty when there is nothing to say.
std::string messageFor(const StepResult &result);

// The same sentence for a save or load on its own, as the save button would
// report it.
std::string messageFor(const SaveStore::Result &result);

// The few words a window says of its own, beside the captions of the layout
// and the messages above: the story box's name for screen readers, the one
// button of a message, and what a page shows once the game has ended.
enum class Word { StoryBox, MessageOk, GameEnded, StartAgain };
std::string_view word(Word which);

} // namespace barmen::system
