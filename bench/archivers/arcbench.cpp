// Drives our archiver libraries through their C calls for the bench scripts:
//   arcbench list <zip>            every member through OpenArchive/FindFirst/FindNext
//   arcbench extract <zip> <dir>   UnZip32 "-x -i --j -o … *.*"
//   arcbench create <zip> <base>   InfoZip32 ZpArchive of the whole base folder at level 6
#include "platform/archive/ArchiverLibrary.h"
#include "platform/archivers/ArchiverApi.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <memory>

namespace {

int list(const QByteArray& zip)
{
    platform::ArchiverLibrary library(QStringLiteral("UnZip32.dll"));
    auto open = reinterpret_cast<ArcOpenArchiveFn>(library.symbol("UnZipOpenArchive"));
    auto first = reinterpret_cast<ArcFindFirstFn>(library.symbol("UnZipFindFirst"));
    auto next = reinterpret_cast<ArcFindNextFn>(library.symbol("UnZipFindNext"));
    auto close = reinterpret_cast<ArcCloseArchiveFn>(library.symbol("UnZipCloseArchive"));
    if (!open || !first || !next || !close)
        return 2;
    const ArcHandle handle = open(0, zip.constData(), 0);
    if (!handle)
        return 1;
    ArcEntryRecord record {};
    long count = 0;
    for (int found = first(handle, "*.*", &record); found == 0; found = next(handle, &record))
        ++count;
    close(handle);
    std::printf("%ld members\n", count);
    return 0;
}

int extract(const QByteArray& zip, const QByteArray& folder)
{
    platform::ArchiverLibrary library(QStringLiteral("UnZip32.dll"));
    auto run = reinterpret_cast<ArcCommandFn>(library.symbol("UnZip"));
    if (!run)
        return 2;
    std::vector<char> output(21060);
    const QByteArray command = "-x -i --j -o \"" + zip + "\" \"" + folder + "/\" *.*";
    return run(0, command.constData(), output.data(), quint32(output.size()));
}

int create(const QByteArray& zip, const QByteArray& base)
{
    platform::ArchiverLibrary library(QStringLiteral("InfoZip32.dll"));
    auto init = reinterpret_cast<ZpInitFn>(library.symbol("ZpInit"));
    auto set = reinterpret_cast<ZpSetOptionsFn>(library.symbol("ZpSetOptions"));
    auto archive = reinterpret_cast<ZpArchiveFn>(library.symbol("ZpArchive"));
    if (!init || !set || !archive)
        return 2;
    const ZpUserFunctions functions {};
    ZpOptions options {};
    options.rootFolder = base.constData();
    options.recurse = 1;
    options.systemAndHidden = 1;
    options.level = '6';
    init(&functions);
    set(&options);
    auto names = std::make_unique<ZpNames>();
    names->name[0] = names->name[1] = "*.*";
    return archive(2, zip.constData(), names.get());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QByteArray mode = argc > 2 ? argv[1] : "";
    if (mode == "list")
        return list(argv[2]);
    if (mode == "extract" && argc > 3)
        return extract(argv[2], argv[3]);
    if (mode == "create" && argc > 3)
        return create(argv[2], argv[3]);
    std::fprintf(stderr, "usage: arcbench list|extract|create ...\n");
    return 2;
}
