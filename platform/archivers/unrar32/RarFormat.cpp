#include "platform/archivers/unrar32/RarFormat.h"

#include <archive.h>

namespace arckit {

void RarFormat::enableFormats(struct archive* reader) const
{
    archive_read_support_format_rar(reader);
    archive_read_support_format_rar5(reader);
}

int RarFormat::run(const QByteArray& command, ArcOutput& output)
{
    const ArcCommandLine line = ArcCommandLine::parse(command);
    static const QStringList known {"-x", "-e", "-t", "-u", "-y"};
    if (!line.onlyKnownSwitches(known))
        return arcerr::IllegalCommand;
    const int actions = int(line.has("-x")) + int(line.has("-e")) + int(line.has("-t"));
    if (actions != 1 || line.words().isEmpty())
        return arcerr::IllegalCommand;
    const QString archive = line.words().first();
    const ArcTargetAndSpecs rest = splitTargetAndSpecs(line.words().mid(1));
    if (line.has("-t"))
        return extract(archive, ArcSelection(rest.specs), nullptr, output);
    return extractTo(archive, rest, {line.has("-e"), line.has("-y")}, output);
}

} // namespace arckit
