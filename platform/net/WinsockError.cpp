#include "platform/net/WinsockError.h"

#include <QHash>

namespace platform::WinsockError {

QString description(int number)
{
    static const QHash<int, const char*> texts = {
        {OutOfMemory, "Out of memory"},
        {InvalidPropertyValue, "The property value is invalid"},
        {SetNotSupported, "The property is read-only"},
        {GetNotSupported, "The property can't be read"},
        {OpCanceled, "The operation is canceled"},
        {Access, "The requested address is a broadcast address, but flag is not set"},
        {InvalidArgument, "Invalid argument"},
        {WouldBlock, "Socket is non-blocking and the specified operation will block"},
        {InProgress, "A blocking Winsock operation in progress"},
        {AlreadyComplete, "The operation is completed. No blocking operation in progress"},
        {NotSocket, "The descriptor is not a socket"},
        {MsgTooBig, "Datagram is too large to fit into buffer and is truncated"},
        {PortNotSupported, "The specified port is not supported"},
        {AddressInUse, "Address in use"},
        {AddressNotAvailable, "Address not available from the local machine"},
        {NetworkSubsystemFailed, "Network subsystem failed"},
        {NetworkUnreachable, "The network cannot be reached from this host at this time"},
        {NetReset, "Connection has timed out when SO_KEEPALIVE is set"},
        {ConnectAborted, "Connection is aborted due to timeout or other failure"},
        {ConnectionReset, "The connection is reset by remote side"},
        {NoBufferSpace, "No buffer space is available"},
        {AlreadyConnected, "Socket is already connected"},
        {NotConnected, "Socket is not connected"},
        {SocketShutdown, "Socket has been shut down"},
        {Timedout, "Connection timed out"},
        {ConnectionRefused, "Connection is forcefully rejected"},
        {NotInitialized, "WinsockInit should be called first"},
        {HostNotFound, "Authoritative answer: Host not found"},
        {HostNotFoundTryAgain, "Non-Authoritative answer: Host not found"},
        {NonRecoverable, "Non-recoverable errors"},
        {NoData, "Valid name, no data record of requested type"},
        {BadState, "Wrong protocol or connection state for the requested transaction or request"},
        {InvalidArg, "The argument passed to a function was not in the correct format or in the specified range"},
        {Succeeded, "Succeeded"},
        {Unsupported, "Unsupported variant type"},
        {InvalidOp, "Invalid operation at current state"},
        {OutOfRange, "Argument is out of range"},
        {WrongProtocol, "Wrong protocol for the requested transaction or request"},
    };
    const auto found = texts.constFind(number);
    return found == texts.constEnd() ? QString() : QString::fromLatin1(found.value());
}

int fromSocketError(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError: return ConnectionRefused;
    case QAbstractSocket::RemoteHostClosedError: return ConnectionReset;
    case QAbstractSocket::HostNotFoundError: return HostNotFound;
    case QAbstractSocket::SocketAccessError: return Access;
    case QAbstractSocket::SocketResourceError: return NoBufferSpace;
    case QAbstractSocket::SocketTimeoutError: return Timedout;
    case QAbstractSocket::DatagramTooLargeError: return MsgTooBig;
    case QAbstractSocket::NetworkError: return NetworkUnreachable;
    case QAbstractSocket::AddressInUseError: return AddressInUse;
    case QAbstractSocket::SocketAddressNotAvailableError: return AddressNotAvailable;
    case QAbstractSocket::UnsupportedSocketOperationError: return WrongProtocol;
    case QAbstractSocket::TemporaryError: return WouldBlock;
    case QAbstractSocket::OperationError: return InvalidOp;
    default: return ConnectAborted;
    }
}

} // namespace platform::WinsockError
