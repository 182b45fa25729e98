#include "platform/archivers/cab32/CabFormat.h"

#include <archive.h>

namespace arckit {

void CabFormat::enableFormats(struct archive* reader) const
{
    archive_read_support_format_cab(reader);
}

int CabFormat::run(const QByteArray& command, ArcOutput& output)
{
    const ArcCommandLine line = ArcCommandLine::parse(command);
    static const QStringList known {"-x", "-t", "-v", "-j", "-o"};
    for (const QString& s : line.switches())
        if (!known.contains(s, Qt::CaseInsensitive))
            return arcerr::IllegalCommand;
    if (line.has("-x") == line.has("-t") || line.words().isEmpty())
        return arcerr::IllegalCommand;
    const QString archive = line.words().first();
    const ArcTargetAndSpecs rest = splitTargetAndSpecs(line.words().mid(1));
    if (line.has("-t"))
        return extract(archive, ArcSelection(rest.specs), nullptr, output);
    return extractTo(archive, rest, {line.has("-j"), line.has("-o")}, output);
}

} // namespace arckit
