#include "tests/common/TestFiles.h"

#include "common/mmFile.h"
#include "platform/core/FileName.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace duopane::test {

QString testFolder(const QString& name)
{
    const QString path = testRoot() + u'/' + name + u'/';
    QDir().mkpath(path);
    return path;
}

QString freshFolder(const QString& name)
{
    QDir(testRoot() + u'/' + name).removeRecursively();
    return testFolder(name);
}

void writeBytes(const QString& path, const QByteArray& bytes, bool executable)
{
    QDir().mkpath(mmFile::ParentPart(path));
    const int fd = ::open(platform::EncodeFileName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC,
                          executable ? 0755 : 0644);
    ASSERT_GE(fd, 0) << path.toStdString();
    ASSERT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
    ::close(fd);
}

} // namespace duopane::test
