#pragma once

#include <QByteArray>
#include <QRegularExpression>
#include <QStringList>

#include <vector>

namespace arckit {

// Which members a command's specs choose: "*.*" everything, "dir/*.*" a folder's content,
// a pattern without a folder matches the member's own name, a plain name the member or the
// folder of that name. Compared without regard to case, "\" and "/" alike.
class ArcSelection {
public:
    explicit ArcSelection(const QStringList& specs);
    bool matches(const QByteArray& memberName) const;
    bool all() const { return m_all; }

private:
    struct Rule {
        enum Kind { Exact, FolderContent, NamePattern, PathPattern } kind;
        QString text;
        QRegularExpression pattern;
    };
    bool m_all = false;
    std::vector<Rule> m_rules;
};

} // namespace arckit
