#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QTemporaryDir>

namespace duopane::test {
namespace {

QTemporaryDir& root()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/duopane-test-XXXXXX"));
    return dir;
}

void setFolder(const char* variable, const QString& path)
{
    QDir().mkpath(path);
    qputenv(variable, QFile::encodeName(path));
}

} // namespace

QString testRoot()
{
    return root().path();
}

void prepareTestEnvironment()
{
    const QString base = testRoot();
    setFolder("HOME", base + QStringLiteral("/home"));
    setFolder("XDG_CONFIG_HOME", base + QStringLiteral("/home/.config"));
    setFolder("XDG_DATA_HOME", base + QStringLiteral("/home/.local/share"));
    setFolder("XDG_CACHE_HOME", base + QStringLiteral("/home/.cache"));
    setFolder("XDG_RUNTIME_DIR", base + QStringLiteral("/runtime"));
    QFile::setPermissions(base + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setFolder("DUOPANE_HIVE_DIR", base + QStringLiteral("/hives"));
    setFolder("TMPDIR", base + QStringLiteral("/tmp"));
}

QString buildDir()
{
    return qEnvironmentVariable("DUOPANE_BUILD_DIR", QStringLiteral(DUOPANE_BUILD_DIR));
}

QString sourceDir()
{
    return qEnvironmentVariable("DUOPANE_SOURCE_DIR", QStringLiteral(DUOPANE_SOURCE_DIR));
}

} // namespace duopane::test
