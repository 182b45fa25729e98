#include "tests/ftp/PyFtpServer.h"

#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace duopane::test {

PyFtpServer::PyFtpServer(int throttleBytesPerSecond)
{
    QStringList arguments = {sourceDir() + QStringLiteral("/tests/ftp/ftp_server.py"), QStringLiteral("--root"), m_root.path()};
    if (throttleBytesPerSecond > 0)
        arguments << QStringLiteral("--throttle") << QString::number(throttleBytesPerSecond);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    // Debian's interpreter, where python3-pyftpdlib is installed.
    m_process.start(QStringLiteral("/usr/bin/python3"), arguments);
    if (!m_process.waitForStarted(10000))
        return;
    while (m_process.state() == QProcess::Running && !m_process.canReadLine())
        m_process.waitForReadyRead(10000);
    const QByteArray line = m_process.readLine().trimmed();
    if (line.startsWith("PORT "))
        m_port = quint16(line.mid(5).toUInt());
}

PyFtpServer::~PyFtpServer()
{
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

void PyFtpServer::writeFile(const QString& relative, const QByteArray& content) const
{
    const QString path = root() + relative;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

} // namespace duopane::test
