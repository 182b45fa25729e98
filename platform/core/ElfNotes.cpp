#include "platform/core/ElfNotes.h"

#include "platform/core/FileName.h"

#include <QtEndian>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr quint32 kSectionTypeNote = 7;
constexpr quint64 kMaxNoteSection = 64000;
constexpr quint64 kMaxSectionTable = 4 * 1024 * 1024;

// A read-only view of the file: reads are whole or fail, never past its end.
class ElfFile {
public:
    explicit ElfFile(const QString& path)
        : m_fd(::open(EncodeFileName(path).constData(), O_RDONLY | O_CLOEXEC))
    {
        struct stat st {};
        if (m_fd >= 0 && ::fstat(m_fd, &st) == 0 && S_ISREG(st.st_mode))
            m_size = quint64(st.st_size);
    }
    ~ElfFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ElfFile(const ElfFile&) = delete;
    ElfFile& operator=(const ElfFile&) = delete;

    QByteArray read(quint64 offset, quint64 size) const
    {
        if (offset > m_size || size > m_size - offset)
            return QByteArray();
        QByteArray bytes(qsizetype(size), Qt::Uninitialized);
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t got = ::pread(m_fd, bytes.data() + done, size_t(bytes.size() - done), off_t(offset + done));
            if (got <= 0)
                return QByteArray();
            done += got;
        }
        return bytes;
    }

private:
    int m_fd = -1;
    quint64 m_size = 0;
};

// Little- or big-endian whole numbers at an offset the caller has checked.
struct Reader {
    const QByteArray& bytes;
    bool bigEndian;

    quint64 word(qsizetype at, int size) const
    {
        const auto* p = reinterpret_cast<const uchar*>(bytes.constData() + at);
        switch (size) {
        case 2:
            return bigEndian ? qFromBigEndian<quint16>(p) : qFromLittleEndian<quint16>(p);
        case 4:
            return bigEndian ? qFromBigEndian<quint32>(p) : qFromLittleEndian<quint32>(p);
        default:
            return bigEndian ? qFromBigEndian<quint64>(p) : qFromLittleEndian<quint64>(p);
        }
    }
};

quint64 alignedTo4(quint64 size)
{
    return (size + 3) & ~quint64(3);
}

void parseNotes(const QByteArray& section, bool bigEndian, QList<ElfNote>& notes)
{
    const Reader in{section, bigEndian};
    quint64 at = 0;
    while (at + 12 <= quint64(section.size())) {
        const quint64 nameSize = in.word(qsizetype(at), 4);
        const quint64 descriptionSize = in.word(qsizetype(at + 4), 4);
        ElfNote note;
        note.type = quint32(in.word(qsizetype(at + 8), 4));
        note.bigEndian = bigEndian;
        const quint64 nameAt = at + 12;
        const quint64 descriptionAt = nameAt + alignedTo4(nameSize);
        const quint64 next = descriptionAt + alignedTo4(descriptionSize);
        if (next > quint64(section.size()))
            return;
        note.owner = section.mid(qsizetype(nameAt), qsizetype(nameSize));
        if (note.owner.endsWith('\0'))
            note.owner.chop(1);
        note.description = section.mid(qsizetype(descriptionAt), qsizetype(descriptionSize));
        notes.append(note);
        at = next;
    }
}

} // namespace

QList<ElfNote> ReadElfNotes(const QString& path)
{
    QList<ElfNote> notes;
    const ElfFile file(path);
    const QByteArray header = file.read(0, 64);
    if (header.size() < 52 || !header.startsWith("\x7F" "ELF"))
        return notes;
    const bool wide = header.at(4) == 2;
    const bool bigEndian = header.at(5) == 2;
    if ((header.at(4) != 1 && !wide) || (header.at(5) != 1 && !bigEndian))
        return notes;
    const Reader in{header, bigEndian};
    const quint64 tableAt = wide ? in.word(0x28, 8) : in.word(0x20, 4);
    const quint64 entrySize = in.word(wide ? 0x3A : 0x2E, 2);
    const quint64 count = in.word(wide ? 0x3C : 0x30, 2);
    const quint64 minimumEntry = wide ? 64 : 40;
    if (entrySize < minimumEntry || count * entrySize > kMaxSectionTable)
        return notes;
    const QByteArray table = file.read(tableAt, count * entrySize);
    const Reader entries{table, bigEndian};
    for (quint64 i = 0; i < count && !table.isEmpty(); ++i) {
        const qsizetype at = qsizetype(i * entrySize);
        if (entries.word(at + 4, 4) != kSectionTypeNote)
            continue;
        const quint64 offset = wide ? entries.word(at + 0x18, 8) : entries.word(at + 0x10, 4);
        const quint64 size = wide ? entries.word(at + 0x20, 8) : entries.word(at + 0x14, 4);
        if (size <= kMaxNoteSection)
            parseNotes(file.read(offset, size), bigEndian, notes);
    }
    return notes;
}

} // namespace platform
