#include "ftp/engine/FtpCommandEngine.h"

#include "common/boxara/Boxara.h"
#include "ftp/engine/FtpDataEngine.h"
#include "ftp/engine/FtpSettings.h"
#include "ftp/engine/mFTPMain.h"
#include "platform/core/DoEvents.h"

#include <QStringDecoder>

#include <cmath>

using platform::WinsockControl;

FtpCommandEngine::FtpCommandEngine(FtpEngineHost& host, QObject* parent)
    : QObject(parent)
    , m_host(host)
{
    m_clock.start();
    connect(&m_winsock1, &WinsockControl::OnDataArrival, this, &FtpCommandEngine::dataArrival);
    connect(&m_winsock1, &WinsockControl::OnError, this, &FtpCommandEngine::socketError);
    connect(&m_winsock1, &WinsockControl::OnConnect, this, [this] {
        LogLine(FtpLogColour::Magenta, QStringLiteral("Connected to %1:%2")
                                           .arg(m_winsock1.RemoteHostIP()).arg(m_winsock1.RemotePort()));
    });
}

void FtpCommandEngine::BeginCommand(TransferKind kind)
{
    if (m_state == CommandState::Closing) {
        m_host.UnloadWindow();
        return;
    }
    m_kind = kind;
    m_state = CommandState::Pending;
    Touch();
}

void FtpCommandEngine::EndCommand(CommandState state)
{
    if (m_state == CommandState::Closing) {
        m_host.UnloadWindow();
        return;
    }
    m_host.ShowStatus(QString(), 2);
    m_state = state;
}

void FtpCommandEngine::EnterClosing()
{
    m_lastCommand.clear();
    m_state = CommandState::Closing;
}

void FtpCommandEngine::SendRaw(const QString& line)
{
    m_lastCommand = line;
    LogLine(FtpLogColour::Blue, line);
    m_winsock1.SendData((line + QLatin1String("\r\n")).toUtf8());
}

bool FtpCommandEngine::SendCommand(TransferKind kind, const QString& line)
{
    if (m_state == CommandState::Closing) {
        m_host.UnloadWindow();
        return false;
    }
    BeginCommand(kind);
    SendRaw(line);
    return WaitForReply(line);
}

bool FtpCommandEngine::WaitForReply(const QString& line)
{
    const double start = m_lastActivity;
    const QString verb = line.section(QLatin1Char(' '), 0, 0);
    m_host.DisableGoUp();
    int shown = 0;
    bool result = false;
    while (waitStep(start, verb, shown, result)) {
    }
    if (m_state == CommandState::Closing && !result)
        return false;
    m_host.ShowStatus(QString(), 2);
    platform::DoEvents();
    return result;
}

// One turn of the wait loop; false once the result is known.
bool FtpCommandEngine::waitStep(double start, const QString& verb, int& shown, bool& result)
{
    if (m_state == CommandState::Succeeded) {
        result = true;
        return false;
    }
    platform::WaitForEvents(10);
    if (m_state == CommandState::Cancelled || m_state == CommandState::Failed)
        return false;
    if (m_state == CommandState::Closing) {
        m_host.UnloadWindow();
        return false;
    }
    const int control = m_winsock1.State();
    if (control == WinsockControl::sckClosed || control == WinsockControl::sckError
        || control == WinsockControl::sckConnectionPending)
        return false;
    const int data = m_data ? m_data->Winsock2().State() : WinsockControl::sckClosed;
    if (data == WinsockControl::sckError || data == WinsockControl::sckConnectionPending)
        return false;
    if (dataDone(start))
        return true;
    const double silent = Now() - m_lastActivity;
    if (silent > ftpSettings().WaitTime && m_kind != TransferKind::Upload && m_kind != TransferKind::Download) {
        if (m_state == CommandState::Cancelled || m_state == CommandState::Failed || !askToWait())
            return false;
    }
    const int seconds = int(std::lround(Now() - m_lastActivity));
    if (seconds != shown) {
        m_host.ShowStatus(QStringLiteral("%1: %2 seconds").arg(verb).arg(seconds), 2);
        shown = seconds;
    }
    return true;
}

// Listings and downloads end when the data connection closes, or when "226" came and the data
// has been quiet for twice as long as it flowed.
bool FtpCommandEngine::dataDone(double start)
{
    if (!m_data || !(m_lastCommand.startsWith(QLatin1String("LIST")) || m_lastCommand.startsWith(QLatin1String("RETR"))))
        return false;
    if (m_data->Winsock2().State() == WinsockControl::sckClosing) {
        m_data->CloseWinsock2();
        EndCommand(CommandState::Succeeded);
    } else if (m_lastReply.startsWith(QLatin1String("226")) && start < m_lastActivity
               && Now() - m_lastActivity > 2 * (m_lastActivity - start)) {
        m_data->CloseWinsock2();
        EndCommand(CommandState::Succeeded);
    }
    return false;
}

bool FtpCommandEngine::askToWait()
{
    const QString text = QStringLiteral("Wait too long (%1 seconds) !\r\n"
                                        "If your FTP command does not work, switch passive mode !\r\n"
                                        "Do you want to wait the server response ?\r\n")
                             .arg(ftpSettings().WaitTime);
    const int answer = Boxara::instance().Show(text, QStringLiteral("Duopane"), QStringLiteral("&Yes"), QStringLiteral("&No"));
    if (answer == 0)
        Touch();
    // A command given up on has failed; left pending it would keep the window busy for good.
    if (answer == 1)
        EndCommand(CommandState::Failed);
    return answer != 1;
}

void FtpCommandEngine::dataArrival()
{
    const QByteArray bytes = m_winsock1.GetData();
    m_reader.feed(bytes, [this](const QByteArray& line) {
        // Servers speak UTF-8 or plain ASCII; invalid bytes become replacement characters.
        HandleReply(QString::fromUtf8(line));
    });
}

void FtpCommandEngine::HandleReply(const QString& line)
{
    QString code;
    if (line.size() >= 4 && line[3] == QLatin1Char(' ')) {
        code = line.left(3);
        m_lastReply = line;
    }
    const bool error = code == QLatin1String("332") || (!code.isEmpty() && code >= QLatin1String("400"));
    LogLine(error ? FtpLogColour::Red : FtpLogColour::Black, line);
    if (code.isEmpty())
        return;
    static const QStringList succeeding = {"200", "202", "215", "220", "221", "230", "250", "331"};
    if (code == QLatin1String("125") || code == QLatin1String("150")) {
        if (m_data)
            m_data->TransferStart(line);
    } else if (succeeding.contains(code)) {
        EndCommand(CommandState::Succeeded);
    } else if (code == QLatin1String("225")) {
        if (m_lastCommand.startsWith(QLatin1String("ABOR")))
            EndCommand(CommandState::Succeeded);
    } else if (code == QLatin1String("226")) {
        if (m_lastCommand.startsWith(QLatin1String("ABOR")) || m_lastCommand.startsWith(QLatin1String("STOR")))
            EndCommand(CommandState::Succeeded);
    } else if (code == QLatin1String("227")) {
        if (m_data)
            m_data->PassiveReply(line);
    } else if (code == QLatin1String("257")) {
        if (m_lastCommand == QLatin1String("PWD"))
            readPwd(line);
        EndCommand(CommandState::Succeeded);
    } else if (code == QLatin1String("332")) {
        EndCommand(CommandState::Failed);
    } else if (code == QLatin1String("350")) {
        if (m_lastCommand.startsWith(QLatin1String("RNFR")))
            renameQuestion();
        else
            EndCommand(CommandState::Succeeded);
    } else if (code >= QLatin1String("400")) {
        EndCommand(CommandState::Failed);
    }
}

void FtpCommandEngine::readPwd(const QString& line)
{
    QString folder = line.section(QLatin1Char('"'), 1, 1);
    if (folder != QLatin1String("/"))
        folder += QLatin1Char('/');
    StartFolder = folder;
}

void FtpCommandEngine::renameQuestion()
{
    m_oldName = mFTPMain::StripTrailingSlash(m_lastCommand.mid(5));
    const QString answer = AskNewName ? mFTPMain::StripTrailingSlash(AskNewName(m_oldName)) : QString();
    if (!answer.isEmpty() && answer != m_oldName)
        SendRaw(QStringLiteral("RNTO ") + answer);
    else
        EndCommand(CommandState::Cancelled);
}

void FtpCommandEngine::LogLine(FtpLogColour colour, const QString& text)
{
    QString shown = mFTPMain::MaskPassword(text);
    if (!shown.endsWith(QLatin1String("\r\n")) && !shown.endsWith(QLatin1Char('\n')))
        shown += QLatin1String("\r\n");
    m_host.AppendLog(colour, shown);
}

void FtpCommandEngine::socketError(int number, const QString& description)
{
    LogLine(FtpLogColour::Red, QStringLiteral("%1 : %2").arg(number).arg(description));
    if (m_data)
        m_data->CloseWinsock2();
    EndCommand(CommandState::Failed);
}

bool FtpCommandEngine::LogOn()
{
    const FtpSettings& settings = ftpSettings();
    BeginCommand(TransferKind::None);
    m_reader.clear();
    m_winsock1.Close();
    m_winsock1.SetRemoteHost(settings.Host);
    m_winsock1.SetRemotePort(quint16(settings.RemotePort));
    if (m_winsock1.Connect() != 0 || !WaitForReply(QStringLiteral("CONNECT")))
        return false;
    SendCommand(TransferKind::None, QStringLiteral("USER ") + settings.UserName);
    if (!SendCommand(TransferKind::None, QStringLiteral("PASS ") + settings.Password))
        return false;
    SendCommand(TransferKind::Listing, QStringLiteral("SYST"));
    if (!settings.RemoteFolder.isEmpty())
        SendCommand(TransferKind::None, QStringLiteral("CWD ") + mFTPMain::StripTrailingSlash(settings.RemoteFolder));
    StartFolder.clear();
    if (!SendCommand(TransferKind::None, QStringLiteral("PWD")) || StartFolder.isEmpty())
        return false;
    CurrentFolder = StartFolder;
    return true;
}

void FtpCommandEngine::QuitControl()
{
    if (m_winsock1.State() != WinsockControl::sckClosed)
        SendRaw(QStringLiteral("QUIT"));
    m_winsock1.Close();
    platform::DoEvents();
}

void FtpCommandEngine::Reset()
{
    if (m_data)
        m_data->CloseWinsock2();
    if (m_winsock1.State() != WinsockControl::sckClosed)
        QuitControl();
    m_reader.clear();
    m_lastCommand.clear();
    CurrentFolder.clear();
    StartFolder.clear();
    TreeReady = false;
}
