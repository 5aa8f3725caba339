#pragma once

#include <string>
#include <string_view>

// What went wrong, as kinds and never as words: every layer hands these up,
// and one table (system/failure.cpp) turns them into what a player reads, so
// each front end says the same thing for the same fault.
namespace barmen {

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
    NameTaken,         // a new file's name is there already
    BadName,           // the system takes no file of that name
    NotSupported,      // the disk or its file system cannot do it
    OutOfMemory,
    Unknown,           // an error code no kind above covers; its number is shown
    // What the game found itself.
    NotPlainFile,
    NotInFolder,       // a picture missing from the folder the game looks in, which is named
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
    // What the save rules found.
    IsPipe,            // in the save's place: a named pipe,
    IsSocket,          // a socket,
    IsDevice,          // or a device
    ForeignLink,       // a link someone else made
    LinkOutsideFolder, // a link to no file, outside the game folder
    LinkNotASave,      // a link to a file that is no save of this game
    InPlaceThroughLink,
    Cp949Encode,       // the converter could not be used
    Cp949Decode,
    NotASave,          // the file holds something other than a save of this game
    NoSave,
    EmptySave,
    NothingToSave,     // no scene of the story has been shown yet
    // Not failures: what a player should know of a click that went through.
    UnknownScene,      // the loaded label names no scene: no button will answer
    NotFlushed,        // the new save is in place, but the disk did not confirm it
};

// A failure and, for Unknown, the system's own number.
struct Problem {
    Failure kind = Failure::None;
    long code = 0;

    explicit operator bool() const { return kind != Failure::None; }
};

// What the game was doing when a file failed it: the verb of the sentence
// a player reads ("…를 쓸 수 없습니다", "…를 열 수 없습니다").
enum class Doing { Showing, Writing, Creating, Replacing, Opening, Reading };

// What the decoder knew of a picture it refused: its format ("JPEG" or
// "GIF") and, for one too large, its size; for one not found, the folder
// the game looked in.
struct PictureDetail {
    std::string_view format;
    long long width = 0, height = 0;
    std::string folder{};
};

} // namespace barmen
