#include "platform/archivers/tar32/TarFormat.h"

#include <archive.h>

namespace arckit {

void TarFormat::enableFormats(struct archive* reader) const
{
    archive_read_support_format_tar(reader);
    archive_read_support_format_gnutar(reader);
    archive_read_support_format_raw(reader);
    archive_read_support_filter_gzip(reader);
    archive_read_support_filter_bzip2(reader);
    archive_read_support_filter_compress(reader);
    archive_read_support_filter_xz(reader);
}

int TarFormat::run(const QByteArray& command, ArcOutput& output)
{
    const ArcCommandLine line = ArcCommandLine::parse(command);
    if (!line.switches().isEmpty() || line.words().size() < 2)
        return arcerr::IllegalCommand;
    QString keys = line.words().first();
    if (keys.startsWith(QLatin1Char('-')))
        keys.remove(0, 1);
    for (const QChar key : keys)
        if (!QStringLiteral("xtvfoap").contains(key))
            return arcerr::IllegalCommand;
    const bool extracting = keys.contains(QLatin1Char('x'));
    if (extracting == keys.contains(QLatin1Char('t')))
        return arcerr::IllegalCommand;
    const QString archive = line.words().at(1);
    const ArcTargetAndSpecs rest = splitTargetAndSpecs(line.words().mid(2));
    if (!extracting)
        return extract(archive, ArcSelection(rest.specs), nullptr, output);
    return extractTo(archive, rest, {false, keys.contains(QLatin1Char('o'))}, output);
}

} // namespace arckit
