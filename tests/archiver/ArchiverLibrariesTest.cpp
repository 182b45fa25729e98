// Every archiver library is found by its DLL name, loads, reports a version the archiver
// accepts and carries a file version; a missing library leaves its driver harmless.
#include "archiver/cArchiverDriver.h"
#include "common/mmFileVersion.h"
#include "platform/archive/ArchiverLibrary.h"
#include "platform/prompt/SystemMessageBox.h"

#include "tests/support/ScriptedPrompt.h"

#include <gtest/gtest.h>

using platform::ArchiverLibrary;

namespace {

struct Library {
    const char* file;
    const char* prefix;  // empty: no GetVersion of its own
    int lowest;
};

const Library libraries[] = {
    {"UnZip32.dll", "UnZip", 80}, {"UnRar32.dll", "Unrar", 0}, {"UnArj32j.dll", "Unarj", 12},
    {"UnLha32.dll", "Unlha", 87}, {"Cab32.dll", "Cab", 65}, {"Tar32.dll", "Tar", 53},
    {"InfoZip32.dll", "", 0}, {"UnAce.dll", "", 0},
};

class LibraryTest : public ::testing::TestWithParam<Library> {};

TEST_P(LibraryTest, LoadsWithAcceptedVersionAndVersionText)
{
    const Library& l = GetParam();
    ArchiverLibrary library {QString::fromLatin1(l.file).toUpper()};
    ASSERT_TRUE(library.isLoaded()) << l.file;
    EXPECT_FALSE(mmFileVersion::FileVersionText(library.path()).isEmpty());
    if (QByteArray(l.prefix).isEmpty())
        return;
    auto version = reinterpret_cast<ArcGetVersionFn>(library.symbol((QByteArray(l.prefix) + "GetVersion").constData()));
    ASSERT_NE(version, nullptr);
    EXPECT_GE(version(), l.lowest);
    for (const char* call : {"", "CheckArchive", "OpenArchive", "FindFirst", "FindNext", "CloseArchive",
             "SetCursorMode", "GetCursorMode", "SetBackGroundMode", "GetBackGroundMode", "GetRunning", "ConfigDialog"})
        EXPECT_NE(library.symbol((QByteArray(l.prefix) + call).constData()), nullptr) << l.prefix << call;
}

INSTANTIATE_TEST_SUITE_P(Libraries, LibraryTest, ::testing::ValuesIn(libraries),
    [](const auto& info) { return std::string(info.param.file).substr(0, std::string(info.param.file).find('.')); });

class MissingDriver : public cArchiverDriver {
public:
    MissingDriver()
        : cArchiverDriver({QStringLiteral("XYZ"), QStringLiteral("NoSuch32.dll"), "NoSuch", 81, 324, true, 0, false})
    {
    }
};

TEST(MissingLibrary, MakesTheKindUnavailable)
{
    EXPECT_TRUE(ArchiverLibrary::locate(QStringLiteral("NoSuch32.dll")).isEmpty());
    MissingDriver driver;
    EXPECT_EQ(driver.Version(), 0);
    EXPECT_FALSE(driver.CheckArchive(QStringLiteral("/etc/hostname")));
    EXPECT_FALSE(driver.Running());
    duopane::test::prompt().expect(platform::QuestionKind::SystemMessageBox, QStringLiteral("corrupted archive"), platform::IDOK);
    EXPECT_EQ(driver.SetArcFile(QStringLiteral("/etc/hostname")), 0);
    EXPECT_EQ(duopane::test::prompt().asked().value(0).title, QStringLiteral("XYZ Message"));
    driver.setCommandLine(QStringLiteral("-x a.xyz"));
    EXPECT_NE(driver.ReturnCode(), 0);
    EXPECT_TRUE(duopane::test::prompt().allAnswered());
}

struct ErrorCase {
    qint32 code;
    const char* text;
};

class ErrorTextTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorTextTest, MatchesTheTable)
{
    EXPECT_EQ(cArchiverDriver::ErrorText(GetParam().code), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Codes, ErrorTextTest,
    ::testing::Values(ErrorCase {0, ""}, ErrorCase {0x8005, "Not enough disk space to extract file"},
        ErrorCase {0x801C, "Illegal command"}, ErrorCase {0x801F, "DLL already running"},
        ErrorCase {0x8021, "FindFirst() called before archive\r\nfile handle assigned by OpenArchive()"},
        ErrorCase {0x802C, "Can not write back to temporary archive file"},
        ErrorCase {0x1234, "Unknown return code 'H1234'\r\nMaybe nothing to do."}));

TEST(GroupedSize, UsesThousandsAndEmptyForZero)
{
    EXPECT_EQ(cArchiverDriver::GroupedSize(0), QString());
    EXPECT_EQ(cArchiverDriver::GroupedSize(999), QStringLiteral("999"));
    EXPECT_EQ(cArchiverDriver::GroupedSize(1234567), QStringLiteral("1,234,567"));
}

} // namespace

namespace {

// The record-to-entry rules, on records as a library fills them.
class RecordProbe : public cArchiverDriver {
public:
    RecordProbe()
        : cArchiverDriver({QStringLiteral("ZIP"), QStringLiteral("UnZip32.DLL"), "UnZip", 81, 324, true, 5, false})
    {
    }
    using cArchiverDriver::Entry;
    static Entry convert(const char* name, quint32 crc, quint16 ratio, quint16 date, quint16 time, const char* attr,
        const char* method)
    {
        ArcEntryRecord r {};
        qstrncpy(r.fileName, name, sizeof r.fileName);
        qstrncpy(r.attribute, attr, sizeof r.attribute);
        qstrncpy(r.method, method, sizeof r.method);
        r.crc = crc;
        r.ratio = ratio;
        r.dosDate = date;
        r.dosTime = time;
        r.originalSize = 1234567;
        return entryFromRecord(r, 5);
    }
};

TEST(EntryRecord, BecomesTheTenTexts)
{
    const quint16 date = (24 << 9) | (3 << 5) | 7;           // 2004-03-07
    const quint16 time = (14 << 11) | (5 << 5) | (6 / 2);     // 14:05:06
    auto e = RecordProbe::convert("docs/img/a.png", 0x1A2B3C4D, 453, date, time, "-A--X", "Deflated");
    EXPECT_EQ(e.FilePath, QStringLiteral("docs\\img\\"));
    EXPECT_EQ(e.FileName, QStringLiteral("a.png"));
    EXPECT_EQ(e.FileCRC, QStringLiteral("3C4D"));
    EXPECT_EQ(e.FileRatio, QStringLiteral("45.3%"));
    EXPECT_EQ(e.FileDate, QStringLiteral("04/03/07"));
    EXPECT_EQ(e.FILETIME, QStringLiteral("14:05:06"));
    EXPECT_EQ(e.FileAttr, QStringLiteral("-a--"));
    EXPECT_EQ(e.FileType, QStringLiteral("Defla"));
    EXPECT_EQ(e.FileOriginal, QStringLiteral("1,234,567"));
    e = RecordProbe::convert("docs/", 0x12, 0, date, time, "", "");
    EXPECT_EQ(e.FilePath, QStringLiteral("docs\\"));
    EXPECT_EQ(e.FileName, QString());
    EXPECT_EQ(e.FileCRC, QStringLiteral("0012"));
    e = RecordProbe::convert("readme.txt", 0, 0, date, time, "", "");
    EXPECT_EQ(e.FilePath, QStringLiteral("\\"));
    EXPECT_EQ(e.FileName, QStringLiteral("readme.txt"));
}

TEST(EntryRecord, IndexOutsideTheListingReadsEmpty)
{
    RecordProbe probe;
    EXPECT_EQ(probe.FileName(0), QString());
    EXPECT_EQ(probe.FileCRC(-1), QString());
}

} // namespace

#include "archiver/cUnARJ.h"
#include "archiver/cUnCab.h"

namespace {

TEST(DriverState, ArjObjectsShareOneStateAndCabKeepsItsCursorMode)
{
    cUnARJ first;
    cUnARJ second;
    first.sethWnd(77);
    first.setMaxFileCount(12);
    first.setTestMode(1);
    EXPECT_EQ(second.hWnd(), 77u);
    EXPECT_EQ(second.MaxFileCount(), 12);
    EXPECT_EQ(second.TestMode(), 1);
    first.setCommandLine(QStringLiteral("q nothing.arj"));
    EXPECT_EQ(second.ReturnCode(), 0x801C);
    EXPECT_EQ(second.CommandLine(), QStringLiteral("q nothing.arj"));
    first.setMaxFileCount(256);
    first.setTestMode(0);

    cUnCab cab;
    EXPECT_TRUE(cab.CursorMode());
    cab.setCursorMode(false);
    EXPECT_FALSE(cab.CursorMode());
    cUnCab other;
    EXPECT_TRUE(other.CursorMode());
}

} // namespace
