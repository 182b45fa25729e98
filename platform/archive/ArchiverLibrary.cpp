#include "platform/archive/ArchiverLibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

namespace platform {
namespace {

QString linuxFileName(const QString& dllName)
{
    QString base = QFileInfo(dllName).fileName();
    if (base.endsWith(QLatin1String(".dll"), Qt::CaseInsensitive))
        base.chop(4);
    return QStringLiteral("lib") + base + QStringLiteral(".so");
}

QString findIn(const QString& folder, const QString& fileName)
{
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    if (dir.exists(fileName))
        return dir.absoluteFilePath(fileName);
    for (const QString& entry : dir.entryList({QStringLiteral("lib*.so")}, QDir::Files))
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.absoluteFilePath(entry);
    return {};
}

} // namespace

QString ArchiverLibrary::libraryFolder()
{
    Dl_info info {};
    if (dladdr(reinterpret_cast<void*>(&ArchiverLibrary::libraryFolder), &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QFile::decodeName(info.dli_fname)).absolutePath();
}

QString ArchiverLibrary::locate(const QString& dllName)
{
    const QString fileName = linuxFileName(dllName);
    QStringList folders {libraryFolder()};
    folders << qEnvironmentVariable("LD_LIBRARY_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& folder : folders)
        if (const QString found = findIn(folder, fileName); !found.isEmpty())
            return found;
    return {};
}

ArchiverLibrary::ArchiverLibrary(const QString& dllName)
    : m_path(locate(dllName))
{
    if (!m_path.isEmpty())
        m_handle = dlopen(QFile::encodeName(m_path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle)
        m_path.clear();
}

ArchiverLibrary::~ArchiverLibrary()
{
    // Loaded libraries stay: a driver may be made and dropped many times per session.
}

void* ArchiverLibrary::symbol(const char* name) const
{
    return m_handle ? dlsym(m_handle, name) : nullptr;
}

} // namespace platform
