#pragma once

#include <QString>

// Which Windows family and release the program runs on. On Linux every test is false; the
// browser runtime's version stands for the shell utility library's.
namespace mmWinVersion {

int ShellLibVersion();
QString ShellLibVersionText();
bool IsWinNT();
bool IsWinNT4();
bool IsWinNT5();
bool IsWin2000();
bool IsWinXP();
bool IsWin95();
bool IsWin98();
bool IsWinME();

} // namespace mmWinVersion
