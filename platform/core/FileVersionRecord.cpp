#include "platform/core/FileVersionRecord.h"

#include "platform/core/ElfNotes.h"
#include "platform/core/FileName.h"

#include <QRegularExpression>
#include <QtEndian>
#include <QStringList>

#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

constexpr quint32 kVersionNoteType = 1;
constexpr quint32 kFileTypeLibrary = 2; // VFT_DLL

VS_FIXEDFILEINFO recordFromNotes(const QString& path)
{
    VS_FIXEDFILEINFO record;
    for (const ElfNote& note : ReadElfNotes(path)) {
        if (note.owner == "Duopane" && note.type == kVersionNoteType && note.description.size() == 52) {
            const QByteArray& d = note.description;
            std::memcpy(&record, d.constData(), sizeof record);
            if (note.bigEndian != (Q_BYTE_ORDER == Q_BIG_ENDIAN)) {
                auto* words = reinterpret_cast<quint32*>(&record);
                for (int i = 0; i < 13; ++i)
                    words[i] = qbswap(words[i]);
            }
            return record.dwSignature == kVersionSignature ? record : VS_FIXEDFILEINFO{};
        }
    }
    return VS_FIXEDFILEINFO{};
}

// The version a shared library's real file name ends in: lib<name>.so.<1 to 4 numbers>.
VS_FIXEDFILEINFO recordFromName(const QString& path)
{
    char* resolved = ::realpath(EncodeFileName(path).constData(), nullptr);
    if (!resolved)
        return VS_FIXEDFILEINFO{};
    const QString name = DecodeFileName(QByteArray(resolved));
    std::free(resolved);
    static const QRegularExpression pattern(QStringLiteral("\\.so((?:\\.\\d{1,5}){1,4})$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return VS_FIXEDFILEINFO{};
    quint32 parts[4] = {0, 0, 0, 0};
    const QStringList numbers = match.captured(1).mid(1).split(u'.');
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        parts[i] = numbers.at(i).toUInt();
        if (parts[i] > 0xFFFF)
            return VS_FIXEDFILEINFO{};
    }
    VS_FIXEDFILEINFO record;
    record.dwSignature = kVersionSignature;
    record.dwStrucVersion = 0x00010000;
    record.dwFileVersionMS = record.dwProductVersionMS = parts[0] << 16 | parts[1];
    record.dwFileVersionLS = record.dwProductVersionLS = parts[2] << 16 | parts[3];
    record.dwFileType = kFileTypeLibrary;
    return record;
}

} // namespace

VS_FIXEDFILEINFO ReadFileVersionRecord(const QString& path)
{
    if (path.isEmpty())
        return VS_FIXEDFILEINFO{};
    const VS_FIXEDFILEINFO record = recordFromNotes(path);
    return record.dwSignature == kVersionSignature ? record : recordFromName(path);
}

} // namespace platform
