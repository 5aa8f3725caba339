#pragma once

#include <string>
#include <string_view>

namespace barmen {
struct StepResult;
}

// Every way a file of the game can fail, by kind, and the Korean words a
// player reads for each. The operating system's own error codes (errno
// here, GetLastError on Windows) are mapped onto these kinds, so every
// front end says the same thing for the same fault.
namespace barmen::system {

enum class Failure {
    None,
    // What the operating system said.
    NoPermission,
    ReadOnlyDisk,
    NoSpace,
    QuotaFull,
    FileTooBig,        // the file-size limit of the process
    NoSuchFile,
    NotAFolderOnPath,
    IsFolder,
    LinkLoop,
    DiskError,
    PathTooLong,
    TooManyOpenFiles,
    InUse,             // another program holds it (busy, or a sharing violation)
    OtherDisk,
    ShortWrite,        // the write ended early without an error
    Unknown,           // an error code no kind above covers; its number is shown
    // What the game found itself.
    NotPlainFile,
    DanglingLink,
    Empty,
    CannotOpen,        // a picture that is there but would not open, for a reason no kind above covers
    ReadIncomplete,    // opened, then the reading failed
    FileTooLarge,      // more bytes than any picture of the game
    // What the picture decoder found.
    NotAPicture,
    CutOff,
    Damaged,
    Unsupported,
    TooManyPixels,
    TooManyScans,      // a JPEG of more scans, or more work over its pixels, than one click may take
    TooManyFrames,     // a GIF of more frames than any animation this window could show
};

// A failure and, for Unknown, the system's own number.
struct Problem {
    Failure kind = Failure::None;
    long code = 0;

    explicit operator bool() const { return kind != Failure::None; }
};

Problem fromErrno(int error);

// The reason as a clause without a full stop, as it follows a colon:
// "권한이 없습니다", "디스크에 남은 공간이 없습니다".
std::string reason(Problem problem);

// What the failure is called under a picture's name in a message box, a
// sentence with its full stop: "파일이 없습니다.", "GIF 파일이 중간에 잘려
// 있습니다.", "그림이 너무 큽니다 (8192 × 8192 화소).". The decoder's kinds
// name the picture's format, and TooManyPixels its size.
struct PictureDetail {
    std::string_view format;   // "JPEG" or "GIF"
    long long width = 0, height = 0;
};
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

// What a message box tells the player of a failed click: for a picture,
// "그림 파일 "NAME"를 보여 줄 수 없습니다." and the reason on a line of its
// own; for a save or a load, the reason alone. Empty for a click that did
// not fail.
std::string messageFor(const StepResult &result);

} // namespace barmen::system
