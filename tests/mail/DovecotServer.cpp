#include "tests/mail/DovecotServer.h"

#include "platform/core/DoEvents.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>

#include <unistd.h>

namespace {

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Dovecot will not deliver mail as root; as root the mail belongs to nobody.
void chownTree(const QString& path, uint uid, uint gid)
{
    if (::chown(QFile::encodeName(path).constData(), uid, gid) != 0)
        return;
    for (const QFileInfo& entry : QDir(path).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        chownTree(entry.filePath(), uid, gid);
}

} // namespace

DovecotServer::DovecotServer(const QString& folder) : m_folder(folder)
{
    QDir().mkpath(m_folder + "/run");
    const bool root = ::getuid() == 0;
    m_mailUid = root ? 65534 : ::getuid();
    m_mailGid = root ? 65534 : ::getgid();
    // The mail processes run as that user and must be able to reach the Maildirs.
    for (QString dir = m_folder; dir.size() > 1; dir = QFileInfo(dir).path())
        QFile(dir).setPermissions(QFile(dir).permissions() | QFile::ExeOther | QFile::ExeGroup);
}

DovecotServer::~DovecotServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(2000);
    }
}

QString DovecotServer::maildir(const QString& user) const
{
    return m_folder + "/mail/" + user + "/Maildir";
}

void DovecotServer::addUser(const QString& user, const QString& password)
{
    for (const char* sub : {"cur", "new", "tmp"})
        QDir().mkpath(maildir(user) + '/' + sub);
    QFile passwd(m_folder + "/passwd");
    passwd.open(QIODevice::Append);
    passwd.write((user + ":{PLAIN}" + password + "\n").toUtf8());
}

void DovecotServer::addMessage(const QString& user, const QByteArray& message)
{
    // Maildir names sort by their time stamp, so the order added is the message order.
    ++m_added;
    QFile f(maildir(user) + QString("/cur/%1.M%2P1.test:2,").arg(1700000000 + m_added).arg(m_added));
    f.open(QIODevice::WriteOnly);
    f.write(message);
}

int DovecotServer::messageCount(const QString& user) const
{
    return int(QDir(maildir(user) + "/cur").entryList(QDir::Files).size()
               + QDir(maildir(user) + "/new").entryList(QDir::Files).size());
}

void DovecotServer::writeConfig()
{
    QFile conf(m_folder + "/dovecot.conf");
    conf.open(QIODevice::WriteOnly);
    conf.write(QString(R"(protocols = pop3
listen = 127.0.0.1
base_dir = %1/run
state_dir = %1/run
instance_name = duopane-test-%2
log_path = %1/dovecot.log
ssl = no
disable_plaintext_auth = no
auth_mechanisms = plain
auth_failure_delay = 0
first_valid_uid = 1
mail_location = maildir:%1/mail/%u/Maildir
default_internal_user = dovecot
default_login_user = dovenull
passdb {
  driver = passwd-file
  args = scheme=PLAIN username_format=%u %1/passwd
}
userdb {
  driver = static
  args = uid=%3 gid=%4 home=%1/mail/%u
}
service pop3-login {
  inet_listener pop3 {
    port = %2
  }
}
service imap-login {
  inet_listener imap {
    port = 0
  }
}
service anvil {
  chroot =
}
)")
                   .arg(m_folder)
                   .arg(m_port)
                   .arg(m_mailUid)
                   .arg(m_mailGid)
                   .toUtf8());
}

bool DovecotServer::start()
{
    m_port = freePort();
    writeConfig();
    chownTree(m_folder + "/mail", m_mailUid, m_mailGid);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start("dovecot", {"-F", "-c", m_folder + "/dovecot.conf"});
    if (!m_process.waitForStarted(5000)) {
        m_error = "dovecot did not start: " + m_process.errorString();
        return false;
    }
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 15000 && m_process.state() == QProcess::Running) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, m_port);
        if (probe.waitForConnected(500) && probe.waitForReadyRead(2000) && probe.readAll().startsWith("+OK"))
            return true;
        platform::WaitForEvents(100);
    }
    QFile log(m_folder + "/dovecot.log");
    log.open(QIODevice::ReadOnly);
    m_error = "dovecot did not answer: " + QString::fromUtf8(m_process.readAll() + log.readAll());
    return false;
}
