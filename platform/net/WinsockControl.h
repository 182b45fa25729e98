#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QString>

class QTcpServer;
class QTcpSocket;

namespace platform {

// The TCP socket control: one connection (or one listening port) with the control's states,
// events and error numbers. Methods answer 0 or a Winsock error number instead of raising;
// failures that happen later arrive as OnError, after which State() is sckError.
class WinsockControl : public QObject {
    Q_OBJECT
public:
    enum SocketState : int {
        sckClosed = 0,
        sckOpen = 1,
        sckListening = 2,
        sckConnectionPending = 3,
        sckResolvingHost = 4,
        sckHostResolved = 5,
        sckConnecting = 6,
        sckConnected = 7,
        sckClosing = 8, // the peer has closed; what it sent can still be read
        sckError = 9,
    };

    explicit WinsockControl(QObject* parent = nullptr);
    ~WinsockControl() override;

    int State() const { return m_state; }
    quint16 LocalPort() const;
    void SetLocalPort(quint16 port) { m_localPort = port; }
    QString LocalIP() const;
    QString RemoteHost() const { return m_remoteHost; }
    void SetRemoteHost(const QString& host) { m_remoteHost = host; }
    QString RemoteHostIP() const;
    quint16 RemotePort() const;
    void SetRemotePort(quint16 port) { m_remotePort = port; }
    // Bytes waiting to be read with GetData.
    qint64 BytesReceived() const;

    // The local end used by the next Connect or Listen; an empty address means every address.
    int Bind(quint16 localPort, const QString& localIP = {});
    int Connect();
    int Connect(const QString& remoteHost, quint16 remotePort);
    int Listen();
    // Takes over the connection offered by OnConnectionRequest (of this or another control);
    // only valid inside that event.
    int Accept(qintptr requestID);
    int SendData(const QByteArray& data);
    // Reads (and removes) up to maxLen bytes, all of them when maxLen < 0.
    QByteArray GetData(qint64 maxLen = -1);
    QByteArray PeekData(qint64 maxLen = -1) const;
    void Close();

signals:
    void OnConnect();
    void OnConnectionRequest(qintptr requestID);
    void OnDataArrival(qint64 bytesTotal);
    void OnSendProgress(qint64 bytesSent, qint64 bytesRemaining);
    void OnSendComplete();
    void OnClose();
    void OnError(int number, const QString& description);

private:
    void attach(QTcpSocket* socket);
    void releaseSocket();
    void takeOffers();
    void raiseError(int number);
    void socketStateChanged(int qtState);
    void peerClosed();
    void bytesWritten(qint64 bytes);

    QPointer<QTcpSocket> m_socket;
    QPointer<QTcpServer> m_server;
    int m_state = sckClosed;
    quint16 m_localPort = 0;
    QHostAddress m_bindAddress;
    QString m_remoteHost;
    quint16 m_remotePort = 0;
};

} // namespace platform
