#include "platform/archivers/kit/LibarchiveFormat.h"

#include <QFile>
#include <QFileInfo>

#include <archive.h>
#include <archive_entry.h>

#include <memory>
#include <sys/stat.h>

namespace arckit {
namespace {

struct ReaderCloser {
    void operator()(struct archive* a) const { archive_read_free(a); }
};
using ReaderPtr = std::unique_ptr<struct archive, ReaderCloser>;

// A compressed single file (x.gz) has no member name of its own: it is the file's name
// without the compressor's extension.
QByteArray memberName(struct archive* reader, archive_entry* entry, const QString& archivePath)
{
    if (archive_format(reader) == ARCHIVE_FORMAT_RAW)
        return QFile::encodeName(QFileInfo(archivePath).completeBaseName());
    const char* name = archive_entry_pathname_utf8(entry);
    if (!name)
        name = archive_entry_pathname(entry);
    return name ? QByteArray(name) : QByteArray();
}

int dataError(struct archive* reader)
{
    const QByteArray message = archive_error_string(reader) ? archive_error_string(reader) : "";
    if (message.contains("CRC") || message.contains("checksum"))
        return arcerr::ArchiveCrc;
    if (message.contains("ncrypt") || message.contains("assword"))
        return arcerr::Unsupported;
    return arcerr::BrokenData;
}

QByteArray filterMethod(struct archive* reader)
{
    const int count = archive_filter_count(reader);
    if (count < 2)
        return {};
    return QByteArray(archive_filter_name(reader, 0)).left(7);
}

} // namespace

struct archive* LibarchiveFormat::open(const QString& archivePath) const
{
    struct archive* reader = archive_read_new();
    enableFormats(reader);
    if (archive_read_open_filename(reader, QFile::encodeName(archivePath).constData(), 64 * 1024) != ARCHIVE_OK) {
        archive_read_free(reader);
        return nullptr;
    }
    return reader;
}

std::optional<ArcListing> LibarchiveFormat::list(const QString& archivePath)
{
    ReaderPtr reader(open(archivePath));
    if (!reader)
        return std::nullopt;
    ArcListing entries;
    archive_entry* header = nullptr;
    for (;;) {
        const int status = archive_read_next_header(reader.get(), &header);
        if (status == ARCHIVE_EOF)
            break;
        if (status < ARCHIVE_WARN)
            return entries.isEmpty() ? std::nullopt : std::optional(entries);
        ArcEntry e;
        e.name = memberName(reader.get(), header, archivePath);
        const mode_t type = archive_entry_filetype(header);
        e.folder = type == AE_IFDIR;
        if (e.folder && !e.name.endsWith('/'))
            e.name += '/';
        e.original = archive_entry_size_is_set(header) ? quint64(archive_entry_size(header)) : 0;
        toDosDateTime(archive_entry_mtime(header), e.dosDate, e.dosTime);
        e.attribute = attributeText(archive_entry_perm(header) | 0x8000, e.name, e.folder);
        e.method = filterMethod(reader.get());
        if (archive_format(reader.get()) == ARCHIVE_FORMAT_RAW) {
            // The size of a compressed single file is only known by unpacking it.
            la_ssize_t n;
            char buffer[64 * 1024];
            while ((n = archive_read_data(reader.get(), buffer, sizeof buffer)) > 0)
                e.original += quint64(n);
            e.packed = quint64(QFileInfo(archivePath).size());
        } else {
            // libarchive does not tell a member's packed size; it counts as stored.
            archive_read_data_skip(reader.get());
            e.packed = e.original;
        }
        entries << e;
    }
    return entries;
}

int LibarchiveFormat::extract(const QString& archivePath, const ArcSelection& selection, ExtractTarget* target,
    ArcOutput& output)
{
    ReaderPtr reader(open(archivePath));
    if (!reader)
        return arcerr::CannotOpenArchive;
    struct archive* a = reader.get();
    archive_entry* header = nullptr;
    int result = 0;
    auto read = [a](char* data, qint64 size) -> qint64 { return archive_read_data(a, data, size_t(size)); };
    auto error = [a] { return dataError(a); };
    while (!(target && target->stopped())) {
        const int status = archive_read_next_header(a, &header);
        if (status == ARCHIVE_EOF)
            break;
        if (status < ARCHIVE_WARN) {
            result = arcerr::BrokenHeader;
            break;
        }
        const QByteArray name = memberName(a, header, archivePath);
        if (!selection.matches(name))
            continue;
        if (!target) {
            char buffer[64 * 1024];
            la_ssize_t n;
            while ((n = read(buffer, sizeof buffer)) > 0) {
            }
            if (n < 0 && result == 0)
                result = error();
            else if (n == 0)
                output.line("OK " + name);
            continue;
        }
        const mode_t type = archive_entry_filetype(header);
        if (type == AE_IFDIR)
            target->makeFolder(name);
        else if (archive_entry_hardlink(header))
            target->makeHardlink(name, archive_entry_hardlink(header));
        else if (type == AE_IFLNK)
            target->makeSymlink(name, archive_entry_symlink(header) ? archive_entry_symlink(header) : "");
        else if (type == AE_IFREG || type == 0)
            target->writeFile(name, archive_entry_size_is_set(header) ? archive_entry_size(header) : 0,
                archive_entry_perm(header), archive_entry_mtime(header), read, error);
        else
            target->fail(arcerr::CannotOpenOutput);  // devices and pipes are not made
    }
    const int targetCode = target ? target->result() : 0;
    return targetCode != 0 ? targetCode : result;
}

int LibarchiveFormat::extractTo(const QString& archivePath, const ArcTargetAndSpecs& rest,
    ExtractTarget::Options options, ArcOutput& output)
{
    if (rest.listFileError)
        return arcerr::ListFile;
    if (!QFileInfo(archivePath).isFile())
        return arcerr::CannotOpenArchive;
    ExtractTarget target(rest.target, options, &output);
    if (const int code = target.begin())
        return code;
    return extract(archivePath, ArcSelection(rest.specs), &target, output);
}

} // namespace arckit
