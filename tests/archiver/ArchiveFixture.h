#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace duopane::test {

// A private work folder per test with helpers to make trees and run the standard tools.
class ArchiveFixture : public ::testing::Test {
public:
    static quint32 crc32(const QByteArray& data);

protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString& relative) const { return m_root + QLatin1Char('/') + relative; }
    // Writes a file below the work folder (folders made as needed), optionally dated.
    void writeFile(const QString& relative, const QByteArray& data, const QDateTime& when = {});
    QByteArray readFile(const QString& relative) const;
    bool exists(const QString& relative) const;
    // Runs a program in folder (the work folder when empty); its exit code, -1 when it did not run.
    int run(const QString& program, const QStringList& arguments, const QString& folder = {},
        QByteArray* output = nullptr);
    // Skips the test unless the program is installed.
    bool have(const QString& program) const;
    // Mounts a tmpfs of the given size; false (with the reason) when that is refused.
    bool mountTmpfs(const QString& relative, const QString& size, QString* reason);

    // A tree of sample files: readme.txt, docs/a.txt, docs/img/a.png (2004-03-07 14:05:06), empty.dat.
    void makeSampleTree(const QString& relative);

    QString m_root;
    QStringList m_mounts;
};

// Every file below a folder, relative, with "/" separators, sorted.
QStringList filesBelow(const QString& folder);

} // namespace duopane::test
