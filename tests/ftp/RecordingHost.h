#pragma once

#include "ftp/engine/FtpEngineHost.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

namespace duopane::test {

// Keeps what the engine shows, as a window would, so tests can read the log and status line.
class RecordingHost : public FtpEngineHost {
public:
    void ShowStatus(const QString& text, int panel) override
    {
        (panel == 2 ? waitStatus : statuses).append(text);
        if (onStatus)
            onStatus(text);
    }
    void AppendLog(FtpLogColour colour, const QString& text) override { log.append({colour, text}); }
    void ShowProgress(const FtpProgress& progress) override { last = progress; }
    bool TransferCanceled() override { return canceled; }
    void StartProgress(const QString& caption) override { captions.append(caption); }

    QString logText() const
    {
        QString text;
        for (const auto& line : log)
            text += line.second;
        return text;
    }
    bool logged(FtpLogColour colour, const QString& piece) const
    {
        for (const auto& line : log) {
            if (line.first == colour && line.second.contains(piece))
                return true;
        }
        return false;
    }

    QStringList statuses;
    QStringList waitStatus;
    QStringList captions;
    QList<QPair<FtpLogColour, QString>> log;
    FtpProgress last;
    bool canceled = false;
    std::function<void(const QString&)> onStatus;
};

} // namespace duopane::test
