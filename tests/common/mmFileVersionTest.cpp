#include "common/mmFile.h"
#include "common/mmFileVersion.h"

#include "tests/common/Printers.h"
#include "tests/common/TestFiles.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <dlfcn.h>

#include <gtest/gtest.h>

using namespace mmFileVersion;

namespace {

// Writes whole numbers in the byte order of the ELF file being made.
struct Bytes {
    bool bigEndian;
    QByteArray data;

    void put(quint64 value, int size)
    {
        for (int i = 0; i < size; ++i) {
            const int shift = bigEndian ? (size - 1 - i) * 8 : i * 8;
            data += char((value >> shift) & 0xFF);
        }
    }
    void align4()
    {
        while (data.size() % 4)
            data += '\0';
    }
};

QByteArray note(bool bigEndian, const QByteArray& owner, quint32 type, const QByteArray& description)
{
    Bytes out{bigEndian, {}};
    out.put(owner.size() + 1, 4);
    out.put(description.size(), 4);
    out.put(type, 4);
    out.data += owner + '\0';
    out.align4();
    out.data += description;
    out.align4();
    return out.data;
}

QByteArray versionRecord(bool bigEndian, quint32 ms, quint32 ls, quint32 signature = 0xFEEF04BD)
{
    Bytes out{bigEndian, {}};
    for (quint32 word : {signature, 0x00010000u, ms, ls, ms, ls, 0x3Fu, 0u, 0u, 2u, 0u, 0u, 0u})
        out.put(word, 4);
    return out.data;
}

// A minimal ELF file: header, the notes, then a section table of a null section and one note section.
QByteArray elfFile(bool wide, bool bigEndian, const QByteArray& notes)
{
    const int headerSize = wide ? 64 : 52;
    const int entrySize = wide ? 64 : 40;
    const int address = wide ? 8 : 4;
    const quint64 tableAt = quint64(headerSize + notes.size());
    Bytes out{bigEndian, QByteArray("\x7F" "ELF")};
    out.data += char(wide ? 2 : 1);
    out.data += char(bigEndian ? 2 : 1);
    out.data += QByteArray("\x01\0\0\0\0\0\0\0\0\0", 10);
    out.put(3, 2);                       // shared object
    out.put(62, 2);
    out.put(1, 4);
    out.put(0, address);                 // entry
    out.put(0, address);                 // program headers
    out.put(tableAt, address);
    out.put(0, 4);
    out.put(headerSize, 2);
    out.put(0, 2);
    out.put(0, 2);
    out.put(entrySize, 2);
    out.put(2, 2);                       // sections
    out.put(0, 2);
    out.data += notes;
    out.data += QByteArray(entrySize, '\0');
    out.put(0, 4);                       // name
    out.put(7, 4);                       // SHT_NOTE
    out.put(2, address);                 // flags: allocated
    out.put(0, address);
    out.put(headerSize, address);        // offset
    out.put(quint64(notes.size()), address);
    out.data += QByteArray(entrySize - (8 + 4 * address), '\0');
    return out.data;
}

QString writeFile(const QString& name, const QByteArray& bytes)
{
    const QString path = duopane::test::testFolder("versions") + name;
    duopane::test::writeBytes(path, bytes);
    return path;
}

QString versionedElf(const QString& name, quint32 ms, quint32 ls, bool wide = true, bool bigEndian = false)
{
    return writeFile(name, elfFile(wide, bigEndian, note(bigEndian, "Duopane", 1, versionRecord(bigEndian, ms, ls))));
}

QString loadedFileOf(const void* symbol)
{
    Dl_info info{};
    return ::dladdr(symbol, &info) ? QString::fromUtf8(info.dli_fname) : QString();
}

} // namespace

TEST(mmFileVersion, VersionWordPair)
{
    struct Case {
        quint32 word;
        QString text;
        bool ok;
    };
    const Case cases[] = {
        {0x00060000, "6.0", true},     {0x00540012, "84.18", true}, {0, "0.0", true},
        {0x7FFF7FFF, "32767.32767", true}, {0x80000000, "", false}, {0x00008000, "", false},
    };
    for (const Case& c : cases) {
        bool ok = !c.ok;
        EXPECT_EQ(VersionWordPair(c.word, &ok), c.text) << c.word;
        EXPECT_EQ(ok, c.ok) << c.word;
    }
}

TEST(mmFileVersion, ElfRecordsInEveryLayout)
{
    struct Case {
        bool wide;
        bool bigEndian;
    };
    for (const Case& c : {Case{true, false}, Case{true, true}, Case{false, false}, Case{false, true}}) {
        const QString path = versionedElf(QString("layout-%1-%2").arg(c.wide).arg(c.bigEndian), 0x00060000,
                                          0x00540012, c.wide, c.bigEndian);
        const VS_FIXEDFILEINFO info = FixedFileInfo(path);
        EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(info.dwFileType, 2u);
        EXPECT_EQ(FileVersionText(path), "6.0.84.18") << c.wide << c.bigEndian;
    }
}

TEST(mmFileVersion, VersionAtLeast)
{
    const QString v6 = versionedElf("v6", 0x00060000, 0x00540012);   // 6.0.84.18
    const QString v7 = versionedElf("v7", 0x00070000, 0);            // 7.0.0.0
    const QString huge = versionedElf("huge", 0x80000000, 0);         // a half of 32768
    const QString none = writeFile("plain.txt", "no version here");
    struct Case {
        QString path;
        QString minimum;
        bool expected;
    };
    const Case cases[] = {
        {v6, "6.0.x.x", true},  {v6, "6.7.x.x", false}, {v7, "6.7.x.x", true}, {v6, "5.9", true},
        {v6, "6", false},       {v6, "x.0", false},     {v6, "", false},       {v6, "6.0.99.99", true},
        {huge, "0.0", false},   {none, "0.0.x.x", false}, {"", "0.0", false},  {v6 + "-missing", "0.0", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VersionAtLeast(c.path, c.minimum), c.expected) << c.path.toStdString() << " " << c.minimum.toStdString();
}

TEST(mmFileVersion, FilesWithoutVersionGiveTheZeroRecord)
{
    const QString paths[] = {
        writeFile("text", "plain text"),
        writeFile("empty", ""),
        writeFile("other-owner", elfFile(true, false, note(false, "GNU", 1, versionRecord(false, 1, 1)))),
        writeFile("wrong-type", elfFile(true, false, note(false, "Duopane", 2, versionRecord(false, 1, 1)))),
        writeFile("short-record", elfFile(true, false, note(false, "Duopane", 1, "short"))),
        writeFile("bad-signature", elfFile(true, false, note(false, "Duopane", 1, versionRecord(false, 1, 1, 7)))),
        duopane::test::testRoot() + "/versions",  // a folder
        "/bin/sh",
    };
    for (const QString& path : paths) {
        const VS_FIXEDFILEINFO info = FixedFileInfo(path);
        EXPECT_EQ(info.dwSignature, 0u) << path.toStdString();
        EXPECT_EQ(info.dwFileVersionMS, 0u) << path.toStdString();
        EXPECT_EQ(FileVersionText(path), "0.0.0.0") << path.toStdString();
        EXPECT_FALSE(VersionAtLeast(path, "0.0.x.x")) << path.toStdString();
    }
    EXPECT_EQ(FileVersionText(""), "");
}

TEST(mmFileVersion, DamagedElfFilesAreReadSafely)
{
    const QByteArray good = elfFile(true, false, note(false, "Duopane", 1, versionRecord(false, 0x00010007, 4)));
    // Every cut of a good file: either the whole record or none, never a part.
    for (qsizetype size = 0; size < good.size(); ++size) {
        const QString path = writeFile("cut", good.left(size));
        const QString text = FileVersionText(path);
        EXPECT_TRUE(text == "0.0.0.0") << size << " " << text.toStdString();
    }
    EXPECT_EQ(FileVersionText(writeFile("whole", good)), "1.7.0.4");
    // Sizes and offsets that point far outside the file.
    struct Damage {
        qsizetype at;
        QByteArray bytes;
    };
    const Damage damages[] = {
        {0x28, QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 8)},               // section table offset
        {0x3C, QByteArray("\xFF\xFF", 2)},                                      // section count
        {0x3A, QByteArray("\x01\x00", 2)},                                      // entry size too small
        {64, QByteArray("\xFF\xFF\xFF\xFF", 4)},                                // note name size
        {68, QByteArray("\xF0\xFF\xFF\xFF", 4)},                                // note description size
        {good.size() - 64 + 0x18, QByteArray("\x00\x00\x00\x00\x00\x01\x00\x00", 8)}, // note offset
        {good.size() - 64 + 0x20, QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 8)}, // note size
    };
    for (const Damage& d : damages) {
        QByteArray bad = good;
        bad.replace(d.at, d.bytes.size(), d.bytes);
        EXPECT_EQ(FileVersionText(writeFile("damaged", bad)), "0.0.0.0") << d.at;
    }
}

TEST(mmFileVersion, OurLibrariesCarryTheProjectVersion)
{
    const QString folder = mmFile::SystemFolder();
    for (const char* library : {"libduopane-platform.so", "libduopane-platform-ui.so", "libBoxara.so"}) {
        const QString path = folder + library;
        EXPECT_EQ(FileVersionText(path), "1.7.0.4") << library;
        EXPECT_TRUE(VersionAtLeast(path, "1.7.x.x")) << library;
        EXPECT_FALSE(VersionAtLeast(path, "1.8.x.x")) << library;
        EXPECT_EQ(FixedFileInfo(path).dwFileType, 2u) << library;
    }
}

TEST(mmFileVersion, OtherLibrariesByTheirFileName)
{
    const QString qtCore = loadedFileOf(reinterpret_cast<const void*>(&qVersion));
    ASSERT_FALSE(qtCore.isEmpty());
    EXPECT_EQ(FileVersionText(qtCore), QString(qVersion()) + ".0") << qtCore.toStdString();
    EXPECT_TRUE(VersionAtLeast(qtCore, "6.0.x.x"));
    EXPECT_FALSE(VersionAtLeast(qtCore, "99.0"));
    const QString link = duopane::test::testRoot() + "/versions/libfake.so.1";
    const QString target = writeFile("libfake.so.2.31.7", "not even ELF");
    QFile::remove(link);
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_EQ(FileVersionText(link), "2.31.7.0");
    EXPECT_EQ(FileVersionText(writeFile("libtoo.so.1.2.3.4.5", "")), "0.0.0.0");
    EXPECT_EQ(FileVersionText(writeFile("libbig.so.70000", "")), "0.0.0.0");
}
