#include "platform/net/WinsockControl.h"

#include "platform/net/WinsockError.h"

#include <QHash>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>

namespace platform {

namespace {

QString addressText(const QHostAddress& address)
{
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return isV4 ? QHostAddress(v4).toString() : address.toString();
}

// What a socket that is not bound to one address reports: the machine's first outside address.
QString machineAddress()
{
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
            return address.toString();
    }
    return QStringLiteral("127.0.0.1");
}

// Offers live only while their OnConnectionRequest runs; any control may accept them, as a
// request ID is a socket handle every control of the process can take over.
QHash<qintptr, QTcpSocket*>& offers()
{
    static QHash<qintptr, QTcpSocket*> pending;
    return pending;
}

} // namespace

WinsockControl::WinsockControl(QObject* parent)
    : QObject(parent)
{
}

WinsockControl::~WinsockControl()
{
    Close();
}

quint16 WinsockControl::LocalPort() const
{
    if (m_socket && m_socket->state() != QAbstractSocket::UnconnectedState)
        return m_socket->localPort();
    if (m_server && m_server->isListening())
        return m_server->serverPort();
    return m_localPort;
}

QString WinsockControl::LocalIP() const
{
    if (m_socket && !m_socket->localAddress().isNull())
        return addressText(m_socket->localAddress());
    if (!m_bindAddress.isNull() && m_bindAddress != QHostAddress::Any)
        return addressText(m_bindAddress);
    return machineAddress();
}

QString WinsockControl::RemoteHostIP() const
{
    if (m_socket && !m_socket->peerAddress().isNull())
        return addressText(m_socket->peerAddress());
    QHostAddress literal;
    return literal.setAddress(m_remoteHost) ? addressText(literal) : QString();
}

quint16 WinsockControl::RemotePort() const
{
    if (m_socket && m_socket->peerPort() != 0)
        return m_socket->peerPort();
    return m_remotePort;
}

qint64 WinsockControl::BytesReceived() const
{
    return m_socket ? m_socket->bytesAvailable() : 0;
}

int WinsockControl::Bind(quint16 localPort, const QString& localIP)
{
    if (m_state != sckClosed)
        return WinsockError::InvalidOp;
    QHostAddress address(QHostAddress::Any);
    if (!localIP.isEmpty() && !address.setAddress(localIP))
        return WinsockError::InvalidArg;
    m_localPort = localPort;
    m_bindAddress = address;
    return WinsockError::Success;
}

int WinsockControl::Connect()
{
    return Connect(m_remoteHost, m_remotePort);
}

int WinsockControl::Connect(const QString& remoteHost, quint16 remotePort)
{
    if (m_state != sckClosed)
        return WinsockError::InvalidOp;
    if (remoteHost.trimmed().isEmpty() || remotePort == 0)
        return WinsockError::InvalidArg;
    m_remoteHost = remoteHost.trimmed();
    m_remotePort = remotePort;
    auto* socket = new QTcpSocket(this);
    attach(socket);
    m_state = sckResolvingHost;
    if ((m_localPort != 0 || !m_bindAddress.isNull())
        && !socket->bind(m_bindAddress.isNull() ? QHostAddress(QHostAddress::Any) : m_bindAddress, m_localPort)) {
        const int number = WinsockError::fromSocketError(socket->error());
        releaseSocket();
        m_state = sckClosed;
        return number;
    }
    socket->connectToHost(m_remoteHost, m_remotePort);
    return WinsockError::Success;
}

int WinsockControl::Listen()
{
    if (m_state != sckClosed)
        return WinsockError::InvalidOp;
    auto* server = new QTcpServer(this);
    const QHostAddress address = m_bindAddress.isNull() ? QHostAddress(QHostAddress::Any) : m_bindAddress;
    if (!server->listen(address, m_localPort)) {
        const int number = WinsockError::fromSocketError(server->serverError());
        delete server;
        return number;
    }
    connect(server, &QTcpServer::newConnection, this, &WinsockControl::takeOffers);
    m_server = server;
    m_state = sckListening;
    return WinsockError::Success;
}

void WinsockControl::takeOffers()
{
    while (m_server && m_server->hasPendingConnections()) {
        QTcpSocket* offer = m_server->nextPendingConnection();
        offer->setParent(nullptr);
        const qintptr id = offer->socketDescriptor();
        offers().insert(id, offer);
        emit OnConnectionRequest(id);
        // An offer the handler did not accept is refused, as the control does.
        if (QTcpSocket* left = offers().take(id)) {
            left->abort();
            left->deleteLater();
        }
    }
}

int WinsockControl::Accept(qintptr requestID)
{
    if (m_state != sckClosed)
        return WinsockError::InvalidOp;
    QTcpSocket* offer = offers().take(requestID);
    if (!offer)
        return WinsockError::InvalidArg;
    offer->setParent(this);
    attach(offer);
    m_state = sckConnected;
    // Bytes or a close that came before the takeover would otherwise never be reported.
    QMetaObject::invokeMethod(this, [this, socket = QPointer<QTcpSocket>(offer)] {
        if (!socket || socket != m_socket)
            return;
        if (socket->bytesAvailable() > 0)
            emit OnDataArrival(socket->bytesAvailable());
        if (socket == m_socket && socket->state() == QAbstractSocket::UnconnectedState)
            peerClosed();
    }, Qt::QueuedConnection);
    return WinsockError::Success;
}

void WinsockControl::attach(QTcpSocket* socket)
{
    m_socket = socket;
    connect(socket, &QAbstractSocket::stateChanged, this,
            [this](QAbstractSocket::SocketState state) { socketStateChanged(state); });
    connect(socket, &QAbstractSocket::connected, this, [this] {
        m_state = sckConnected;
        emit OnConnect();
    });
    connect(socket, &QAbstractSocket::disconnected, this, &WinsockControl::peerClosed);
    connect(socket, &QIODevice::readyRead, this, [this] {
        if (m_socket)
            emit OnDataArrival(m_socket->bytesAvailable());
    });
    connect(socket, &QIODevice::bytesWritten, this, &WinsockControl::bytesWritten);
    connect(socket, &QAbstractSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        // A peer that closes is the Close event, not an error.
        if (error != QAbstractSocket::RemoteHostClosedError)
            raiseError(WinsockError::fromSocketError(error));
    });
}

void WinsockControl::socketStateChanged(int qtState)
{
    if (m_state == sckError)
        return;
    if (qtState == QAbstractSocket::HostLookupState)
        m_state = sckResolvingHost;
    else if (qtState == QAbstractSocket::ConnectingState)
        m_state = sckConnecting;
}

void WinsockControl::peerClosed()
{
    if (m_state != sckConnected)
        return;
    m_state = sckClosing;
    emit OnClose();
}

void WinsockControl::bytesWritten(qint64 bytes)
{
    if (!m_socket)
        return;
    const qint64 remaining = m_socket->bytesToWrite();
    emit OnSendProgress(bytes, remaining);
    if (remaining == 0 && m_socket)
        emit OnSendComplete();
}

void WinsockControl::raiseError(int number)
{
    m_state = sckError;
    emit OnError(number, WinsockError::description(number));
}

int WinsockControl::SendData(const QByteArray& data)
{
    if (m_state != sckConnected || !m_socket)
        return WinsockError::BadState;
    if (data.isEmpty())
        return WinsockError::Success;
    if (m_socket->write(data) != data.size())
        return WinsockError::fromSocketError(m_socket->error());
    return WinsockError::Success;
}

QByteArray WinsockControl::GetData(qint64 maxLen)
{
    if (!m_socket)
        return {};
    return maxLen < 0 ? m_socket->readAll() : m_socket->read(maxLen);
}

QByteArray WinsockControl::PeekData(qint64 maxLen) const
{
    if (!m_socket)
        return {};
    return m_socket->peek(maxLen < 0 ? m_socket->bytesAvailable() : maxLen);
}

void WinsockControl::releaseSocket()
{
    QTcpSocket* socket = m_socket;
    m_socket = nullptr;
    if (!socket)
        return;
    socket->disconnect(this);
    // Bytes already handed over still leave before the connection ends; the socket may be in
    // one of its own signals right now, so it goes away later.
    connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    if (socket->bytesToWrite() > 0 && socket->state() == QAbstractSocket::ConnectedState) {
        socket->disconnectFromHost();
        return;
    }
    socket->abort();
    socket->deleteLater();
}

void WinsockControl::Close()
{
    releaseSocket();
    if (QTcpServer* server = m_server) {
        m_server = nullptr;
        server->disconnect(this);
        server->close();
        server->deleteLater();
    }
    m_state = sckClosed;
}

} // namespace platform
