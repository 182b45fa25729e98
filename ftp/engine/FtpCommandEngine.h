#pragma once

#include "ftp/engine/FtpEngineHost.h"
#include "ftp/engine/FtpReplyReader.h"
#include "platform/net/WinsockControl.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <functional>

class FtpDataEngine;

// The control connection: one command in flight, its state moved by the reply table, and the
// wait loop that lets events run until the reply came.
class FtpCommandEngine : public QObject {
    Q_OBJECT
public:
    explicit FtpCommandEngine(FtpEngineHost& host, QObject* parent = nullptr);

    platform::WinsockControl& Winsock1() { return m_winsock1; }
    void SetDataEngine(FtpDataEngine* data) { m_data = data; }

    CommandState State() const { return m_state; }
    TransferKind Kind() const { return m_kind; }
    const QString& LastCommand() const { return m_lastCommand; }
    const QString& LastReply() const { return m_lastReply; }
    void ClearLastCommand() { m_lastCommand.clear(); }

    void BeginCommand(TransferKind kind);
    void EndCommand(CommandState state);
    void SendRaw(const QString& line);
    bool SendCommand(TransferKind kind, const QString& line);
    bool WaitForReply(const QString& line);
    void HandleReply(const QString& line);
    void LogLine(FtpLogColour colour, const QString& text);
    bool IsConnected() const { return m_winsock1.State() == platform::WinsockControl::sckConnected; }

    // The logon sequence up to PWD; false when a step failed.
    bool LogOn();
    // Sends QUIT when connected and closes the control connection.
    void QuitControl();
    // Forgets the connection's folders and commands; the window clears its own views.
    void Reset();
    // The window unloads: every later command ends at once.
    void EnterClosing();

    // Folders: the one shown, and the one PWD reported right after logon.
    QString CurrentFolder;
    QString StartFolder;
    bool TreeReady = false;

    // Seconds on a steady clock; set when a command begins and when data moves.
    double Now() const { return m_clock.elapsed() / 1000.0; }
    void Touch() { m_lastActivity = Now(); }
    double LastActivity() const { return m_lastActivity; }

    // The rename question's answer, asked through the prompt service.
    std::function<QString(const QString& oldName)> AskNewName;

private:
    void dataArrival();
    void socketError(int number, const QString& description);
    void readPwd(const QString& line);
    void renameQuestion();
    bool waitStep(double start, const QString& verb, int& shown, bool& result);
    bool dataDone(double start);
    bool askToWait();

    FtpEngineHost& m_host;
    platform::WinsockControl m_winsock1;
    FtpDataEngine* m_data = nullptr;
    FtpReplyReader m_reader;
    CommandState m_state = CommandState::Succeeded;
    TransferKind m_kind = TransferKind::None;
    QString m_lastCommand;
    QString m_lastReply;
    QString m_oldName;
    QElapsedTimer m_clock;
    double m_lastActivity = 0;
};
