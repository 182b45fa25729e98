#include "tests/ftp/ScriptedFtpServer.h"

#include <QCoreApplication>

namespace duopane::test {

ScriptedFtpServer::ScriptedFtpServer()
{
    m_control.listen(QHostAddress::LocalHost, 0);
    connect(&m_control, &QTcpServer::newConnection, this, &ScriptedFtpServer::accept);
    connect(&m_dataListener, &QTcpServer::newConnection, this, [this] {
        m_data = m_dataListener.nextPendingConnection();
        flushData();
    });
    setGreeting("220 Scripted server ready\r\n");
}

void ScriptedFtpServer::setGreeting(const QByteArray& greeting, int piece)
{
    m_greeting = greeting;
    m_greetingPiece = piece;
}

void ScriptedFtpServer::accept()
{
    m_client = m_control.nextPendingConnection();
    connect(m_client, &QTcpSocket::readyRead, this, &ScriptedFtpServer::readCommands);
    writeSlowly(m_greeting, m_greetingPiece);
}

void ScriptedFtpServer::writeSlowly(const QByteArray& text, int piece)
{
    if (piece <= 0) {
        m_client->write(text);
        return;
    }
    for (qsizetype at = 0; at < text.size() && m_client; at += piece) {
        m_client->write(text.mid(at, piece));
        m_client->flush();
        // Let the client see each piece on its own.
        QCoreApplication::processEvents();
    }
}

void ScriptedFtpServer::reply(const QByteArray& text)
{
    if (m_client)
        m_client->write(text);
}

void ScriptedFtpServer::readCommands()
{
    while (m_client && m_client->canReadLine()) {
        const QString line = QString::fromUtf8(m_client->readLine()).trimmed();
        received.append(line);
        const QString verb = line.section(QLatin1Char(' '), 0, 0).toUpper();
        const QString argument = line.section(QLatin1Char(' '), 1);
        answer(verb, argument);
    }
}

void ScriptedFtpServer::answer(const QString& verb, const QString& argument)
{
    if (const auto handler = m_handlers.constFind(verb); handler != m_handlers.constEnd()) {
        handler.value()(argument);
        return;
    }
    if (verb == QLatin1String("USER")) {
        reply("331 Password required\r\n");
    } else if (verb == QLatin1String("PASS")) {
        reply("230 Logged in\r\n");
    } else if (verb == QLatin1String("SYST")) {
        reply("215 UNIX Type: L8\r\n");
    } else if (verb == QLatin1String("PWD")) {
        reply("257 \"/\" is the current directory\r\n");
    } else if (verb == QLatin1String("PASV")) {
        if (!m_dataListener.isListening())
            m_dataListener.listen(QHostAddress::LocalHost, 0);
        const quint16 port = m_dataListener.serverPort();
        reply(QStringLiteral("227 Entering Passive Mode (127,0,0,1,%1,%2).\r\n").arg(port / 256).arg(port % 256).toLatin1());
    } else if (verb == QLatin1String("LIST")) {
        reply("150 Here comes the listing\r\n");
        sendData(listing);
        reply("226 Transfer complete\r\n");
    } else if (verb == QLatin1String("QUIT")) {
        reply("221 Bye\r\n");
    } else {
        reply("200 OK\r\n");
    }
}

void ScriptedFtpServer::sendData(const QByteArray& bytes, bool closeAfter)
{
    m_pendingData += bytes;
    m_closeAfter = closeAfter;
    m_dataWanted = true;
    flushData();
}

void ScriptedFtpServer::flushData()
{
    if (!m_data || !m_dataWanted)
        return;
    m_data->write(m_pendingData);
    m_pendingData.clear();
    m_dataWanted = false;
    if (m_closeAfter)
        closeData();
}

void ScriptedFtpServer::closeData()
{
    if (m_data) {
        m_data->disconnectFromHost();
        m_data = nullptr;
    }
}

} // namespace duopane::test
