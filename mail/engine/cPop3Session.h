#pragma once

#include "mail/engine/cMailList.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// The POP3 dialogue with one account: USER, PASS, STAT, then TOP for every message (check) or
// DELE for every marked one (deletion), then QUIT. It knows nothing of sockets or windows: the
// checking window feeds it what arrives and sends what it asks to send.
class cPop3Session : public QObject {
    Q_OBJECT
public:
    enum State {
        Greeting = 0,
        UserSent = 1,
        PassSent = 2,
        StatSent = 3,
        TopSent = 4,
        DeleSent = 5,
        QuitSent = 6,
        Closed = 7,
    };

    // What one message may hold at most; a longer TOP response is cut and the message says so.
    static constexpr qsizetype KeptPerMessage = 64 * 1024;
    // A STAT count beyond this is taken as this many messages.
    static constexpr int MaxMessages = 32767;

    cPop3Session(cMailList& mailList, QObject* parent = nullptr);

    // Starts the dialogue with one account: the server greeting comes next. deletions empty means
    // a check; otherwise those messages are deleted by their index.
    void Begin(const QString& server, const QString& user, const QString& password, int linesToDownload,
               const QList<cMailList::Message>& deletions = {});
    // A piece of what the server sent, as it arrived.
    void OnData(const QByteArray& chunk);
    // "&Next Account" and "&Cancel" while connected: say goodbye.
    void Quit();

    State state() const { return m_state; }
    void setState(State state) { m_state = state; }
    int count() const { return m_count; }
    int current() const { return m_current; }
    // The last command sent in this session's life, kept across accounts for the retry question.
    const QString& lastCommand() const { return m_lastCommand; }
    bool hasSentCommand() const { return !m_lastCommand.isEmpty(); }

    // "PASS " followed by one "*" per character after the first five.
    static QString Masked(const QString& command);

signals:
    // A command line to send, CR LF included.
    void sendLine(const QByteArray& line);
    void commandSent(const QString& maskedCommand);
    void progress(int value, int maximum);
    // The connection must be closed now.
    void closeRequested();
    // A refusal other than of the user name or password; the window shows it.
    void pop3Error(const QString& reply);

private:
    void send(const QString& command);
    void onReply(const QByteArray& line);
    void onStat(const QByteArray& line);
    void onTopData(const QByteArray& chunk);
    void onDeleted();
    void finishTop(bool refused);
    void nextTopOrQuit();

    cMailList& m_mailList;
    State m_state = Closed;
    QString m_server;
    QString m_user;
    QString m_password;
    int m_lines = 20;
    QList<cMailList::Message> m_deletions;
    int m_count = 0;
    int m_current = 0;
    QString m_lastCommand;

    QByteArray m_line;    // a reply line being collected
    bool m_lineCut = false;
    QByteArray m_top;     // the TOP response kept so far
    QByteArray m_tail;    // the last bytes seen of it, to find the end across chunks
    bool m_topCut = false;
};
