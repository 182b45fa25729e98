#include "platform/archivers/kit/ArcSelection.h"

namespace arckit {
namespace {

QString normalised(QString name)
{
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (name.startsWith(QLatin1String("./")))
        name.remove(0, 2);
    return name;
}

bool isEverything(const QString& spec)
{
    return spec == QLatin1String("*.*") || spec == QLatin1String("*");
}

QRegularExpression wildcard(const QString& spec)
{
    // DOS patterns: "*.*" means any name, with or without a dot.
    QString text = spec;
    text.replace(QLatin1String("*.*"), QLatin1String("*"));
    QString expression;
    for (const QChar c : text) {
        if (c == QLatin1Char('*'))
            expression += QLatin1String(".*");
        else if (c == QLatin1Char('?'))
            expression += QLatin1Char('.');
        else
            expression += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
}

} // namespace

ArcSelection::ArcSelection(const QStringList& specs)
{
    m_all = specs.isEmpty();
    for (const QString& raw : specs) {
        const QString spec = normalised(raw);
        if (isEverything(spec)) {
            m_all = true;
        } else if (spec.endsWith(QLatin1String("/*.*")) || spec.endsWith(QLatin1String("/*"))) {
            m_rules.push_back({Rule::FolderContent, spec.left(spec.lastIndexOf(QLatin1Char('/')) + 1), {}});
        } else if (spec.contains(QLatin1Char('*')) || spec.contains(QLatin1Char('?'))) {
            const auto kind = spec.contains(QLatin1Char('/')) ? Rule::PathPattern : Rule::NamePattern;
            m_rules.push_back({kind, spec, wildcard(spec)});
        } else {
            QString name = spec;
            while (name.endsWith(QLatin1Char('/')))
                name.chop(1);
            m_rules.push_back({Rule::Exact, name, {}});
        }
    }
}

bool ArcSelection::matches(const QByteArray& memberName) const
{
    if (m_all)
        return true;
    QString name = normalised(QString::fromUtf8(memberName));
    while (name.endsWith(QLatin1Char('/')))
        name.chop(1);
    const QString base = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    for (const Rule& rule : m_rules) {
        switch (rule.kind) {
        case Rule::Exact:
            if (name.compare(rule.text, Qt::CaseInsensitive) == 0
                || name.startsWith(rule.text + QLatin1Char('/'), Qt::CaseInsensitive))
                return true;
            break;
        case Rule::FolderContent:
            // The folder's own entry goes with its content.
            if (name.startsWith(rule.text, Qt::CaseInsensitive)
                || (name + QLatin1Char('/')).compare(rule.text, Qt::CaseInsensitive) == 0)
                return true;
            break;
        case Rule::NamePattern:
            if (rule.pattern.match(base).hasMatch())
                return true;
            break;
        case Rule::PathPattern:
            if (rule.pattern.match(name).hasMatch())
                return true;
            break;
        }
    }
    return false;
}

} // namespace arckit
