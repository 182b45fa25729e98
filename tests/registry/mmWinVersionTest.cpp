#include "common/mmWinVersion.h"

#include <gtest/gtest.h>

TEST(mmWinVersion, LinuxAnswersNoWindowsTest)
{
    EXPECT_FALSE(mmWinVersion::IsWinNT());
    EXPECT_FALSE(mmWinVersion::IsWinNT4());
    EXPECT_FALSE(mmWinVersion::IsWinNT5());
    EXPECT_FALSE(mmWinVersion::IsWin2000() && mmWinVersion::IsWinXP());
    EXPECT_FALSE(mmWinVersion::IsWin95() || mmWinVersion::IsWin98() || mmWinVersion::IsWinME());
    EXPECT_GE(mmWinVersion::ShellLibVersion(), 6);
    EXPECT_TRUE(mmWinVersion::ShellLibVersionText().contains("(Build #="));
}
