#pragma once

#include <QString>

// What the FTP engine tells the window that owns it, and asks of it.
enum class FtpLogColour { Black, Red, Blue, Magenta };

enum class CommandState { Pending = 0, Succeeded = 1, Failed = 2, Cancelled = 3, Closing = 4 };
enum class TransferKind { None = 0, Listing = 1, Upload = 2, Download = 3 };

// The two bars of the progress window: the file in flight and the whole batch.
struct FtpProgress {
    double fileValue = 0;
    double fileMax = 0;
    double totalValue = 0;
    double totalMax = 0;
};

class FtpEngineHost {
public:
    virtual ~FtpEngineHost() = default;
    // Panel 1 is the status text, panel 2 the seconds spent waiting for a reply.
    virtual void ShowStatus(const QString& text, int panel) = 0;
    // One log line, already masked and ended by "\r\n".
    virtual void AppendLog(FtpLogColour colour, const QString& text) = 0;
    // A command found the window unloading; the window finishes closing.
    virtual void UnloadWindow() {}
    // The "GoUp" button is disabled while a command waits.
    virtual void DisableGoUp() {}
    virtual void ShowProgressLabels(const QString& from, const QString& to, const QString& file)
    {
        Q_UNUSED(from) Q_UNUSED(to) Q_UNUSED(file)
    }
    virtual void ShowProgress(const FtpProgress& progress) { Q_UNUSED(progress) }
    // The progress window starts a run with this caption (opening it when needed), and closes.
    virtual void StartProgress(const QString& caption) { Q_UNUSED(caption) }
    virtual void EndProgress() {}
    // Polled every second during a batch: the user asked to stop.
    virtual bool TransferCanceled() { return false; }
};
