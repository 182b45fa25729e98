#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

namespace duopane::test {

// A small FTP server whose replies the test writes: the answers real servers rarely give.
// Unscripted verbs get plain good answers; PASV opens a data port; LIST sends `listing`.
class ScriptedFtpServer : public QObject {
public:
    using Handler = std::function<void(const QString& argument)>;

    ScriptedFtpServer();

    quint16 port() const { return m_control.serverPort(); }
    // Sent when a client connects; `piece` > 0 sends it in pieces of that many bytes.
    void setGreeting(const QByteArray& greeting, int piece = 0);
    void on(const QString& verb, Handler handler) { m_handlers.insert(verb, std::move(handler)); }
    void reply(const QByteArray& text);
    // Sends bytes on the data connection once the client has made it; closes it afterwards.
    void sendData(const QByteArray& bytes, bool closeAfter = true);
    void closeData();

    QByteArray listing;
    QStringList received;

private:
    void accept();
    void readCommands();
    void answer(const QString& verb, const QString& argument);
    void flushData();
    void writeSlowly(const QByteArray& text, int piece);

    QTcpServer m_control;
    QTcpServer m_dataListener;
    QPointer<QTcpSocket> m_client;
    QPointer<QTcpSocket> m_data;
    QByteArray m_greeting;
    int m_greetingPiece = 0;
    QByteArray m_pendingData;
    bool m_closeAfter = true;
    bool m_dataWanted = false;
    QHash<QString, Handler> m_handlers;
};

} // namespace duopane::test
