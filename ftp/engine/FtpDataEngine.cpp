#include "ftp/engine/FtpDataEngine.h"

#include "ftp/engine/FtpCommandEngine.h"
#include "ftp/engine/FtpSettings.h"
#include "ftp/engine/mFTPMain.h"
#include "platform/core/DoEvents.h"
#include "platform/prompt/SystemMessageBox.h"

#include <QFileInfo>

#include <utility>

using platform::WinsockControl;

FtpDataEngine::FtpDataEngine(FtpCommandEngine& command, FtpEngineHost& host, QObject* parent)
    : QObject(parent)
    , m_command(command)
    , m_host(host)
{
    connect(&m_winsock2, &WinsockControl::OnDataArrival, this, &FtpDataEngine::dataArrival);
    connect(&m_winsock2, &WinsockControl::OnSendProgress, this, [this](qint64 sent, qint64) { sendProgress(sent); });
    connect(&m_winsock2, &WinsockControl::OnSendComplete, this, &FtpDataEngine::sendComplete);
    connect(&m_winsock2, &WinsockControl::OnConnect, this, [this] {
        m_command.LogLine(FtpLogColour::Magenta, QStringLiteral("Connected to %1:%2")
                                                     .arg(m_winsock2.RemoteHostIP()).arg(m_winsock2.RemotePort()));
        if (m_command.LastCommand() == QLatin1String("PASV"))
            m_command.EndCommand(CommandState::Succeeded);
    });
    connect(&m_winsock2, &WinsockControl::OnConnectionRequest, this, [this](qintptr id) {
        m_winsock2.Close();
        m_winsock2.SetLocalPort(0);
        m_winsock2.Accept(id);
        // The server's "150" may have come before its connection did.
        if (m_sendWhenConnected)
            sendNextChunk();
    });
    connect(&m_winsock2, &WinsockControl::OnError, this, [this](int number, const QString& description) {
        m_command.LogLine(FtpLogColour::Red, QStringLiteral("%1 : %2").arg(number).arg(description));
        CloseWinsock2();
        m_command.EndCommand(CommandState::Failed);
    });
}

void FtpDataEngine::CloseWinsock2()
{
    // What already arrived still belongs to the listing or the file.
    if (m_winsock2.BytesReceived() > 0)
        takeBytes(m_winsock2.GetData());
    m_winsock2.Close();
    platform::DoEvents();
}

QString FtpDataEngine::MakePortArgument()
{
    const int state = m_winsock2.State();
    if (state != WinsockControl::sckListening && state != WinsockControl::sckConnected) {
        m_winsock2.Close();
        // Listen where the server reaches us: the local end of the control connection.
        m_winsock2.Bind(0, m_command.Winsock1().LocalIP());
        m_winsock2.Listen();
    }
    const QString ip = m_winsock2.LocalIP();
    if (ip.isEmpty()) {
        platform::SystemMessageBox(QStringLiteral("Empty Winsock2.LocalIP"), QString(), 0);
        return {};
    }
    const quint16 port = m_winsock2.LocalPort();
    return QString(ip).replace(QLatin1Char('.'), QLatin1Char(',')) + QStringLiteral(",%1,%2").arg(port / 256).arg(port % 256);
}

bool FtpDataEngine::PrepareDataConnection(TransferKind kind)
{
    if (ftpSettings().PassiveMode)
        return m_command.SendCommand(kind, QStringLiteral("PASV"));
    const QString argument = MakePortArgument();
    if (argument.isEmpty())
        return false;
    return m_command.SendCommand(kind, QStringLiteral("PORT ") + argument);
}

void FtpDataEngine::PassiveReply(const QString& line)
{
    const mFTPMain::PassiveAddress address = mFTPMain::ParsePassiveReply(line);
    if (!address.valid)
        return;
    m_command.LogLine(FtpLogColour::Magenta, QStringLiteral("Connecting to %1:%2").arg(address.host).arg(address.port));
    CloseWinsock2();
    m_winsock2.Connect(address.host, address.port);
}

void FtpDataEngine::TransferStart(const QString& line)
{
    if (m_command.Kind() == TransferKind::Upload) {
        if (m_winsock2.State() == WinsockControl::sckConnected)
            sendNextChunk();
        else
            m_sendWhenConnected = true;
        return;
    }
    if (m_command.Kind() != TransferKind::Download || !m_command.LastCommand().startsWith(QLatin1String("RETR")))
        return;
    const qint64 announced = mFTPMain::ParseAnnouncedSize(line);
    if (announced < 0)
        return;
    if (announced > m_fileSize)
        m_progress.totalMax += double(announced - m_fileSize);
    m_fileSize = announced;
    SetPrg1(0, double(m_fileSize));
}

void FtpDataEngine::dataArrival()
{
    takeBytes(m_winsock2.GetData());
}

void FtpDataEngine::takeBytes(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    m_command.Touch();
    if (m_command.Kind() == TransferKind::Listing)
        appendListing(bytes);
    else if (m_command.Kind() == TransferKind::Download)
        writeDownload(bytes);
}

void FtpDataEngine::appendListing(const QByteArray& bytes)
{
    qsizetype start = 0;
    while (start < bytes.size() && m_listing.size() < kMaxListing) {
        const qsizetype feed = bytes.indexOf('\n', start);
        const qsizetype end = feed < 0 ? bytes.size() : feed + 1;
        const qsizetype room = std::max<qsizetype>(0, kMaxListingLine - m_listingLine);
        const qsizetype take = std::min({end - start, room, kMaxListing - m_listing.size()});
        m_listing.append(bytes.constData() + start, take);
        m_listingLine += take;
        if (feed >= 0) {
            // An overlong line is cut, but keeps its line end so the next line stands alone.
            if (m_listingLine >= kMaxListingLine && !m_listing.endsWith('\n'))
                m_listing.append("\r\n");
            m_listingLine = 0;
        }
        start = end;
    }
}

void FtpDataEngine::ClearListing()
{
    m_listing.clear();
    m_listingLine = 0;
}

QByteArray FtpDataEngine::TakeListing()
{
    m_listingLine = 0;
    return std::exchange(m_listing, {});
}

bool FtpDataEngine::OpenDownload(const QString& localPath, qint64 size)
{
    FinishFile();
    m_file.setFileName(localPath);
    m_fileSize = size;
    m_fileDone = 0;
    return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

bool FtpDataEngine::OpenUpload(const QString& localPath, qint64 size)
{
    FinishFile();
    m_file.setFileName(localPath);
    m_fileSize = size;
    m_fileDone = 0;
    m_readDone = 0;
    m_block.clear();
    m_blockPos = 0;
    m_sendWhenConnected = false;
    return m_file.open(QIODevice::ReadOnly);
}

void FtpDataEngine::FinishFile()
{
    if (m_file.isOpen())
        m_file.close();
}

void FtpDataEngine::writeDownload(const QByteArray& bytes)
{
    if (!m_file.isOpen() || m_file.write(bytes) != bytes.size()) {
        const QString name = QFileInfo(m_file.fileName()).fileName();
        m_command.LogLine(FtpLogColour::Red,
                          QStringLiteral("Downloading '%1' is failed.\r\n"
                                         "The server response is too fast to syncronize WinSock control.\r\n"
                                         "Before retrieving some final data transfered, the WinSock control is closing.\r\n"
                                         "\r\nChange Passive Mode and try it again !!!\r\n").arg(name));
        // A file that cannot be written is a failed download, never a short one taken as done.
        m_winsock2.Close();
        m_command.EndCommand(CommandState::Failed);
        return;
    }
    m_fileDone = m_file.pos();
    m_progress.fileValue = double(m_fileDone);
    if (double(BatchDone) + m_progress.fileMax > m_progress.totalMax)
        m_progress.totalMax = double(BatchDone) + m_progress.fileMax;
    m_progress.totalValue = double(BatchDone + m_fileDone);
    showProgress();
}

void FtpDataEngine::sendNextChunk()
{
    m_sendWhenConnected = false;
    if (m_fileDone == 0 && m_readDone == 0)
        SetPrg1(0, double(m_fileSize));
    const qint64 length = std::min(m_fileSize - m_readDone, kChunkSize);
    if (length <= 0)
        return;
    const QByteArray chunk = readChunk(length);
    if (chunk.size() != length || m_winsock2.SendData(chunk) != 0) {
        transferFailed(QStringLiteral("Uploading '%1' is failed.\r\nSWITCH PASSIVE MODE, if it fails again.")
                           .arg(QFileInfo(m_file.fileName()).fileName()));
        return;
    }
    m_readDone += length;
}

// The file is read a block of chunks at a time, a system call for forty chunks; each chunk is
// still sent on its own.
QByteArray FtpDataEngine::readChunk(qint64 length)
{
    if (m_blockPos >= m_block.size()) {
        m_block = m_file.isOpen() ? m_file.read(kChunkSize * kChunksPerRead) : QByteArray();
        m_blockPos = 0;
    }
    const QByteArray chunk = m_block.mid(m_blockPos, length);
    m_blockPos += chunk.size();
    return chunk;
}

void FtpDataEngine::sendProgress(qint64 bytes)
{
    m_command.Touch();
    m_fileDone += bytes;
    m_progress.fileValue = double(m_fileDone);
    m_progress.totalValue = double(BatchDone + m_fileDone);
    showProgress();
}

void FtpDataEngine::sendComplete()
{
    if (m_command.Kind() != TransferKind::Upload)
        return;
    if (m_fileDone < m_fileSize)
        sendNextChunk();
    else
        CloseWinsock2();
}

void FtpDataEngine::transferFailed(const QString& text)
{
    platform::SystemMessageBox(text, QStringLiteral("Duopane"), platform::MB_ICONINFORMATION);
    m_command.LogLine(FtpLogColour::Red, text);
    CloseWinsock2();
    m_command.EndCommand(CommandState::Failed);
}

namespace {

// A value below 0 leaves the value, a maximum of 0 or less leaves the maximum.
void setBar(double& value, double& maximum, double newValue, double newMaximum)
{
    if (newValue >= 0)
        value = newValue;
    if (newMaximum > 0)
        maximum = newMaximum;
}

} // namespace

void FtpDataEngine::SetPrg1(double value, double maximum)
{
    setBar(m_progress.fileValue, m_progress.fileMax, value, maximum);
    showProgress();
}

void FtpDataEngine::SetPrg2(double value, double maximum)
{
    setBar(m_progress.totalValue, m_progress.totalMax, value, maximum);
    showProgress();
}

void FtpDataEngine::showProgress()
{
    m_host.ShowProgress(m_progress);
}
