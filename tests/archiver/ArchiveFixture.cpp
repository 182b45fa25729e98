#include "tests/archiver/ArchiveFixture.h"

#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <sys/mount.h>
#include <unistd.h>

namespace duopane::test {

void ArchiveFixture::SetUp()
{
    static int serial = 0;
    m_root = testRoot() + QStringLiteral("/work%1").arg(++serial);
    QDir().mkpath(m_root);
}

void ArchiveFixture::TearDown()
{
    for (const QString& mount : m_mounts)
        ::umount2(QFile::encodeName(mount).constData(), MNT_DETACH);
}

void ArchiveFixture::writeFile(const QString& relative, const QByteArray& data, const QDateTime& when)
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(full);
    file.write(data);
    file.close();
    // DOS times hold even seconds only; an odd "now" could round into the next minute and make
    // listings disagree with the tools' own, so fresh files get an even second too.
    QDateTime stamp = when;
    if (!stamp.isValid()) {
        stamp = QDateTime::currentDateTime();
        stamp = stamp.addSecs(-(stamp.time().second() % 2)).addMSecs(-stamp.time().msec());
    }
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(stamp, QFileDevice::FileModificationTime);
}

QByteArray ArchiveFixture::readFile(const QString& relative) const
{
    QFile file(path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool ArchiveFixture::exists(const QString& relative) const
{
    return QFileInfo(path(relative)).exists() || QFileInfo(path(relative)).isSymLink();
}

int ArchiveFixture::run(const QString& program, const QStringList& arguments, const QString& folder,
    QByteArray* output)
{
    QProcess process;
    process.setWorkingDirectory(folder.isEmpty() ? m_root : folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted() || !process.waitForFinished(120000))
        return -1;
    const QByteArray text = process.readAll();
    if (output)
        *output = text;
    if (process.exitStatus() != QProcess::NormalExit)
        return -1;
    if (process.exitCode() != 0 && !output)
        ADD_FAILURE() << qPrintable(program) << " " << qPrintable(arguments.join(' ')) << ":\n" << text.constData();
    return process.exitCode();
}

bool ArchiveFixture::have(const QString& program) const
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

bool ArchiveFixture::mountTmpfs(const QString& relative, const QString& size, QString* reason)
{
    const QString full = path(relative);
    QDir().mkpath(full);
    const QByteArray options = "size=" + size.toLatin1();
    if (::mount("none", QFile::encodeName(full).constData(), "tmpfs", 0, options.constData()) != 0) {
        *reason = QStringLiteral("mounting a tmpfs was refused: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    m_mounts << full;
    return true;
}

quint32 ArchiveFixture::crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : data) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void ArchiveFixture::makeSampleTree(const QString& relative)
{
    const QDateTime when(QDate(2004, 3, 7), QTime(14, 5, 6));
    writeFile(relative + QStringLiteral("/readme.txt"), QByteArray("read me first\n").repeated(40), when);
    writeFile(relative + QStringLiteral("/docs/a.txt"), QByteArray("alpha beta gamma\n").repeated(100), when);
    writeFile(relative + QStringLiteral("/docs/img/a.png"), QByteArray("\x89PNG not really", 15), when);
    writeFile(relative + QStringLiteral("/empty.dat"), QByteArray(), when);
}

QStringList filesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

} // namespace duopane::test
