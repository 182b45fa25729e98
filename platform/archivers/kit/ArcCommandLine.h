#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace arckit {

// A command text split into switches (words starting with "-") and other words, honouring
// double quotes. Word order is kept in words(); switches keep their leading "-".
class ArcCommandLine {
public:
    static ArcCommandLine parse(const QByteArray& command);

    const QStringList& switches() const { return m_switches; }
    const QStringList& words() const { return m_words; }
    bool has(const QString& option) const { return m_switches.contains(option, Qt::CaseInsensitive); }
    // True when every switch is one of known (in any letter case) or, when valuePrefix is given,
    // starts with it (a switch carrying a value, such as "-Psecret").
    bool onlyKnownSwitches(const QStringList& known, const QString& valuePrefix = {}) const;
    // The first switch starting with prefix, without the prefix; nullopt when absent.
    std::optional<QString> value(const QString& prefix) const;

private:
    QStringList m_switches;
    QStringList m_words;
};

// The words after the archive: a word ending in a separator names the target folder, the
// rest are member specs; "@file" words are replaced by the lines of that list file.
struct ArcTargetAndSpecs {
    QString target;
    QStringList specs;
    bool listFileError = false;
};
ArcTargetAndSpecs splitTargetAndSpecs(const QStringList& words);
// Reads a list file: one spec per line, trimmed, double quotes removed.
std::optional<QStringList> readListFile(const QString& path);
bool endsWithSeparator(const QString& path);

} // namespace arckit
