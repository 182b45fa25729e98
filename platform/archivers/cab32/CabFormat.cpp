#include "platform/archivers/cab32/CabFormat.h"

#include "platform/archivers/cab32/CabWriter.h"

#include <archive.h>

namespace arckit {

void CabFormat::enableFormats(struct archive* reader) const
{
    archive_read_support_format_cab(reader);
}

int CabFormat::run(const QByteArray& command, ArcOutput& output)
{
    const ArcCommandLine line = ArcCommandLine::parse(command);
    static const QStringList known {"-x", "-t", "-v", "-j", "-o", "-a", "-mz", "-mn", "-k", "-r"};
    if (!line.onlyKnownSwitches(known))
        return arcerr::IllegalCommand;
    const int actions = int(line.has("-x")) + int(line.has("-t")) + int(line.has("-a"));
    if (actions != 1 || line.words().isEmpty())
        return arcerr::IllegalCommand;
    const QString archive = line.words().first();
    const ArcTargetAndSpecs rest = splitTargetAndSpecs(line.words().mid(1));
    if (line.has("-a")) {
        if (rest.listFileError)
            return arcerr::ListFile;
        const auto items = collectPackItems(rest.target, rest.specs, line.has("-r"), true);
        for (const PackItem& item : items)
            if (!item.folder)
                output.line(item.member);
        return writeCabinet(archive, items, !line.has("-mn"), line.has("-k"));
    }
    if (line.has("-t"))
        return extract(archive, ArcSelection(rest.specs), nullptr, output);
    return extractTo(archive, rest, {line.has("-j"), line.has("-o")}, output);
}

} // namespace arckit
