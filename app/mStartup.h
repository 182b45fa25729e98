#pragma once

#include <QString>

class QWidget;

// Start-up after the component check, the private folders, and the end of the program.
namespace mStartup {

inline constexpr auto VersionQuestion = "Check latest version of Duopane ?";

// Runs start-up from loading the settings to the first-run question; the main window is open after it.
void Start();
bool IsFirstRun();

QString LinkFolder();
QString TempFolder();
// Deletes everything inside the temporary folder; the folder itself stays.
void EmptyTempFolder();
// Copies the user's desktop and menu launchers into the link folder; never asks anything.
void ShortcutImport();
// Closes every open window, the most recently opened first; does nothing when re-entered.
void UnloadAllWindows(QWidget* except = nullptr);

} // namespace mStartup
