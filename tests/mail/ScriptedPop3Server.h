#pragma once

#include <QByteArrayList>
#include <QObject>
#include <QStringList>
#include <QTcpServer>

#include <functional>

class QTcpSocket;

// A POP3 server of the test's own, for replies real servers do not send: each command gets
// the reply its script gives, handed out in pieces with a pause between them.
class ScriptedPop3Server : public QObject {
    Q_OBJECT
public:
    // The pieces of the reply to one command line (without CR LF); no pieces means silence.
    using Script = std::function<QByteArrayList(const QByteArray& command)>;

    explicit ScriptedPop3Server(Script script, QByteArray greeting = "+OK scripted POP3 ready\r\n");

    quint16 port() const { return m_server.serverPort(); }
    // Every command received, in order, over all connections.
    const QStringList& received() const { return m_received; }
    int connections() const { return m_connections; }

    // A whole reply cut into pieces of the given size.
    static QByteArrayList pieces(const QByteArray& reply, int size);

private:
    void accept();
    void onReadable(QTcpSocket* socket);
    void sendPieces(QTcpSocket* socket, QByteArrayList pieces);

    Script m_script;
    QByteArray m_greeting;
    QTcpServer m_server;
    QStringList m_received;
    int m_connections = 0;
};
