#include "platform/archivers/unlha32/LhaFormat.h"

#include <QRegularExpression>

#include <archive.h>

namespace arckit {

bool isLhaSwitch(const QString& word)
{
    static const QRegularExpression pattern(QStringLiteral("^-(\\+[0-9]?|(a|c|f|jp|jf|jso|m|r|x|n|w|p|l|g|t|e)[0-9]*)$"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(word).hasMatch();
}

void LhaFormat::enableFormats(struct archive* reader) const
{
    archive_read_support_format_lha(reader);
}

int LhaFormat::run(const QByteArray& command, ArcOutput& output)
{
    const ArcCommandLine line = ArcCommandLine::parse(command);
    for (const QString& s : line.switches())
        if (!isLhaSwitch(s))
            return arcerr::IllegalCommand;
    if (line.words().size() < 2)
        return arcerr::IllegalCommand;
    const QString action = line.words().first().toLower();
    const QString archive = line.words().at(1);
    const ArcTargetAndSpecs rest = splitTargetAndSpecs(line.words().mid(2));
    if (action == QLatin1String("t"))
        return extract(archive, ArcSelection(rest.specs), nullptr, output);
    if (action == QLatin1String("x") || action == QLatin1String("e"))
        return extractTo(archive, rest, {action == QLatin1String("e"), line.has("-m1")}, output);
    return arcerr::IllegalCommand;
}

} // namespace arckit
