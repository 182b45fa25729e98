#include "mail/fCheckMail.h"

#include "ui_fCheckMail.h"

#include "common/boxara/Boxara.h"
#include "common/mmEncrypt.h"
#include "common/ui/mmWindow.h"
#include "mail/engine/cMailSettings.h"
#include "mail/fPop3Site.h"
#include "mail/mBrivoMailMain.h"
#include "platform/core/DoEvents.h"
#include "platform/net/WinsockError.h"
#include "platform/prompt/SystemMessageBox.h"

#include <QTimer>

using platform::WinsockControl;

namespace {

QString quoted(const QString& text)
{
    return '\'' + text + '\'';
}

} // namespace

fCheckMail::fCheckMail(cMailList& mailList, cMailSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::fCheckMail>()), m_mailList(mailList), m_settings(settings), m_session(mailList)
{
    ui->setupUi(this);
    setFixedSize(sizeHint());
    m_textTimer.setSingleShot(true);
    m_textTimer.setInterval(150);
    connect(&m_textTimer, &QTimer::timeout, this, &fCheckMail::flushTexts);
    connect(&Winsock1, &WinsockControl::OnDataArrival, this, &fCheckMail::onDataArrival);
    connect(&Winsock1, &WinsockControl::OnError, this, &fCheckMail::onError);
    connect(&m_session, &cPop3Session::sendLine, this, [this](const QByteArray& line) { Winsock1.SendData(line); });
    connect(&m_session, &cPop3Session::commandSent, this, &fCheckMail::onCommandSent);
    connect(&m_session, &cPop3Session::closeRequested, this, [this] { Winsock1.Close(); });
    connect(&m_session, &cPop3Session::progress, this, [this](int value, int maximum) {
        ui->prgBar1->setMaximum(qMax(maximum, 1));
        ui->prgBar1->setValue(value);
    });
    connect(&m_session, &cPop3Session::pop3Error, this, [this](const QString& reply) {
        platform::SystemMessageBox(QStringLiteral("POP3 Error: ") + reply, m_server, platform::MB_ICONWARNING);
    });
    connect(ui->cmdNext, &QPushButton::clicked, this, &fCheckMail::onNext);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &fCheckMail::onCancel);
}

fCheckMail::~fCheckMail() = default;

// Status texts change with every reply; they reach the screen a few times a second, which is all
// an eye can read, instead of laying out text thousands of times in a large mailbox.
void fCheckMail::showText(QLabel* label, const QString& text)
{
    m_pendingTexts.insert(label, text);
    if (!m_textTimer.isActive())
        m_textTimer.start();
}

void fCheckMail::flushTexts()
{
    for (auto it = m_pendingTexts.cbegin(); it != m_pendingTexts.cend(); ++it)
        it.key()->setText(it.value());
    m_pendingTexts.clear();
}

void fCheckMail::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    mmWindow::CenterOnScreen(this);
    if (m_started)
        return;
    m_started = true;
    m_cancelled = false;
    m_pendingTexts.clear();
    for (QLabel* label : {ui->lblCmd, ui->lblProgress, ui->lblTime})
        label->clear();
    QTimer::singleShot(0, this, &fCheckMail::run);
}

void fCheckMail::run()
{
    const int accounts = m_settings.AccountCount();
    const auto& items = m_mailList.Items();
    if (std::any_of(items.cbegin(), items.cend(), [](const cMailList::Message& m) { return m->Delete; })) {
        for (int a = 1; a <= accounts && !m_cancelled; ++a) {
            enableNext(a);
            deleteMarkedMessages(a);
        }
        showText(ui->lblProgress, QStringLiteral("SPAM mails are deleted !!!"));
    }
    for (int a = 1; a <= accounts && !m_cancelled; ++a) {
        enableNext(a);
        checkAccount(a);
    }
    showText(ui->lblProgress, QString::number(m_mailList.Count()) + QStringLiteral(" are in the mail boxes !!!"));
    flushTexts();
    done(m_cancelled ? QDialog::Rejected : QDialog::Accepted);
}

void fCheckMail::enableNext(int account)
{
    ui->cmdNext->setEnabled(account < m_settings.AccountCount());
}

void fCheckMail::checkAccount(int account)
{
    for (bool retry = false; !m_cancelled; retry = true) {
        if (Winsock1.State() != WinsockControl::sckClosed || !prepareAccount(account, retry))
            return;
        m_session.Begin(m_server, m_user, m_password, m_settings.DownLines);
        connectAndWait(QStringLiteral("Checking mail box of ") + quoted(m_server) + QStringLiteral(" ..."),
                       QStringLiteral("Connecting ") + quoted(m_server) + QStringLiteral(" ..."));
        if (m_session.state() == cPop3Session::QuitSent)
            return;
    }
}

bool fCheckMail::hasMarkedMessages(const QString& server) const
{
    const auto& items = m_mailList.Items();
    return std::any_of(items.cbegin(), items.cend(),
                       [&server](const cMailList::Message& m) { return m->Delete && m->Server == server; });
}

void fCheckMail::deleteMarkedMessages(int account)
{
    // An account with nothing to delete is not asked for a login, nor contacted.
    if (!hasMarkedMessages(m_settings.Account(account).Server))
        return;
    for (bool retry = false; !m_cancelled; retry = true) {
        if (Winsock1.State() != WinsockControl::sckClosed)
            break;
        if (!prepareAccount(account, retry))
            return;
        for (const cMailList::Message& m : m_mailList.Items()) {
            if (m->Server == m_server && m->Delete && !m_deletions.contains(m))
                m_deletions.append(m);
        }
        if (m_deletions.isEmpty())
            break;
        m_session.Begin(m_server, m_user, m_password, m_settings.DownLines, m_deletions);
        connectAndWait(QStringLiteral("Deleting SPAM mail of ") + quoted(m_server) + QStringLiteral(" ..."),
                       QStringLiteral("Connecting to ") + quoted(m_server) + QStringLiteral(" ..."));
        if (m_session.state() == cPop3Session::QuitSent)
            break;
    }
    for (const cMailList::Message& m : std::as_const(m_deletions))
        m_mailList.Remove(m->Key());
    m_deletions.clear();
}

bool fCheckMail::prepareAccount(int account, bool retry)
{
    if (retry && m_session.hasSentCommand()) {
        const QString question = QStringLiteral("Checking mail is failed on ") + quoted(m_server) + QStringLiteral(".\r\n")
            + QStringLiteral("Last command was ") + quoted(cPop3Session::Masked(m_session.lastCommand()))
            + QStringLiteral(".\r\nTry again ? \r\n");
        if (Boxara::instance().Show(question, QStringLiteral("Duopane"), QStringLiteral("&Yes"), QStringLiteral("&No")) != 0)
            return false;
    }
    MailAccount record = m_settings.Account(account);
    m_password = mmEncrypt::UnscramblePassword(record.Password);
    if (record.Server.isEmpty() || record.User.isEmpty() || record.Password.isEmpty() || retry) {
        if (!askLogin(record))
            return false;
        m_settings.SetAccount(account, record);
    }
    m_server = record.Server;
    m_user = record.User;
    m_port = record.PortNumber();
    return true;
}

// The login window; the entered password serves this run even when it is not kept.
bool fCheckMail::askLogin(MailAccount& record)
{
    fPop3Site login(this);
    login.setServer(record.Server);
    login.setUser(record.User);
    login.setPassword(m_password);
    login.setSavePassword(record.SavesPassword());
    if (mBrivoMailMain::ShowModal(login) != QDialog::Accepted || login.Canceled())
        return false;
    record.Server = login.Server();
    record.User = login.User();
    m_password = login.Password();
    record.Password = login.SavePassword() ? mmEncrypt::ScramblePassword(m_password) : QString();
    record.SavePassword = login.SavePassword() ? QStringLiteral("1") : QStringLiteral("0");
    return true;
}

void fCheckMail::connectAndWait(const QString& caption, const QString& progress)
{
    setWindowTitle(caption);
    showText(ui->lblProgress, progress);
    Winsock1.Close();
    Winsock1.SetLocalPort(0);
    Winsock1.Connect(m_server, m_port);
    showText(ui->lblCmd, QStringLiteral("Command: Connecting to ") + m_server);
    waitLoop();
}

void fCheckMail::waitLoop()
{
    m_lastActivity.start();
    const qint64 waitMs = qint64(qMax(m_settings.WaitTime, 1)) * 1000;
    for (;;) {
        // A peer that hung up with nothing left to read has ended the dialogue too.
        if (Winsock1.State() == WinsockControl::sckClosing && Winsock1.BytesReceived() == 0)
            Winsock1.Close();
        if (Winsock1.State() == WinsockControl::sckClosed)
            break;
        platform::WaitForEvents(100);
        refreshStatus();
        if (Winsock1.State() == WinsockControl::sckError || m_cancelled || m_lastActivity.elapsed() > waitMs)
            break;
    }
    while (Winsock1.State() != WinsockControl::sckClosed) {
        Winsock1.Close();
        platform::DoEvents();
    }
}

void fCheckMail::refreshStatus()
{
    const qint64 seconds = m_lastActivity.elapsed() / 1000;
    if (seconds != m_shownSeconds) {
        m_shownSeconds = seconds;
        showText(ui->lblTime, QString::number(seconds) + QStringLiteral(" seconds"));
    }
    switch (Winsock1.State()) {
    case WinsockControl::sckConnectionPending: showText(ui->lblProgress, QStringLiteral("Connection pending ...")); break;
    case WinsockControl::sckResolvingHost:
        showText(ui->lblProgress, QStringLiteral("Resolving host ") + quoted(m_server) + QStringLiteral(" ..."));
        break;
    case WinsockControl::sckConnecting:
        showText(ui->lblProgress, QStringLiteral("Connecting ") + quoted(m_server) + QStringLiteral(" ..."));
        break;
    case WinsockControl::sckClosing:
        showText(ui->lblProgress, QStringLiteral("Closing connection to ") + quoted(m_server) + QStringLiteral(" ..."));
        break;
    default: break;
    }
}

void fCheckMail::onDataArrival()
{
    m_lastActivity.start();
    refreshStatus();
    m_session.OnData(Winsock1.GetData());
}

void fCheckMail::onError(int number, const QString& description)
{
    Winsock1.Close();
    platform::DoEvents();
    const QString text = number == platform::WinsockError::HostNotFound
        ? description
        : QStringLiteral("Winsock Error: #") + QString::number(number) + QStringLiteral("\r\n") + description;
    platform::SystemMessageBox(text, m_server, platform::MB_ICONWARNING);
}

void fCheckMail::onCommandSent(const QString& masked)
{
    showText(ui->lblCmd, QStringLiteral("Command: ") + masked);
    const QString position = QString::number(m_session.current()) + '/' + QString::number(m_session.count());
    if (m_session.state() == cPop3Session::TopSent)
        showText(ui->lblProgress, QStringLiteral("Checking mail ") + position + QStringLiteral(" ... "));
    else if (m_session.state() == cPop3Session::DeleSent)
        showText(ui->lblProgress, QStringLiteral("Deleting mail ") + position + QStringLiteral(" ... "));
    else if (m_session.state() == cPop3Session::UserSent)
        showText(ui->lblProgress, QStringLiteral("Connecting to ") + m_server + QStringLiteral(" ..."));
}

void fCheckMail::onNext()
{
    if (Winsock1.State() == WinsockControl::sckConnected)
        m_session.Quit();
    else
        Winsock1.Close();
}

void fCheckMail::onCancel()
{
    onNext();
    m_cancelled = true;
    m_session.setState(cPop3Session::Closed);
}
