// shell-bench copy SRC DSTFOLDER | delete PATH | enumerate FOLDER
// copy and delete run the file operation engine without questions; enumerate lists a folder with
// every item's attributes, type name and icon index, as a folder view does.
#include "platform/shell/FileOperation.h"
#include "platform/shell/FileTypes.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/ShellTypes.h"

#include <QCoreApplication>

#include <cstdio>

using namespace platform;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const quint16 quiet = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR;
    if (args.size() == 4 && args[1] == QLatin1String("copy"))
        return runFileOperation({FO_COPY, {args[2]}, args[3] + QLatin1Char('/'), quiet}).ok() ? 0 : 1;
    if (args.size() == 3 && args[1] == QLatin1String("delete"))
        return runFileOperation({FO_DELETE, {args[2]}, {}, quiet}).ok() ? 0 : 1;
    if (args.size() == 3 && args[1] == QLatin1String("enumerate")) {
        const ItemIdList folder = ShellNamespace::parse(args[2]);
        const quint32 flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;
        qint64 sum = 0;
        int count = 0;
        for (const ItemIdList& child : ShellNamespace::enumerate(folder, flags)) {
            const ItemIdList item = ItemIdList::join(folder, child);
            sum += ShellNamespace::attributes(item, SFGAO_FOLDER | SFGAO_HIDDEN | SFGAO_LINK | SFGAO_READONLY);
            sum += FileTypes::typeName(item).size() + FileTypes::iconIndex(item);
            ++count;
        }
        std::printf("%d items (%lld)\n", count, static_cast<long long>(sum));
        return count > 0 ? 0 : 1;
    }
    std::fprintf(stderr, "usage: shell-bench copy SRC DSTFOLDER | delete PATH | enumerate FOLDER\n");
    return 2;
}
