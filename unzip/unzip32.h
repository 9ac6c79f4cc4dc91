#pragma once
// The extraction module unzip32.dll: two C functions that list, test or
// extract the members of a zip archive. The launcher loads the module at run
// time and looks the functions up by these names; the records below are the
// whole contract between the two, so both sides include this header.
//
// Every member is written flat into the target folder (only the last
// component of its name is used), through a temporary file that is renamed
// into place once the member was read to its end with a good CRC and exactly
// its declared size.

#include <cstdint>

#if defined(_WIN32)
#define KRV_UNZIP_API __declspec(dllexport)
#else
#define KRV_UNZIP_API __attribute__((visibility("default")))
#endif

extern "C" {

// What to do, one 32-bit integer each (0 off, non-zero on), then the two
// paths as 8-bit strings (UTF-8 on Linux).
struct UzpOptions {
    std::int32_t extractOnlyNewer;     // accepted, not used
    std::int32_t spacesToUnderscores;  // accepted, not used
    std::int32_t promptToOverwrite;    // ask the replace callback for existing files
    std::int32_t quietLevel;           // above 0: no line per member through print
    std::int32_t writeToStdout;        // accepted, not used
    std::int32_t testOnly;             // read and check every member, write nothing
    std::int32_t listOnly;             // report the members, read and write nothing
    std::int32_t freshenExisting;      // accepted, not used
    std::int32_t showComment;          // print the archive comment
    std::int32_t recreateFolderPaths;  // accepted, not used: members are always flattened
    std::int32_t overwriteAlways;      // replace existing files without asking
    std::int32_t crToCrLf;             // accepted, not used
    std::int32_t verboseInfo;          // accepted, not used
    std::int32_t caseInsensitiveNames; // include/exclude names match without regard to case
    std::int32_t privileges;           // accepted, not used
    const char* archivePath;
    const char* targetFolder; // created when missing; unused when listing
};

// One member as the listing callback reports it.
struct UzpMemberInfo {
    std::uint64_t size;           // uncompressed, as declared
    std::uint64_t compressedSize; // as declared
    std::uint32_t crc;
    std::int32_t ratioPercent; // how much compression saved, 0 to 100
    std::int32_t year, month, day, hour, minute;
    std::int32_t encrypted;
    const char* method; // "Stored", "Deflate", ...
    const char* name;   // as stored in the archive
};

// Every callback gets the record's `context` as its first argument. Any of
// them may be null.
using UzpPrintFn = void (*)(void* context, const char* text);
using UzpSoundFn = void (*)(void* context);
// Non-zero to replace the existing file `fileName`.
using UzpReplaceFn = std::int32_t (*)(void* context, const char* fileName);
// Puts the password for `memberName` into `buffer` (NUL-terminated, at most
// `bufferSize` bytes) and returns 0; non-zero gives up.
using UzpPasswordFn = std::int32_t (*)(void* context, char* buffer, std::int32_t bufferSize,
                                       const char* memberName);
using UzpListingFn = void (*)(void* context, const UzpMemberInfo* member);
// Called before each member; non-zero stops the run.
using UzpServiceFn = std::int32_t (*)(void* context, const char* memberName, std::uint64_t size);

struct UzpCallbacks {
    UzpPrintFn print;
    UzpSoundFn sound;
    UzpReplaceFn replace;
    UzpPasswordFn password;
    UzpListingFn listing;
    UzpServiceFn service;
    void* context;
    // Filled in by the module when the run ends.
    std::uint64_t totalSize;           // declared sizes of the members reported
    std::uint64_t totalCompressedSize; // their compressed sizes
    std::uint32_t memberCount;         // members reported
    std::int32_t hasComment;           // the archive has a comment
};

// The version record; the caller sets `size` to sizeof(UzpVersion), 64.
struct UzpVersion {
    std::uint32_t size;
    std::uint8_t major, minor, patch, reserved;
    std::uint8_t libzipMajor, libzipMinor, libzipPatch, reserved2;
    char date[20];
    char name[32];
};
static_assert(sizeof(UzpVersion) == 64, "the version record is 64 bytes");

// Results of Wiz_SingleEntryUnzip; anything but kUzpOk is a failure.
enum : std::int32_t {
    kUzpOk = 0,
    kUzpMemberError = 1,   // a member was damaged, lied about its size or had no password
    kUzpArchiveError = 2,  // not a readable zip archive
    kUzpLimitExceeded = 3, // too many members or too many bytes
    kUzpBadRequest = 4,    // missing paths or records
    kUzpWriteError = 5,    // the target folder could not be written
    kUzpAborted = 6,       // the service callback stopped the run
};

// Fills `version` when its size field is sizeof(UzpVersion) and returns 0;
// returns non-zero and leaves it alone otherwise.
KRV_UNZIP_API std::int32_t UzpVersion2(UzpVersion* version);

// Lists, tests or extracts the members of options->archivePath. With no
// include names every member is taken; a member matching an exclude name
// (shell wildcards) is left out.
KRV_UNZIP_API std::int32_t Wiz_SingleEntryUnzip(std::int32_t includeCount, char** includeNames,
                                                std::int32_t excludeCount, char** excludeNames,
                                                const UzpOptions* options, UzpCallbacks* callbacks);

using UzpVersion2Fn = std::int32_t (*)(UzpVersion*);
using WizSingleEntryUnzipFn = std::int32_t (*)(std::int32_t, char**, std::int32_t, char**,
                                               const UzpOptions*, UzpCallbacks*);

} // extern "C"

// Names under which the launcher looks the two functions up.
inline constexpr const char* kUzpVersion2Name = "UzpVersion2";
inline constexpr const char* kWizSingleEntryUnzipName = "Wiz_SingleEntryUnzip";
