#include "platform/archivers/unzip32/ZipFormat.h"

#include "platform/archivers/kit/ArcPassword.h"

#include <QFile>
#include <QLocale>

#include <memory>
#include <sys/stat.h>

namespace arckit {
namespace {

struct ZipCloser {
    void operator()(zip_t* zip) const { zip_discard(zip); }
};
using ZipPtr = std::unique_ptr<zip_t, ZipCloser>;

ZipPtr openZip(const QString& path)
{
    int error = 0;
    return ZipPtr(zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error));
}

QByteArray methodText(zip_uint16_t method)
{
    switch (method) {
    case ZIP_CM_STORE: return "Stored";
    case ZIP_CM_DEFLATE: return "Deflate";
    case ZIP_CM_DEFLATE64: return "Defl64";
    case ZIP_CM_BZIP2: return "Bzip2";
    case ZIP_CM_LZMA: return "LZMA";
    case ZIP_CM_XZ: return "Xz";
    case ZIP_CM_SHRINK: return "Shrunk";
    case ZIP_CM_IMPLODE: return "Implode";
    default: return "Unknown";
    }
}

// The POSIX mode of a member made on a Unix system, else 0.
quint32 unixMode(zip_t* zip, zip_uint64_t index, quint32* dosBits = nullptr)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(zip, index, 0, &system, &attributes) != 0)
        return 0;
    if (dosBits)
        *dosBits = attributes & 0xFF;
    return system == ZIP_OPSYS_UNIX ? attributes >> 16 : 0;
}

int readErrorOf(zip_file_t* file)
{
    switch (zip_error_code_zip(zip_file_get_error(file))) {
    case ZIP_ER_CRC: return arcerr::ArchiveCrc;
    case ZIP_ER_COMPRESSED_DATA: return arcerr::BrokenData;
    case ZIP_ER_MEMORY: return arcerr::NoMemory;
    default: return arcerr::ReadError;
    }
}

QByteArray grouped(quint64 value)
{
    return QLocale(QLocale::English).toString(value).toLatin1();
}

} // namespace

ArcEntry ZipFormat::entryAt(zip_t* zip, zip_uint64_t index)
{
    ArcEntry entry;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(zip, index, 0, &st) != 0)
        return entry;
    entry.name = st.name ? QByteArray(st.name) : QByteArray();
    entry.folder = entry.name.endsWith('/');
    entry.original = st.size;
    entry.packed = st.comp_size;
    entry.crc = st.crc;
    toDosDateTime(st.mtime, entry.dosDate, entry.dosTime);
    entry.method = methodText(st.comp_method);
    quint32 dosBits = 0;
    const quint32 mode = unixMode(zip, index, &dosBits);
    entry.attribute = mode ? attributeText(mode, entry.name, entry.folder)
                           : dosAttributeText(dosBits | (entry.folder ? 0x10 : 0));
    return entry;
}

std::optional<ArcListing> ZipFormat::list(const QString& archive)
{
    ZipPtr zip = openZip(archive);
    if (!zip)
        return std::nullopt;
    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    ArcListing entries;
    entries.reserve(qsizetype(std::min<zip_int64_t>(count, 1 << 20)));
    for (zip_int64_t i = 0; i < count; ++i)
        entries << entryAt(zip.get(), zip_uint64_t(i));
    return entries;
}

zip_file_t* ZipFormat::openMember(zip_t* zip, zip_uint64_t index, const QByteArray& name, bool& skipped)
{
    zip_stat_t st;
    zip_stat_init(&st);
    zip_stat_index(zip, index, 0, &st);
    skipped = false;
    if (!(st.valid & ZIP_STAT_ENCRYPTION_METHOD) || st.encryption_method == ZIP_EM_NONE)
        return zip_fopen_index(zip, index, 0);
    // A wrong password is asked again; a few tries, then the member is skipped.
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (m_password.isEmpty()) {
            const auto answer = askPassword(name, attempt > 0);
            if (!answer)
                break;
            m_password = *answer;
        }
        if (zip_file_t* file = zip_fopen_index_encrypted(zip, index, 0, m_password.constData()))
            return file;
        if (zip_error_code_zip(zip_get_error(zip)) != ZIP_ER_WRONGPASSWD)
            return nullptr;
        m_password.clear();
    }
    skipped = true;
    return nullptr;
}

int ZipFormat::extractMember(zip_t* zip, zip_uint64_t index, ExtractTarget* target, ArcOutput& output)
{
    const ArcEntry entry = entryAt(zip, index);
    const quint32 mode = unixMode(zip, index);
    if (entry.folder) {
        if (target)
            target->makeFolder(entry.name);
        return 0;
    }
    bool skipped = false;
    zip_file_t* file = openMember(zip, index, entry.name, skipped);
    if (!file)
        return skipped ? arcerr::Skipped : arcerr::ReadError;
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> closer(file, zip_fclose);
    auto read = [file](char* data, qint64 size) -> qint64 { return zip_fread(file, data, zip_uint64_t(size)); };
    auto error = [file] { return readErrorOf(file); };
    if (!target) {
        QByteArray buffer(256 * 1024, Qt::Uninitialized);
        qint64 n;
        while ((n = read(buffer.data(), buffer.size())) > 0) {
        }
        if (n < 0)
            return error();
        output.line("OK " + entry.name);
        return 0;
    }
    zip_stat_t st;
    zip_stat_index(zip, index, 0, &st);
    if (S_ISLNK(mode)) {
        QByteArray link(4096, '\0');
        const qint64 n = read(link.data(), link.size() - 1);
        target->makeSymlink(entry.name, link.left(qMax<qint64>(n, 0)));
        return 0;
    }
    target->writeFile(entry.name, qint64(st.size), mode, st.mtime, read, error);
    return 0;
}

int ZipFormat::extract(zip_t* zip, const ArcSelection& selection, ExtractTarget* target, ArcOutput& output)
{
    int result = 0;
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < count && !(target && target->stopped()); ++i) {
        const char* name = zip_get_name(zip, zip_uint64_t(i), 0);
        if (!name || !selection.matches(name))
            continue;
        const int code = extractMember(zip, zip_uint64_t(i), target, output);
        if (code != 0 && result == 0)
            result = code;
    }
    const int targetCode = target ? target->result() : 0;
    return targetCode != 0 ? targetCode : result;
}

int ZipFormat::printListing(zip_t* zip, ArcOutput& output)
{
    output.line(" Name  Original  Packed  Ratio  Date  Time  Attr  Type  CRC");
    output.line("-------------------------------------------------------------------------------");
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const ArcEntry e = entryAt(zip, zip_uint64_t(i));
        const quint16 ratio = savedRatio(e.original, e.packed);
        const QByteArray date = QString::asprintf("%02d/%02d/%02d", ((e.dosDate >> 9) + 80) % 100,
            (e.dosDate >> 5) & 15, e.dosDate & 31).toLatin1();
        const QByteArray time = QString::asprintf("%02d:%02d:%02d", e.dosTime >> 11, (e.dosTime >> 5) & 63,
            (e.dosTime & 31) * 2).toLatin1();
        output.line(e.name + ' ' + grouped(e.original) + ' ' + grouped(e.packed) + ' '
            + QString::asprintf("%d.%d%%", ratio / 10, ratio % 10).toLatin1() + ' ' + date + ' ' + time + ' '
            + e.attribute + ' ' + e.method + ' ' + QString::asprintf("%04X", e.crc & 0xFFFF).toLatin1());
    }
    output.line("--------------------------------------------------------------------------------");
    output.line(QByteArray::number(count) + " files");
    return 0;
}

int ZipFormat::run(const QByteArray& command, ArcOutput& output)
{
    const ArcCommandLine line = ArcCommandLine::parse(command);
    static const QStringList known {"-x", "-l", "-t", "-i", "--i", "-j", "--j", "-o", "-n"};
    if (!line.onlyKnownSwitches(known, QStringLiteral("-P")))
        return arcerr::IllegalCommand;
    const bool extracting = line.has("-x");
    if ((!extracting && !line.has("-l") && !line.has("-t")) || line.words().isEmpty())
        return arcerr::IllegalCommand;
    ZipPtr zip = openZip(line.words().first());
    if (!zip)
        return arcerr::CannotOpenArchive;
    if (line.has("-l"))
        return printListing(zip.get(), output);
    m_password = line.value(QStringLiteral("-P")).value_or(QString()).toUtf8();
    const ArcTargetAndSpecs rest = splitTargetAndSpecs(line.words().mid(1));
    if (rest.listFileError)
        return arcerr::ListFile;
    const ArcSelection selection(rest.specs);
    if (!extracting)
        return extract(zip.get(), selection, nullptr, output);
    ExtractTarget target(rest.target, {line.switches().contains(QStringLiteral("-j")), line.has("-o")}, &output);
    if (const int code = target.begin())
        return code;
    return extract(zip.get(), selection, &target, output);
}

} // namespace arckit
