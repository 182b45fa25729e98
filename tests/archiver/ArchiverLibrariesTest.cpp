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
