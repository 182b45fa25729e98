#include "tests/mail/ScriptedPop3Server.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

ScriptedPop3Server::ScriptedPop3Server(Script script, QByteArray greeting)
    : m_script(std::move(script)), m_greeting(std::move(greeting))
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, &ScriptedPop3Server::accept);
}

QByteArrayList ScriptedPop3Server::pieces(const QByteArray& reply, int size)
{
    QByteArrayList out;
    for (qsizetype at = 0; at < reply.size(); at += size)
        out << reply.mid(at, size);
    return out;
}

void ScriptedPop3Server::accept()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        ++m_connections;
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadable(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        socket->write(m_greeting);
    }
}

void ScriptedPop3Server::onReadable(QTcpSocket* socket)
{
    while (socket->canReadLine()) {
        const QByteArray command = socket->readLine().trimmed();
        m_received << QString::fromUtf8(command);
        sendPieces(socket, m_script(command));
    }
}

// Each piece goes out on its own, a few milliseconds after the one before, so the client
// receives them as separate chunks.
void ScriptedPop3Server::sendPieces(QTcpSocket* socket, QByteArrayList pieces)
{
    if (pieces.isEmpty())
        return;
    socket->write(pieces.takeFirst());
    socket->flush();
    if (pieces.isEmpty())
        return;
    QPointer<QTcpSocket> alive(socket);
    QTimer::singleShot(3, this, [this, alive, pieces] {
        if (alive)
            sendPieces(alive, pieces);
    });
}
