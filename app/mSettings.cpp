#include "app/mSettings.h"

#include "app/AppSettings.h"
#include "app/fMain.h"
#include "common/cRegistry.h"
#include "common/mmFile.h"
#include "platform/core/DoEvents.h"

#include <QCoreApplication>
#include <QFontDatabase>

#include <cmath>

using namespace platform::registry;

AppSettingsRecord& AppSettings()
{
    static AppSettingsRecord record;
    return record;
}

namespace mSettings {
namespace {

constexpr auto ExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
constexpr auto AdvancedKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr char PanelLetter[2] = {'L', 'R'};

struct FolderOptions {
    QByteArray initialShellState, workingShellState;
    QByteArray initialIconUnderline, workingIconUnderline;
    qint32 initialWebView = -1;
    qint32 initialClassicViewState = -1;
};

FolderOptions& folderOptions()
{
    static FolderOptions options;
    return options;
}

QString section(const char* subKey)
{
    return QString::fromLatin1(RootKey) + QString::fromLatin1(subKey);
}

qint32 readNumber(cRegistry& reg, HKEY hive, const QString& sub, const char* name, qint32 def)
{
    return ReadValue(reg, hive, sub, QString::fromLatin1(name), REG_DWORD, def).toInt();
}

QString readText(cRegistry& reg, HKEY hive, const QString& sub, const QString& name, const QString& def)
{
    return ReadValue(reg, hive, sub, name, REG_SZ, def).toString();
}

void writeNumber(cRegistry& reg, HKEY hive, const QString& sub, const char* name, qint32 value)
{
    WriteValue(reg, hive, sub, QString::fromLatin1(name), REG_DWORD, value);
}

void setBit(QByteArray& bytes, int index, char bit, bool on)
{
    if (index >= bytes.size())
        return; // a missing or short value is left as it is
    bytes[index] = on ? char(bytes[index] | bit) : char(bytes[index] & ~bit);
}

qint32 twips(int pixels)
{
    return qint32(std::nearbyint(pixels * 15.0)); // halves to even under the default rounding mode
}

} // namespace

QString CurrentVersionText()
{
    // major.minor.0.revision of the running program
    return QStringLiteral("Version %1.%2.0.%3").arg(DUOPANE_VERSION_MAJOR).arg(DUOPANE_VERSION_MINOR).arg(DUOPANE_VERSION_REVISION);
}

QString DefaultFontName()
{
    const QStringList installed = QFontDatabase::families();
    for (const char* name : {"Tahoma", "MS Sans Serif", "Arial"})
        if (installed.contains(QString::fromLatin1(name)))
            return QString::fromLatin1(name);
    return QStringLiteral("Tahoma");
}

namespace {

void select(cRegistry& reg, HKEY hive, const QString& subKey, const QString& name, quint32 type)
{
    reg.ClassKey = hive;
    reg.SectionKey = subKey;
    reg.ValueKey = name;
    reg.ValueType = type;
}

} // namespace

QVariant ReadValue(cRegistry& reg, HKEY hive, const QString& subKey, const QString& name, quint32 type,
                   const QVariant& def)
{
    select(reg, hive, subKey, name, type);
    reg.Default = def;
    const QVariant value = reg.Value();
    if (type == REG_SZ || type == REG_EXPAND_SZ)
        return mmFile::CutAtNul(value.toString().trimmed());
    return value;
}

void WriteValue(cRegistry& reg, HKEY hive, const QString& subKey, const QString& name, quint32 type,
                const QVariant& value)
{
    select(reg, hive, subKey, name, type);
    reg.SetValue(value); // a failed write changes nothing and shows nothing
}

bool ReadSettings(HKEY hive)
{
    AppSettingsRecord& s = AppSettings();
    cRegistry reg;
    bool complete = true;
    for (const char* sub : {"Config", "Windows", "Panels"}) {
        reg.ClassKey = hive;
        reg.SectionKey = section(sub);
        if (!reg.KeyExists()) {
            complete = false;
            break;
        }
    }
    const QString root = QString::fromLatin1(RootKey);
    s.StoredVersion = readText(reg, hive, root, QStringLiteral("Version"), QString());
    s.CurrentVersion = CurrentVersionText();

    const QString config = section("Config");
    s.PanelForeColor = readNumber(reg, hive, config, "PanelForeColor", 0);
    s.PanelBackColor = readNumber(reg, hive, config, "PanelBackColor", 0xFFFFFF);
    s.FontName = mmFile::CutAtNul(readText(reg, hive, config, QStringLiteral("FontName"), DefaultFontName()));
    s.FontSize = readNumber(reg, hive, config, "FontSize", 8);
    s.DisableWebView = readNumber(reg, hive, config, "DisableWebView", 1);
    s.OpenOneClick = readNumber(reg, hive, config, "OpenOneClick", 0);
    s.Underline = readNumber(reg, hive, config, "Underline", 1);

    const QString panels = section("Panels");
    for (int i = 0; i < 2; ++i) {
        s.Style[i] = ReadValue(reg, hive, panels, QStringLiteral("Style") + QChar::fromLatin1(PanelLetter[i]), REG_DWORD, 0).toInt();
        s.Folder[i] = readText(reg, hive, panels, QStringLiteral("Folder") + QChar::fromLatin1(PanelLetter[i]), QString());
    }

    const QString windows = section("Windows");
    s.SplitFactor = readNumber(reg, hive, windows, "SplitFactor", 50);
    s.WindowState = readNumber(reg, hive, windows, "WindowState", s.WindowState);
    s.Left = readNumber(reg, hive, windows, "Left", s.Left);
    s.Top = readNumber(reg, hive, windows, "Top", s.Top);
    s.Width = readNumber(reg, hive, windows, "Width", s.Width);
    s.Height = readNumber(reg, hive, windows, "Height", s.Height);
    platform::DoEvents();
    return complete;
}

void LoadSettings()
{
    if (!ReadSettings(HKEY_CURRENT_USER))
        ReadSettings(HKEY_LOCAL_MACHINE);
}

void WriteSettings(HKEY hive, fMain* window)
{
    AppSettingsRecord& s = AppSettings();
    cRegistry reg;
    WriteValue(reg, hive, QString::fromLatin1(RootKey), QStringLiteral("Version"), REG_SZ, s.CurrentVersion);

    const QString config = section("Config");
    writeNumber(reg, hive, config, "PanelForeColor", s.PanelForeColor);
    writeNumber(reg, hive, config, "PanelBackColor", s.PanelBackColor);
    WriteValue(reg, hive, config, QStringLiteral("FontName"), REG_SZ, s.FontName);
    writeNumber(reg, hive, config, "FontSize", s.FontSize);
    writeNumber(reg, hive, config, "DisableWebView", s.DisableWebView);
    writeNumber(reg, hive, config, "OpenOneClick", s.OpenOneClick);
    writeNumber(reg, hive, config, "Underline", s.Underline);

    const QString panels = section("Panels");
    for (int i = 0; i < 2; ++i) {
        const QString letter = QChar::fromLatin1(PanelLetter[i]);
        WriteValue(reg, hive, panels, QStringLiteral("Style") + letter, REG_DWORD, window ? window->PanelStyle(i) : s.Style[i]);
        // A panel on a web page or the Desktop keeps the folder stored before.
        if (const QString folder = window ? window->PanelFolderToSave(i) : QString(); !folder.isEmpty())
            WriteValue(reg, hive, panels, QStringLiteral("Folder") + letter, REG_SZ, folder);
    }

    const QString windows = section("Windows");
    writeNumber(reg, hive, windows, "SplitFactor", s.SplitFactor);
    if (!window)
        return;
    writeNumber(reg, hive, windows, "WindowState", window->isMinimized() ? 0 : window->isMaximized() ? 2 : 0);
    if (window->isMinimized() || window->isMaximized()) {
        window->showNormal();
        platform::DoEvents();
    }
    const QRect bounds = window->normalGeometry().isValid() ? window->normalGeometry() : window->geometry();
    writeNumber(reg, hive, windows, "Left", twips(bounds.x()));
    writeNumber(reg, hive, windows, "Top", twips(bounds.y()));
    writeNumber(reg, hive, windows, "Width", twips(bounds.width()));
    writeNumber(reg, hive, windows, "Height", twips(bounds.height()));
}

void SaveSettings(fMain* window)
{
    WriteSettings(HKEY_CURRENT_USER, window);
    WriteSettings(HKEY_LOCAL_MACHINE, window);
}

void ReadFolderOptions()
{
    FolderOptions& o = folderOptions();
    cRegistry reg;
    const QString explorer = QString::fromLatin1(ExplorerKey);
    o.initialWebView = ReadValue(reg, HKEY_CURRENT_USER, QString::fromLatin1(AdvancedKey), QStringLiteral("WebView"), REG_DWORD, -1).toInt();
    o.initialClassicViewState =
        ReadValue(reg, HKEY_CURRENT_USER, QString::fromLatin1(AdvancedKey), QStringLiteral("ClassicViewState"), REG_DWORD, -1).toInt();
    o.initialShellState = ReadValue(reg, HKEY_CURRENT_USER, explorer, QStringLiteral("ShellState"), REG_BINARY, QByteArray()).toByteArray();
    o.workingShellState = o.initialShellState;
    o.initialIconUnderline =
        ReadValue(reg, HKEY_CURRENT_USER, explorer, QStringLiteral("IconUnderline"), REG_BINARY, QByteArray()).toByteArray();
    o.workingIconUnderline = o.initialIconUnderline;
    platform::DoEvents();
}

void ApplyFolderOptions(qint32 openOneClick, qint32 underline, qint32 disableWebView)
{
    FolderOptions& o = folderOptions();
    cRegistry reg;
    if (!o.workingIconUnderline.isEmpty())
        o.workingIconUnderline[0] = char(underline);
    setBit(o.workingShellState, 4, 0x20, !openOneClick);
    setBit(o.workingShellState, 5, 0x20, !disableWebView);
    const QString advanced = QString::fromLatin1(AdvancedKey);
    writeNumber(reg, HKEY_CURRENT_USER, advanced, "WebView", disableWebView ? 0 : 1);
    writeNumber(reg, HKEY_CURRENT_USER, advanced, "ClassicViewState", disableWebView ? 1 : 0);
    const QString explorer = QString::fromLatin1(ExplorerKey);
    WriteValue(reg, HKEY_CURRENT_USER, explorer, QStringLiteral("IconUnderline"), REG_BINARY, o.workingIconUnderline);
    WriteValue(reg, HKEY_CURRENT_USER, explorer, QStringLiteral("ShellState"), REG_BINARY, o.workingShellState);
    platform::DoEvents();
}

void RestoreFolderOptions()
{
    const FolderOptions& o = folderOptions();
    cRegistry reg;
    const QString advanced = QString::fromLatin1(AdvancedKey);
    writeNumber(reg, HKEY_CURRENT_USER, advanced, "WebView", o.initialWebView);
    writeNumber(reg, HKEY_CURRENT_USER, advanced, "ClassicViewState", o.initialClassicViewState);
    const QString explorer = QString::fromLatin1(ExplorerKey);
    WriteValue(reg, HKEY_CURRENT_USER, explorer, QStringLiteral("ShellState"), REG_BINARY, o.initialShellState);
    WriteValue(reg, HKEY_CURRENT_USER, explorer, QStringLiteral("IconUnderline"), REG_BINARY, o.initialIconUnderline);
    platform::DoEvents();
}

} // namespace mSettings
