#pragma once

// The C calls our archiver libraries export, shared by the libraries and the drivers that load
// them. Every library exports the calls with its own prefix (UnZip, Unarj, Unrar, Unlha, Cab, Tar):
// the prefix alone is the command function, the others append the names below.

#include <cstddef>
#include <cstdint>

extern "C" {

using ArcHandle = std::uint32_t;  // 0 = no archive
using ArcWindow = std::uint32_t;  // owner window, passed through

#pragma pack(push, 1)
// One listing entry, as FindFirst/FindNext fill it: 558 bytes, little-endian.
struct ArcEntryRecord {
    std::uint32_t originalSize;
    std::uint32_t compressedSize;
    std::uint32_t crc;
    std::uint32_t flag;
    std::uint32_t osType;
    std::uint16_t ratio;    // tenths of a percent
    std::uint16_t dosDate;  // bits 9-15 year since 1980, 5-8 month, 0-4 day
    std::uint16_t dosTime;  // bits 11-15 hours, 5-10 minutes, 0-4 seconds / 2
    char fileName[513];     // with its folders, NUL-terminated
    char padding[3];
    char attribute[8];
    char method[8];
};
#pragma pack(pop)
static_assert(sizeof(ArcEntryRecord) == 558, "the entry record is 558 bytes");
static_assert(offsetof(ArcEntryRecord, fileName) == 26);
static_assert(offsetof(ArcEntryRecord, attribute) == 542);
static_assert(offsetof(ArcEntryRecord, method) == 550);

using ArcCommandFn = int (*)(ArcWindow window, const char* command, char* output, std::uint32_t size);
using ArcCheckArchiveFn = int (*)(const char* file, int mode);
using ArcOpenArchiveFn = ArcHandle (*)(ArcWindow window, const char* file, std::uint32_t mode);
using ArcFindFirstFn = int (*)(ArcHandle archive, const char* wildcard, ArcEntryRecord* entry);
using ArcFindNextFn = int (*)(ArcHandle archive, ArcEntryRecord* entry);
using ArcCloseArchiveFn = int (*)(ArcHandle archive);
using ArcGetVersionFn = std::uint16_t (*)();
using ArcSetModeFn = int (*)(int mode);
using ArcGetModeFn = int (*)();
using ArcConfigDialogFn = int (*)(ArcWindow window, char* options, int mode);

// The ACE library's calls: open, read header, process file.
#pragma pack(push, 1)
struct AceOpenRecord {
    const char* archiveName;
    std::uint32_t openMode;    // 0 check, 1 list or extract
    std::uint32_t openResult;  // 0 = success
    std::uint32_t reserved[4];
};
struct AceHeaderRecord {
    char archiveName[260];
    char fileName[260];
    std::uint32_t flags;
    std::uint32_t packedSize;
    std::uint32_t unpackedSize;
    std::uint32_t crc;
    std::uint32_t dateTime;  // DOS date in the high 16 bits, time in the low 16
    std::uint32_t method;    // 0 stored, 1 LZ77
    std::uint32_t reserved;
    std::uint32_t attributes;
    char* commentBuffer;
    std::uint32_t commentBufferSize;
    std::uint32_t commentSize;
    std::uint32_t commentState;
};
#pragma pack(pop)

using AceOpenArchiveFn = ArcHandle (*)(AceOpenRecord* open);
using AceReadHeaderFn = int (*)(ArcHandle archive, AceHeaderRecord* header);
using AceProcessFileFn = int (*)(ArcHandle archive, int operation, const char* destination);
using AceSetPasswordFn = int (*)(ArcHandle archive, const char* password);
using AceCloseArchiveFn = int (*)(ArcHandle archive);

// The zip library: ZpInit, ZpSetOptions, ZpArchive.
using ZpPrintFn = int (*)(char* text, unsigned long size);
using ZpCommentFn = int (*)(char* buffer);
using ZpPasswordFn = int (*)(char* buffer, int size, const char* prompt, const char* name);
using ZpServiceFn = int (*)(const char* name, unsigned long size);

struct ZpUserFunctions {
    ZpPrintFn print;
    ZpCommentFn comment;
    ZpPasswordFn password;
    ZpServiceFn service;
};

// The options record; text fields are native pointers, every flag a 32-bit number.
struct ZpOptions {
    const char* date;
    const char* rootFolder;
    const char* tempFolder;
    std::int32_t useTempFolder;
    std::int32_t suffix;
    std::int32_t encrypt;
    std::int32_t systemAndHidden;
    std::int32_t volume;
    std::int32_t extraAttributes;
    std::int32_t noFolderEntries;
    std::int32_t excludeByDate;
    std::int32_t includeByDate;
    std::int32_t verbose;
    std::int32_t quiet;
    std::int32_t crlfToLf;
    std::int32_t lfToCrlf;
    std::int32_t junkFolderNames;
    std::int32_t grow;
    std::int32_t forceDosNames;
    std::int32_t move;
    std::int32_t deleteEntries;
    std::int32_t update;
    std::int32_t freshen;
    std::int32_t junkSfxPrefix;
    std::int32_t latestTime;
    std::int32_t comment;
    std::int32_t offsets;
    std::int32_t privileges;
    std::int32_t encryptionSupported;
    std::int32_t recurse;
    std::int32_t repair;
    char level;  // '0' to '9'
    char padding[3];
};

inline constexpr int ZpMaxNames = 4001;
struct ZpNames {
    const char* name[ZpMaxNames];
};

using ZpInitFn = int (*)(const ZpUserFunctions* functions);
using ZpSetOptionsFn = int (*)(const ZpOptions* options);
using ZpArchiveFn = int (*)(int count, const char* archive, const ZpNames* names);

} // extern "C"

// Return codes of the command functions.
namespace arcerr {
inline constexpr int Ok = 0;
inline constexpr int DiskFull = 0x8005;
inline constexpr int ReadOnlyTarget = 0x8006;
inline constexpr int Skipped = 0x8007;
inline constexpr int ArchiveCrc = 0x800C;
inline constexpr int CannotOpenOutput = 0x800D;
inline constexpr int NewerExists = 0x800E;
inline constexpr int NotFound = 0x800F;
inline constexpr int CannotMakeFolder = 0x8012;
inline constexpr int WriteError = 0x8013;
inline constexpr int BrokenData = 0x8014;
inline constexpr int CrcError = 0x8016;
inline constexpr int BrokenHeader = 0x8017;
inline constexpr int CannotOpenArchive = 0x8018;
inline constexpr int NotLzh = 0x8019;
inline constexpr int ReadError = 0x801A;
inline constexpr int IllegalCommand = 0x801C;
inline constexpr int NoMemory = 0x801D;
inline constexpr int AlreadyRunning = 0x801F;
inline constexpr int UserCancel = 0x8020;
inline constexpr int NoHandle = 0x8021;
inline constexpr int NoFindFirst = 0x8022;
inline constexpr int Unsupported = 0x8023;
inline constexpr int TempFile = 0x8025;
inline constexpr int PathTooLong = 0x8026;
inline constexpr int ArchiveReadOnly = 0x8027;
inline constexpr int ListFile = 0x802A;
inline constexpr int NameRequired = 0x802B;
inline constexpr int WriteBack = 0x802C;
} // namespace arcerr
