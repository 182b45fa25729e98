#include "platform/archivers/infozip32/ZipWriter.h"

#include "platform/archivers/kit/ArcSelection.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

namespace arckit {

void zipProgress(zip_t*, double fraction, void* self)
{
    auto* writer = static_cast<ZipWriter*>(self);
    // In verbose mode every 32768 bytes packed print a dot, which the caller counts.
    const qint64 bytes = qint64(fraction * double(writer->m_totalBytes));
    while (writer->m_options.verbose && (writer->m_dotsPrinted + 1) * 32768 <= bytes) {
        ++writer->m_dotsPrinted;
        writer->print(".");
    }
}

int zipCancel(zip_t*, void* self)
{
    auto* writer = static_cast<ZipWriter*>(self);
    return writer->m_functions.service && writer->m_functions.service("", 0) != 0 ? 1 : 0;
}

namespace {

QRegularExpression namePattern(QString pattern)
{
    pattern.replace(QLatin1String("*.*"), QLatin1String("*"));
    QString expression;
    for (const QChar c : pattern)
        expression += c == QLatin1Char('*') ? QStringLiteral(".*")
            : c == QLatin1Char('?')         ? QStringLiteral(".")
                                            : QRegularExpression::escape(QString(c));
    return QRegularExpression(QRegularExpression::anchoredPattern(expression), QRegularExpression::CaseInsensitiveOption);
}

bool hasWildcard(const QString& name)
{
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

int closeError(zip_t* zip)
{
    switch (zip_error_code_zip(zip_get_error(zip))) {
    case ZIP_ER_CANCELLED: return ZipWriter::Interrupted;
    case ZIP_ER_OPEN:
    case ZIP_ER_READ: return ZipWriter::CannotRead;
    case ZIP_ER_TMPOPEN: return ZipWriter::TempFile;
    case ZIP_ER_WRITE: return ZipWriter::WriteFile;
    case ZIP_ER_RENAME: return ZipWriter::CannotCreate;
    case ZIP_ER_MEMORY: return 4;
    default: return ZipWriter::Structure;
    }
}

} // namespace

void ZipWriter::setFunctions(const ZpUserFunctions* functions)
{
    m_functions = functions ? *functions : ZpUserFunctions {};
}

void ZipWriter::setOptions(const ZpOptions* options)
{
    m_options = options ? *options : ZpOptions {};
    // The texts belong to the caller: keep a copy, drop the pointers.
    m_root = m_options.rootFolder ? QFile::decodeName(m_options.rootFolder) : QString();
    m_options.date = m_options.rootFolder = m_options.tempFolder = nullptr;
    if (!m_root.isEmpty() && !m_root.endsWith(QLatin1Char('/')))
        m_root += QLatin1Char('/');
}

void ZipWriter::print(const QByteArray& text) const
{
    if (!m_functions.print)
        return;
    QByteArray copy = text;
    m_functions.print(copy.data(), static_cast<unsigned long>(copy.size()));
}

bool ZipWriter::wanted(const QString& name) const
{
    return m_options.systemAndHidden || !name.startsWith(QLatin1Char('.'));
}

ZipWriter::Source ZipWriter::sourceFor(const QString& path, const QString& strip) const
{
    const QFileInfo info(path);
    Source s;
    s.path = path;
    s.folder = info.isDir() && !info.isSymLink();
    s.size = s.folder ? 0 : info.size();
    s.mtime = info.lastModified().toSecsSinceEpoch();
    QString member = path.startsWith(strip) ? path.mid(strip.size()) : path;
    while (member.startsWith(QLatin1Char('/')))
        member.remove(0, 1);
    while (member.endsWith(QLatin1Char('/')))
        member.chop(1);
    if (m_options.junkFolderNames)
        member = member.mid(member.lastIndexOf(QLatin1Char('/')) + 1);
    s.member = QFile::encodeName(member) + (s.folder ? "/" : "");
    return s;
}

void ZipWriter::collectFolder(const QString& folder, const QString& pattern, const QString& strip, QList<Source>& out) const
{
    QDir::Filters filters = QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot;
    if (m_options.systemAndHidden)
        filters |= QDir::Hidden | QDir::System;
    const QRegularExpression match = namePattern(pattern);
    const QFileInfoList entries = QDir(folder).entryInfoList(filters, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (!wanted(entry.fileName()))
            continue;
        if (entry.isDir() && !entry.isSymLink()) {
            if (!m_options.recurse)
                continue;
            if (!m_options.noFolderEntries && !m_options.junkFolderNames)
                out << sourceFor(entry.filePath(), strip);
            collectFolder(entry.filePath(), pattern, strip, out);
        } else if (match.match(entry.fileName()).hasMatch()) {
            out << sourceFor(entry.filePath(), strip);
        }
    }
}

QList<ZipWriter::Source> ZipWriter::collect(const QStringList& names) const
{
    QList<Source> out;
    for (QString name : names) {
        if (name.endsWith(QLatin1Char('/')))
            name += QLatin1String("*.*");
        // Absolute names (full-path packing) keep their folders; others are below the root.
        const bool absolute = name.startsWith(QLatin1Char('/'));
        const QString path = absolute ? name : m_root + name;
        const QString strip = absolute ? QStringLiteral("/") : m_root;
        const int slash = path.lastIndexOf(QLatin1Char('/'));
        const QString last = path.mid(slash + 1);
        if (hasWildcard(last)) {
            const QString folder = path.left(slash + 1);
            if (folder != m_root && QFileInfo(folder).isDir() && m_options.recurse && !m_options.noFolderEntries
                && !m_options.junkFolderNames)
                out << sourceFor(folder, strip);
            collectFolder(folder.isEmpty() ? QStringLiteral("/") : folder, last, strip, out);
        } else if (QFileInfo(path).isDir()) {
            out << sourceFor(path, strip);
            if (m_options.recurse)
                collectFolder(path, QStringLiteral("*"), strip, out);
        } else if (QFileInfo(path).isFile()) {
            out << sourceFor(path, strip);
        }
    }
    return uniqueMembers(out);
}

bool ZipWriter::askPassword(const QByteArray& member)
{
    if (!m_password.isEmpty())
        return true;
    if (!m_functions.password)
        return false;
    char buffer[256] = {};
    if (m_functions.password(buffer, sizeof buffer, "Enter password: ", member.constData()) != 0)
        return false;
    m_password = QByteArray(buffer, int(qstrnlen(buffer, sizeof buffer)));
    return !m_password.isEmpty();
}

void ZipWriter::askComment(zip_t* zip)
{
    if (!m_options.comment || !m_functions.comment)
        return;
    QByteArray buffer(32768, '\0');
    m_functions.comment(buffer.data());
    const QByteArray text(buffer.constData(), int(qstrnlen(buffer.constData(), size_t(buffer.size() - 1))));
    if (!text.isEmpty())
        zip_set_archive_comment(zip, text.constData(), zip_uint16_t(std::min<qsizetype>(text.size(), 65535)));
}

bool ZipWriter::addOne(zip_t* zip, const Source& s, int& added)
{
    const zip_int64_t existing = zip_name_locate(zip, s.member.constData(), 0);
    zip_stat_t st;
    zip_stat_init(&st);
    const bool present = existing >= 0 && zip_stat_index(zip, zip_uint64_t(existing), 0, &st) == 0;
    // DOS times have two-second steps: an entry that close counts as up to date.
    const bool upToDate = present && st.mtime + 1 >= s.mtime;
    if ((m_options.freshen && (!present || upToDate)) || (m_options.update && upToDate) || (s.folder && present))
        return true;
    zip_int64_t index = existing;
    if (s.folder) {
        index = zip_dir_add(zip, s.member.constData(), ZIP_FL_ENC_UTF_8);
    } else {
        zip_source_t* source = zip_source_file(zip, QFile::encodeName(s.path).constData(), 0, 0);
        if (!source)
            return false;
        if (present && zip_file_replace(zip, zip_uint64_t(existing), source, ZIP_FL_ENC_UTF_8) != 0) {
            zip_source_free(source);
            return false;
        }
        if (!present && (index = zip_file_add(zip, s.member.constData(), source, ZIP_FL_ENC_UTF_8)) < 0) {
            zip_source_free(source);
            return false;
        }
        const int level = m_options.level - '0';
        zip_set_file_compression(zip, zip_uint64_t(index), level == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
            zip_uint32_t(level));
        if (m_options.encrypt && !(askPassword(s.member)
                && zip_file_set_encryption(zip, zip_uint64_t(index), ZIP_EM_AES_256, m_password.constData()) == 0))
            return false;
    }
    if (index < 0)
        return false;
    zip_file_set_mtime(zip, zip_uint64_t(index), s.mtime, 0);
    const mode_t mode = QFileInfo(s.path).isDir() ? (S_IFDIR | 0755) : (S_IFREG | 0644);
    zip_file_set_external_attributes(zip, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, zip_uint32_t(mode) << 16);
    print((present ? (m_options.freshen ? "freshening: " : "updating: ") : "  adding: ") + s.member);
    ++added;
    return true;
}

int ZipWriter::addAll(zip_t* zip, const QList<Source>& sources)
{
    int added = 0;
    m_totalBytes = 0;
    for (const Source& s : sources) {
        if (!addOne(zip, s, added))
            return m_options.encrypt && m_password.isEmpty() ? Interrupted : CannotRead;
        m_totalBytes += s.size;
        if (m_functions.service && m_functions.service(s.member.constData(), static_cast<unsigned long>(s.size)) != 0)
            return Interrupted;
    }
    return added == 0 ? NothingToDo : Ok;
}

int ZipWriter::deleteEntries(zip_t* zip, const QStringList& names)
{
    const ArcSelection selection(names);
    int deleted = 0;
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(zip, zip_uint64_t(i), 0);
        if (!name || !selection.matches(name))
            continue;
        print(QByteArray("deleting: ") + name);
        zip_delete(zip, zip_uint64_t(i));
        ++deleted;
        if (m_functions.service && m_functions.service(name, 0) != 0)
            return Interrupted;
    }
    return deleted == 0 ? NothingToDo : Ok;
}

int ZipWriter::finish(zip_t* zip, const QList<Source>& moved)
{
    m_dotsPrinted = 0;
    zip_register_progress_callback_with_state(zip, 0.001, zipProgress, nullptr, this);
    zip_register_cancel_callback_with_state(zip, zipCancel, nullptr, this);
    if (zip_close(zip) != 0) {
        const int code = closeError(zip);
        zip_discard(zip);
        return code;
    }
    // Moving: the sources go once the archive is safely written.
    removePackedSources(moved);
    return Ok;
}

int ZipWriter::archive(int count, const char* archivePath, const ZpNames* names)
{
    if (!archivePath || !names || count < 1 || count > ZpMaxNames)
        return BadArgument;
    QStringList list;
    for (int i = 1; i < count; ++i)
        if (names->name[i] && *names->name[i])
            list << QFile::decodeName(names->name[i]).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (list.isEmpty())
        return NothingToDo;
    m_password.clear();
    const QByteArray path = QFile::encodeName(QFile::decodeName(archivePath));
    const bool existing = QFileInfo::exists(QFile::decodeName(path));
    int error = 0;
    if ((m_options.deleteEntries || m_options.repair) && !existing)
        return MissingZip;
    zip_t* zip = zip_open(path.constData(), existing ? (m_options.repair ? ZIP_CHECKCONS : 0) : ZIP_CREATE, &error);
    if (!zip)
        return existing ? Structure : CannotCreate;
    int code = Ok;
    if (m_options.deleteEntries) {
        code = deleteEntries(zip, list);
    } else if (!m_options.repair) {
        const QList<Source> sources = collect(list);
        code = sources.isEmpty() ? NothingToDo : addAll(zip, sources);
        if (code == Ok) {
            askComment(zip);
            return finish(zip, m_options.move ? sources : QList<Source> {});
        }
    }
    if (code != Ok) {
        zip_discard(zip);
        return code;
    }
    return finish(zip, {});
}

} // namespace arckit
