#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace platform {

struct ElfNote {
    QByteArray owner; // without its NUL
    quint32 type = 0;
    QByteArray description;
    bool bigEndian = false;
};

// The notes of every SHT_NOTE section of an ELF file (32 or 64 bits, either byte order), found
// through the section headers. The bytes are untrusted: every offset and size is checked against
// the file, a note section larger than 64000 bytes is passed over, and a damaged file simply
// yields fewer notes or none.
QList<ElfNote> ReadElfNotes(const QString& path);

} // namespace platform
