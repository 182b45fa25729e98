// Listing text from a server, in any shape: the parser must take it without crashing and keep
// every entry's path inside what its fields say.
#include "ftp/engine/cFTPList.h"
#include "ftp/engine/mFTPMain.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    cFTPList list;
    list.SetFolder(QStringLiteral("/pub/x/"));
    list.SetFTPFileList(text);
    for (int i = 0; i < list.FileNumb(); ++i) {
        if (list.FileName(i).startsWith(QLatin1Char('.')))
            __builtin_trap();
        if (list.IsLink(i))
            list.SetIsFolder(i, true);
        const QString path = list.Path(i);
        if (!path.startsWith(QLatin1Char('/')))
            __builtin_trap();
        mFTPMain::SizeFromText(list.FileSize(i));
        mFTPMain::IsSafeRelativePath(list.FileName(i));
    }
    return 0;
}
