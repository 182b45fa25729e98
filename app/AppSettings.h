#pragma once

#include <QString>

// The main program's settings, filled from the registry at start-up and written back at shutdown.
struct AppSettingsRecord {
    QString StoredVersion;
    QString CurrentVersion;
    qint32 PanelForeColor = 0;
    qint32 PanelBackColor = 0;
    QString FontName;
    qint32 FontSize = 0;
    quint32 hFontSmall = 0;
    quint32 hFontLarge = 0;
    qint32 Style[2] = {0, 0};
    QString Folder[2];
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Width = 0;
    qint32 Height = 0;
    qint32 WindowState = 0;
    qint32 SplitFactor = 0;
    qint32 DisableWebView = 0;
    qint32 Underline = 0;
    qint32 OpenOneClick = 0;
};

// The one record of the process; user-interface thread only.
AppSettingsRecord& AppSettings();
