#include "archiver/cArchiverDriver.h"

#include "platform/archive/ArchiverLibrary.h"
#include "platform/prompt/SystemMessageBox.h"

#include <QHash>


#include <cstring>

namespace {

const QHash<qint32, QString>& errorTexts()
{
    static const QHash<qint32, QString> texts {
        {0x8005, QStringLiteral("Not enough disk space to extract file")},
        {0x8006, QStringLiteral("Directory to extract file is read-only")},
        {0x8007, QStringLiteral("Skipped extraction by user request")},
        {0x800C, QStringLiteral("Archive file CRC error")},
        {0x800D, QStringLiteral("Can not open file to extraction")},
        {0x800E, QStringLiteral("More recent file already exists")},
        {0x800F, QStringLiteral("File not found at extraction directory")},
        {0x8012, QStringLiteral("Can not make directory")},
        {0x8013, QStringLiteral("Write error detected when extracting files")},
        {0x8014, QStringLiteral("Broken Huffman code in archive file")},
        {0x8015, QStringLiteral("Broken comment header in archive file")},
        {0x8016, QStringLiteral("CRC error in archive file")},
        {0x8017, QStringLiteral("Broken header in archive file")},
        {0x8018, QStringLiteral("Can not open archive file")},
        {0x8019, QStringLiteral("Archive file not in LZH format")},
        {0x801A, QStringLiteral("Error reading archive file")},
        {0x801B, QStringLiteral("File not in LZH format")},
        {0x801C, QStringLiteral("Illegal command")},
        {0x801D, QStringLiteral("Unable to allocate work heap memory")},
        {0x801E, QStringLiteral("Unable to allocate global memory")},
        {0x801F, QStringLiteral("DLL already running")},
        {0x8020, QStringLiteral("User cancel detected while extracting")},
        {0x8021, QStringLiteral("FindFirst() called before archive\r\nfile handle assigned by OpenArchive()")},
        {0x8022, QStringLiteral("FindNext() called before FindFirst().\r\nOr GetFileName() function called "
                                "before\r\nthese functions.")},
        {0x8023, QStringLiteral("Unsupported function called")},
        {0x8024, QStringLiteral("Illegal date or time format")},
        {0x8025, QStringLiteral("Unable to open temporary file")},
        {0x8026, QStringLiteral("Directory path too long")},
        {0x8027, QStringLiteral("Archive file is read only")},
        {0x8028, QStringLiteral("File already exists in the archive file")},
        {0x8029, QStringLiteral("Can not find LZH file in the specified directory")},
        {0x802A, QStringLiteral("Error reading batch file")},
        {0x802B, QStringLiteral("File name required")},
        {0x802C, QStringLiteral("Can not write back to temporary archive file")},
    };
    return texts;
}

} // namespace

cArchiverDriver::cArchiverDriver(cArchiverTraits traits, State* shared)
    : m_traits(std::move(traits))
    , m_ownState(shared ? nullptr : std::make_unique<State>())
    , m_state(shared ? shared : m_ownState.get())
    , m_library(std::make_unique<platform::ArchiverLibrary>(m_traits.libraryFile))
{
}

cArchiverDriver::~cArchiverDriver() = default;

void* cArchiverDriver::resolve(const char* suffix) const
{
    return m_library->symbol((m_traits.prefix + suffix).constData());
}

QString cArchiverDriver::ErrorText(qint32 code)
{
    if (code == 0)
        return {};
    if (const auto it = errorTexts().constFind(code); it != errorTexts().constEnd())
        return *it;
    return QStringLiteral("Unknown return code 'H%1'\r\nMaybe nothing to do.")
        .arg(QString::number(quint32(code), 16).toUpper());
}

void cArchiverDriver::setCommandLine(const QString& command)
{
    const int size = m_state->MaxFileCount * m_traits.bufferPerFile + m_traits.bufferBase;
    QByteArray buffer(qMax(size, 1), '\0');
    qint32 result = arcerr::Unsupported;
    if (auto run = call<ArcCommandFn>("")) {
        // The CAB driver shows the busy pointer itself; that is the window's business here.
        result = run(m_state->hWnd, command.toUtf8().constData(), buffer.data(), quint32(buffer.size()));
    }
    m_state->commandLine = command;
    m_state->returnCode = result;
    const int used = int(qstrnlen(buffer.constData(), size_t(buffer.size())));
    QString text = QString::fromUtf8(buffer.constData(), used);
    if (m_traits.emptyOutputOnError) {
        if (result != 0)
            text.clear();
        else if (used == buffer.size())
            text += QStringLiteral("\n[More...]");
    }
    m_state->output = text;
}

qint16 cArchiverDriver::Version() const
{
    auto version = call<ArcGetVersionFn>("GetVersion");
    return version ? qint16(version()) : qint16(0);
}

bool cArchiverDriver::CursorMode() const
{
    if (m_traits.ownCursorMode)
        return m_cursorMode;
    auto get = call<ArcGetModeFn>("GetCursorMode");
    return get && get() != 0;
}

void cArchiverDriver::setCursorMode(bool on)
{
    if (m_traits.ownCursorMode) {
        m_cursorMode = on;
    } else if (auto set = call<ArcSetModeFn>("SetCursorMode")) {
        set(on ? 1 : 0);
    }
}

bool cArchiverDriver::BackGroundMode() const
{
    auto get = call<ArcGetModeFn>("GetBackGroundMode");
    return get && get() != 0;
}

void cArchiverDriver::setBackGroundMode(bool on)
{
    if (auto set = call<ArcSetModeFn>("SetBackGroundMode"))
        set(on ? 1 : 0);
}

bool cArchiverDriver::Running() const
{
    auto get = call<ArcGetModeFn>("GetRunning");
    return get && get() != 0;
}

bool cArchiverDriver::CheckArchive(const QString& file) const
{
    auto check = call<ArcCheckArchiveFn>("CheckArchive");
    return check && check(file.toUtf8().constData(), m_state->checkMode) != 0;
}

QString cArchiverDriver::ConfigDialog(const QString& option, qint16 mode)
{
    QByteArray buffer = option.toUtf8().left(256);
    buffer.append(QByteArray(257 - buffer.size(), '\0'));
    auto dialog = call<ArcConfigDialogFn>("ConfigDialog");
    const int result = dialog ? dialog(m_state->hWnd, buffer.data(), mode) : 0;
    m_state->returnCode = result;
    return result != 0 ? QString::fromUtf8(buffer.constData()) : QString();
}

void cArchiverDriver::splitName(const QString& fullName, Entry& entry)
{
    if (!fullName.contains(QLatin1Char('/')) && !fullName.contains(QLatin1Char('\\'))) {
        entry.FilePath = QStringLiteral("\\");
        entry.FileName = fullName;
        return;
    }
    QString name = fullName;
    name.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const int lastSeparator = name.lastIndexOf(QLatin1Char('\\'));
    const int nameStart = qMax(lastSeparator, int(name.lastIndexOf(QLatin1Char(':')))) + 1;
    entry.FileName = name.mid(nameStart);
    entry.FilePath = name.left(lastSeparator) + QLatin1Char('\\');
}

cArchiverDriver::Entry cArchiverDriver::entryFromRecord(const ArcEntryRecord& record, int methodChars)
{
    Entry entry;
    splitName(QString::fromUtf8(record.fileName, int(qstrnlen(record.fileName, sizeof record.fileName))), entry);
    entry.FileOriginal = GroupedSize(record.originalSize);
    entry.FilePacked = GroupedSize(record.compressedSize);
    entry.FileRatio = QString::number(record.ratio / 10.0, 'f', 1) + QLatin1Char('%');
    entry.FileDate = DosDateText(record.dosDate);
    entry.FILETIME = DosTimeText(record.dosTime);
    entry.FileAttr = QString::fromUtf8(record.attribute, int(qstrnlen(record.attribute, sizeof record.attribute)))
                         .left(4)
                         .toLower();
    QString method = QString::fromUtf8(record.method, int(qstrnlen(record.method, sizeof record.method)));
    entry.FileType = methodChars > 0 ? method.left(methodChars) : method;
    entry.FileCRC = CrcText(record.crc);
    return entry;
}

bool cArchiverDriver::readListing(const QString& file)
{
    auto open = call<ArcOpenArchiveFn>("OpenArchive");
    auto first = call<ArcFindFirstFn>("FindFirst");
    auto next = call<ArcFindNextFn>("FindNext");
    auto close = call<ArcCloseArchiveFn>("CloseArchive");
    if (!open || !first || !next || !close)
        return false;
    const ArcHandle handle = open(m_state->hWnd, file.toUtf8().constData(), 0);
    if (handle == 0)
        return false;
    ArcEntryRecord record {};
    bool ok = true;
    for (int found = first(handle, "*.*", &record); found == 0; found = next(handle, &record)) {
        if (m_entries.size() >= 32767) {
            ok = false;
            break;
        }
        m_entries << entryFromRecord(record, m_traits.methodChars);
    }
    close(handle);
    return ok;
}

qint16 cArchiverDriver::SetArcFile(const QString& file)
{
    return loadListing(file, m_traits.kindName, [this](const QString& f) { return readListing(f); });
}
