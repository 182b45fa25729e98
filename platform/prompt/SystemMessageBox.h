#pragma once

#include <QString>

// The system's own message box, with Win32 style flags and answer codes.
namespace platform {

inline constexpr quint32 MB_OK = 0x0;
inline constexpr quint32 MB_OKCANCEL = 0x1;
inline constexpr quint32 MB_ABORTRETRYIGNORE = 0x2;
inline constexpr quint32 MB_YESNOCANCEL = 0x3;
inline constexpr quint32 MB_YESNO = 0x4;
inline constexpr quint32 MB_RETRYCANCEL = 0x5;
inline constexpr quint32 MB_ICONERROR = 0x10;
inline constexpr quint32 MB_ICONQUESTION = 0x20;
inline constexpr quint32 MB_ICONWARNING = 0x30;
inline constexpr quint32 MB_ICONINFORMATION = 0x40;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// An empty title means the system's default title.
int SystemMessageBox(const QString& text, const QString& title, quint32 style);

} // namespace platform
