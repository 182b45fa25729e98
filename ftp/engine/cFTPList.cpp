#include "ftp/engine/cFTPList.h"

#include "ftp/engine/FtpListDate.h"
#include "ftp/engine/mFTPMain.h"

#include <QLocale>

namespace {

// A line cut at blanks, a run of blanks counting as one; a blank at either end leaves an empty
// field there, as splitting the blank-reduced line does.
void splitFields(QStringView line, std::vector<QStringView>& fields)
{
    fields.clear();
    qsizetype start = 0;
    const qsizetype size = line.size();
    qsizetype i = 0;
    while (i < size) {
        if (line[i] != QLatin1Char(' ')) {
            ++i;
            continue;
        }
        fields.push_back(line.mid(start, i - start));
        while (i < size && line[i] == QLatin1Char(' '))
            ++i;
        start = i;
    }
    fields.push_back(line.mid(start));
}

QString joinFields(const std::vector<QStringView>& fields, size_t from)
{
    QString text;
    for (size_t i = from; i < fields.size(); ++i) {
        if (i > from)
            text += QLatin1Char(' ');
        text += fields[i];
    }
    return text;
}

QString formatSizeField(QStringView field)
{
    bool ok = false;
    const qint64 value = field.toLongLong(&ok);
    return ok && value >= 0 ? mFTPMain::FormatSize(value) : field.toString();
}

} // namespace

void cFTPList::SetFTPFileList(QString& listing)
{
    const QString text = std::move(listing);
    listing.clear();
    m_entries.clear();
    m_layout = NoLayout;
    m_hasAttributes = false;
    int count = 0;
    Fields fields;
    const QStringView all(text);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf(QLatin1String("\r\n"), start);
        if (end < 0)
            end = all.size();
        const QStringView line = all.mid(start, end - start);
        start = end + 2;
        if (line.isEmpty())
            continue;
        splitFields(line, fields);
        if (parseLine(fields, count))
            ++count;
    }
    m_fileNumb = count;
}

bool cFTPList::findLayout(const Fields& f)
{
    if (FtpListDate::isWindowsDate(f[0], f[1])) {
        m_layout = Windows;
        m_hasAttributes = false;
        return true;
    }
    if (f.size() < 8)
        return false;
    if (FtpListDate::isUnixDate(f[5], f[6], f[7])) {
        m_layout = UnixWithGroup;
    } else if (FtpListDate::isUnixDate(f[4], f[5], f[6])) {
        m_layout = UnixWithoutGroup;
    } else {
        return false;
    }
    m_hasAttributes = true;
    return true;
}

bool cFTPList::parseLine(const Fields& f, int index)
{
    if (f.size() < 4)
        return false;
    if (index == 0 && !findLayout(f))
        return false;
    struct Positions {
        size_t date, dateCount, name, size, folderTest;
    };
    static const Positions table[] = {
        {0, 0, 0, 0, 0}, {0, 2, 3, 2, 2}, {5, 3, 8, 4, 0}, {4, 3, 7, 3, 0},
    };
    const Positions& p = table[m_layout];
    if (f.size() <= p.name || f[p.name].startsWith(QLatin1Char('.')))
        return false;
    TFILE file;
    QString rawDate;
    for (size_t i = p.date; i < p.date + p.dateCount; ++i) {
        if (i > p.date)
            rawDate += QLatin1Char(' ');
        rawDate += f[i];
    }
    file.FileName = joinFields(f, p.name);
    const QStringView folderTest = f[p.folderTest];
    file.bFolder = folderTest == QLatin1String("<DIR>") || folderTest.startsWith(QLatin1Char('d'));
    if (!file.bFolder)
        file.FileSize = formatSizeField(f[p.size]);
    if (m_hasAttributes) {
        file.FileAttr = f[0].toString();
        const qsizetype arrow = file.FileName.indexOf(QLatin1String(" -> "));
        if (arrow >= 0) {
            QString target = file.FileName.mid(arrow + 4);
            const qsizetype further = target.indexOf(QLatin1String(" -> "));
            if (further >= 0)
                target.truncate(further);
            file.FileLink = target;
            file.FileName.truncate(arrow);
        }
    }
    file.FileDate = rawDate.isEmpty() ? rawDate : localDate(rawDate);
    if (size_t(index) >= m_entries.size())
        m_entries.resize(index + 1);
    m_entries[index] = std::move(file);
    return true;
}

QString cFTPList::localDate(const QString& raw)
{
    const auto cached = m_dates.constFind(raw);
    if (cached != m_dates.constEnd())
        return cached.value();
    const QDateTime when = FtpListDate::parse(raw);
    QString shown = raw;
    if (when.isValid()) {
        const QLocale locale = QLocale::system();
        shown = locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ')
            + locale.toString(when.time(), QLocale::ShortFormat);
    }
    m_dates.insert(raw, shown);
    return shown;
}

const TFILE& cFTPList::entry(int index) const
{
    static const TFILE none;
    if (index < 0 || index >= m_fileNumb || size_t(index) >= m_entries.size())
        return none;
    return m_entries[index];
}

TFILE* cFTPList::writable(int index)
{
    if (index < 0 || index >= m_fileNumb)
        return nullptr;
    if (size_t(index) >= m_entries.size())
        m_entries.resize(index + 1);
    return &m_entries[index];
}

void cFTPList::SetFileNumb(int count)
{
    m_fileNumb = std::max(0, count);
}

void cFTPList::SetFileName(int index, const QString& value)
{
    if (TFILE* file = writable(index))
        file->FileName = value;
}

void cFTPList::SetFileDate(int index, const QString& value)
{
    if (TFILE* file = writable(index))
        file->FileDate = value;
}

void cFTPList::SetFileSize(int index, const QString& value)
{
    if (TFILE* file = writable(index))
        file->FileSize = value;
}

void cFTPList::SetFileAttr(int index, const QString& value)
{
    if (TFILE* file = writable(index))
        file->FileAttr = value;
}

void cFTPList::SetFileLink(int index, const QString& value)
{
    if (TFILE* file = writable(index))
        file->FileLink = value;
}

void cFTPList::SetIsFolder(int index, bool value)
{
    if (TFILE* file = writable(index))
        file->bFolder = value;
}

QString cFTPList::Path(int index) const
{
    const TFILE& file = entry(index);
    if (file.bFolder && !file.FileLink.isEmpty())
        return mFTPMain::NormalizePath(m_folder + file.FileLink + QLatin1Char('/'));
    if (file.bFolder)
        return m_folder + file.FileName + QLatin1Char('/');
    return m_folder + file.FileName;
}
