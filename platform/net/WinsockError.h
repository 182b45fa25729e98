#pragma once

#include <QAbstractSocket>
#include <QString>

namespace platform {

// The error numbers the socket control reports, as Winsock programs know them.
namespace WinsockError {
enum : int {
    Success = 0,
    OutOfMemory = 7,
    InvalidPropertyValue = 380,
    SetNotSupported = 383,
    GetNotSupported = 394,
    OpCanceled = 10004,
    Access = 10013,
    InvalidArgument = 10014,
    WouldBlock = 10035,
    InProgress = 10036,
    AlreadyComplete = 10037,
    NotSocket = 10038,
    MsgTooBig = 10040,
    PortNotSupported = 10043,
    AddressInUse = 10048,
    AddressNotAvailable = 10049,
    NetworkSubsystemFailed = 10050,
    NetworkUnreachable = 10051,
    NetReset = 10052,
    ConnectAborted = 10053,
    ConnectionReset = 10054,
    NoBufferSpace = 10055,
    AlreadyConnected = 10056,
    NotConnected = 10057,
    SocketShutdown = 10058,
    Timedout = 10060,
    ConnectionRefused = 10061,
    NotInitialized = 10093,
    HostNotFound = 11001,
    HostNotFoundTryAgain = 11002,
    NonRecoverable = 11003,
    NoData = 11004,
    BadState = 40006,
    InvalidArg = 40014,
    Succeeded = 40017,
    Unsupported = 40018,
    InvalidOp = 40020,
    OutOfRange = 40021,
    WrongProtocol = 40026,
};

// The description the control gives with an error number; empty for unknown numbers.
QString description(int number);
// The number a Qt socket error stands for.
int fromSocketError(QAbstractSocket::SocketError error);

} // namespace WinsockError
} // namespace platform
