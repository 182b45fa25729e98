#pragma once

#include "platform/registry/RegistryTypes.h"

#include <QVariant>

class cRegistry;
class fMain;

// The settings store: AppSettings from and to the registry, and the shell's folder options that
// the program takes over while it runs.
namespace mSettings {

inline constexpr auto RootKey = "SOFTWARE\\Duopane 1.7\\";

QString CurrentVersionText();
QString DefaultFontName();

void LoadSettings();
bool ReadSettings(platform::registry::HKEY hive);
void SaveSettings(fMain* window);
void WriteSettings(platform::registry::HKEY hive, fMain* window);

void ReadFolderOptions();
void ApplyFolderOptions(qint32 openOneClick, qint32 underline, qint32 disableWebView);
void RestoreFolderOptions();

QVariant ReadValue(cRegistry& reg, platform::registry::HKEY hive, const QString& subKey, const QString& name,
                   quint32 type, const QVariant& def);
void WriteValue(cRegistry& reg, platform::registry::HKEY hive, const QString& subKey, const QString& name,
                quint32 type, const QVariant& value);

} // namespace mSettings
