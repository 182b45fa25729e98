// The socket control over real loopback connections.
#include "platform/net/WinsockControl.h"
#include "platform/net/WinsockError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using platform::WinsockControl;
namespace WinsockError = platform::WinsockError;

namespace {

// Lets events run until the condition holds; the bound only keeps a broken build from hanging.
bool waitFor(const std::function<bool()>& condition)
{
    QDeadlineTimer deadline(20000);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    return condition();
}

// A listening control that accepts the first request on a second control, as servers do.
struct Pair {
    WinsockControl listener;
    WinsockControl server;
    WinsockControl client;

    Pair()
    {
        listener.Bind(0, QStringLiteral("127.0.0.1"));
        EXPECT_EQ(listener.Listen(), 0);
        QObject::connect(&listener, &WinsockControl::OnConnectionRequest, &listener,
                         [this](qintptr id) { EXPECT_EQ(server.Accept(id), 0); });
    }

    bool connect()
    {
        if (client.Connect(QStringLiteral("127.0.0.1"), listener.LocalPort()) != 0)
            return false;
        return waitFor([this] {
            return client.State() == WinsockControl::sckConnected && server.State() == WinsockControl::sckConnected;
        });
    }
};

quint16 unusedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

TEST(WinsockControl, ConnectsAcceptsAndReportsBothEnds)
{
    Pair pair;
    EXPECT_EQ(pair.listener.State(), WinsockControl::sckListening);
    EXPECT_NE(pair.listener.LocalPort(), 0);
    EXPECT_EQ(pair.listener.LocalIP(), "127.0.0.1");
    QSignalSpy connected(&pair.client, &WinsockControl::OnConnect);
    ASSERT_TRUE(pair.connect());
    EXPECT_EQ(connected.count(), 1);
    EXPECT_EQ(pair.client.RemoteHostIP(), "127.0.0.1");
    EXPECT_EQ(pair.client.RemotePort(), pair.listener.LocalPort());
    EXPECT_EQ(pair.server.RemotePort(), pair.client.LocalPort());
    EXPECT_EQ(pair.server.LocalIP(), "127.0.0.1");
}

TEST(WinsockControl, DataArrivesAndCanBePeekedThenRead)
{
    Pair pair;
    ASSERT_TRUE(pair.connect());
    QSignalSpy arrived(&pair.server, &WinsockControl::OnDataArrival);
    EXPECT_EQ(pair.client.SendData("220 hello\r\n"), 0);
    ASSERT_TRUE(waitFor([&] { return pair.server.BytesReceived() == 11; }));
    EXPECT_GE(arrived.count(), 1);
    EXPECT_EQ(arrived.last().at(0).toLongLong(), 11);
    EXPECT_EQ(pair.server.PeekData(), "220 hello\r\n");
    EXPECT_EQ(pair.server.BytesReceived(), 11);
    EXPECT_EQ(pair.server.GetData(4), "220 ");
    EXPECT_EQ(pair.server.GetData(), "hello\r\n");
    EXPECT_EQ(pair.server.BytesReceived(), 0);
}

TEST(WinsockControl, PeerCloseKeepsUnreadDataAndMovesToClosing)
{
    Pair pair;
    ASSERT_TRUE(pair.connect());
    QSignalSpy closed(&pair.client, &WinsockControl::OnClose);
    QSignalSpy errors(&pair.client, &WinsockControl::OnError);
    pair.server.SendData("last words");
    ASSERT_TRUE(waitFor([&] { return pair.client.BytesReceived() == 10; }));
    pair.server.Close();
    EXPECT_EQ(pair.server.State(), WinsockControl::sckClosed);
    ASSERT_TRUE(waitFor([&] { return closed.count() == 1; }));
    EXPECT_EQ(pair.client.State(), WinsockControl::sckClosing);
    EXPECT_EQ(errors.count(), 0);
    EXPECT_EQ(pair.client.GetData(), "last words");
    pair.client.Close();
    EXPECT_EQ(pair.client.State(), WinsockControl::sckClosed);
}

TEST(WinsockControl, LargeSendReportsProgressAndCompletesBeforeClose)
{
    Pair pair;
    ASSERT_TRUE(pair.connect());
    QByteArray payload(8 * 1024 * 1024 + 17, '\0');
    for (qsizetype i = 0; i < payload.size(); ++i)
        payload[i] = char(i * 7 % 251);
    qint64 progressed = 0;
    qint64 lastRemaining = -1;
    int completes = 0;
    QObject::connect(&pair.client, &WinsockControl::OnSendProgress, [&](qint64 sent, qint64 remaining) {
        progressed += sent;
        lastRemaining = remaining;
    });
    QObject::connect(&pair.client, &WinsockControl::OnSendComplete, [&] {
        ++completes;
        // Closing right after the last chunk went out must not lose it.
        pair.client.Close();
    });
    QByteArray received;
    QObject::connect(&pair.server, &WinsockControl::OnDataArrival, [&](qint64) { received += pair.server.GetData(); });
    ASSERT_EQ(pair.client.SendData(payload), 0);
    ASSERT_TRUE(waitFor([&] { return pair.server.State() == WinsockControl::sckClosing; }));
    received += pair.server.GetData();
    EXPECT_EQ(progressed, payload.size());
    EXPECT_EQ(lastRemaining, 0);
    EXPECT_EQ(completes, 1);
    EXPECT_EQ(received.size(), payload.size());
    EXPECT_TRUE(received == payload);
}

TEST(WinsockControl, RefusedConnectionIsAnErrorEvent)
{
    WinsockControl client;
    QSignalSpy errors(&client, &WinsockControl::OnError);
    client.SetRemoteHost(QStringLiteral("127.0.0.1"));
    client.SetRemotePort(unusedPort());
    ASSERT_EQ(client.Connect(), 0);
    ASSERT_TRUE(waitFor([&] { return errors.count() == 1; }));
    EXPECT_EQ(errors.first().at(0).toInt(), WinsockError::ConnectionRefused);
    EXPECT_EQ(errors.first().at(1).toString(), "Connection is forcefully rejected");
    EXPECT_EQ(client.State(), WinsockControl::sckError);
    client.Close();
    EXPECT_EQ(client.State(), WinsockControl::sckClosed);
}

TEST(WinsockControl, CallsInTheWrongStateAnswerErrorNumbers)
{
    WinsockControl control;
    EXPECT_EQ(control.SendData("x"), WinsockError::BadState);
    EXPECT_EQ(control.Accept(12345), WinsockError::InvalidArg);
    EXPECT_EQ(control.Connect(QString(), 21), WinsockError::InvalidArg);
    EXPECT_EQ(control.Bind(0, QStringLiteral("not an address")), WinsockError::InvalidArg);
    ASSERT_EQ(control.Listen(), 0);
    EXPECT_EQ(control.Listen(), WinsockError::InvalidOp);
    EXPECT_EQ(control.Connect(QStringLiteral("127.0.0.1"), 21), WinsockError::InvalidOp);
    EXPECT_EQ(control.SendData("x"), WinsockError::BadState);

    WinsockControl second;
    second.Bind(control.LocalPort());
    EXPECT_EQ(second.Listen(), WinsockError::AddressInUse);
    EXPECT_EQ(second.State(), WinsockControl::sckClosed);
}

TEST(WinsockControl, AnOfferNobodyAcceptsIsRefused)
{
    WinsockControl listener;
    listener.Bind(0, QStringLiteral("127.0.0.1"));
    ASSERT_EQ(listener.Listen(), 0);
    QSignalSpy requests(&listener, &WinsockControl::OnConnectionRequest);
    WinsockControl client;
    QSignalSpy closed(&client, &WinsockControl::OnClose);
    client.Connect(QStringLiteral("127.0.0.1"), listener.LocalPort());
    ASSERT_TRUE(waitFor([&] { return closed.count() == 1; }));
    EXPECT_EQ(requests.count(), 1);
    EXPECT_EQ(listener.State(), WinsockControl::sckListening);
}

TEST(WinsockControl, ListenerCanCloseAndAcceptOnItself)
{
    // The data connection of active mode: the listening control takes the connection itself.
    WinsockControl data;
    data.Bind(0, QStringLiteral("127.0.0.1"));
    ASSERT_EQ(data.Listen(), 0);
    QObject::connect(&data, &WinsockControl::OnConnectionRequest, [&](qintptr id) {
        data.Close();
        data.SetLocalPort(0);
        EXPECT_EQ(data.Accept(id), 0);
    });
    WinsockControl peer;
    peer.Connect(QStringLiteral("127.0.0.1"), data.LocalPort());
    ASSERT_TRUE(waitFor([&] { return peer.State() == WinsockControl::sckConnected; }));
    peer.SendData("listing");
    peer.Close();
    ASSERT_TRUE(waitFor([&] { return data.State() == WinsockControl::sckClosing; }));
    EXPECT_EQ(data.GetData(), "listing");
}

TEST(WinsockControl, ErrorDescriptions)
{
    const struct {
        int number;
        const char* text;
    } cases[] = {
        {WinsockError::BadState, "Wrong protocol or connection state for the requested transaction or request"},
        {WinsockError::AddressInUse, "Address in use"},
        {WinsockError::ConnectionReset, "The connection is reset by remote side"},
        {WinsockError::HostNotFound, "Authoritative answer: Host not found"},
        {WinsockError::InvalidOp, "Invalid operation at current state"},
        {12, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WinsockError::description(c.number), QString::fromLatin1(c.text)) << c.number;
    EXPECT_EQ(WinsockError::fromSocketError(QAbstractSocket::HostNotFoundError), WinsockError::HostNotFound);
    EXPECT_EQ(WinsockError::fromSocketError(QAbstractSocket::SocketTimeoutError), WinsockError::Timedout);
}
