#include "platform/archivers/unlha32/LhaFormat.h"

#include "platform/archivers/unlha32/LhaArchive.h"
#include "platform/archivers/unlha32/LhaWriter.h"

#include <QFile>
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

std::optional<ArcListing> LhaFormat::list(const QString& archive)
{
    QFile file(archive);
    if (!file.open(QIODevice::ReadOnly) || file.size() >= (qint64(1) << 32))
        return std::nullopt;
    const qint64 size = file.size();
    const uchar* map = size > 0 ? file.map(0, size) : nullptr;
    if (!map)
        return std::nullopt;
    const auto members = readLhaMembers(QByteArray::fromRawData(reinterpret_cast<const char*>(map), qsizetype(size)));
    if (!members || members->isEmpty())
        return std::nullopt;
    ArcListing entries;
    for (const LhaMember& m : *members)
        entries << m.entry;
    return entries;
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
    if (rest.listFileError)
        return arcerr::ListFile;
    if (action == QLatin1String("d"))
        return LhaWriter::remove(archive, ArcSelection(rest.specs), output);
    if (action.size() == 1 && QStringLiteral("aufm").contains(action)) {
        const auto items = collectPackItems(rest.target, rest.specs, line.has("-r2") || line.has("-r1"), line.has("-a1"));
        return LhaWriter::pack(archive, items, char(action[0].toLatin1()), !line.has("-x0"), output);
    }
    return arcerr::IllegalCommand;
}

} // namespace arckit
