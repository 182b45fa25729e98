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

// The user's short dates and times, each put in words once per process: listings of a million
// lines repeat a few thousand days and at most 86400 times of day. Flat tables, as a hash
// lookup per line costs more than the rest of the line.
class DateTexts {
public:
    static DateTexts& instance()
    {
        static DateTexts texts;
        return texts;
    }

    void prepare()
    {
        const QLocale locale = QLocale::system();
        if (locale.name() == m_localeName && !m_days.empty())
            return;
        m_localeName = locale.name();
        m_days.assign(kDays, QString());
        m_times.assign(86400, QString());
    }

    QString text(const QDate& date, const QTime& time)
    {
        const qint64 day = date.toJulianDay() - kFirstDay;
        const int second = time.msecsSinceStartOfDay() / 1000;
        if (day < 0 || day >= kDays)
            return shortText(date) + QLatin1Char(' ') + shortText(time);
        QString& dayText = m_days[size_t(day)];
        if (dayText.isNull())
            dayText = shortText(date);
        QString& timeText = m_times[size_t(second)];
        if (timeText.isNull())
            timeText = shortText(time);
        QString joined;
        joined.reserve(dayText.size() + 1 + timeText.size());
        joined.append(dayText).append(QLatin1Char(' ')).append(timeText);
        return joined;
    }

private:
    static constexpr qint64 kFirstDay = 2415021; // 1 January 1900
    static constexpr qint64 kDays = 256 * 366;

    static QString shortText(const QDate& date) { return QLocale::system().toString(date, QLocale::ShortFormat); }
    static QString shortText(const QTime& time) { return QLocale::system().toString(time, QLocale::ShortFormat); }

    QString m_localeName;
    std::vector<QString> m_days;
    std::vector<QString> m_times;
};

} // namespace

void cFTPList::SetFTPFileList(QString& listing)
{
    const QString text = std::move(listing);
    listing.clear();
    m_entries.clear();
    m_layout = NoLayout;
    m_hasAttributes = false;
    m_currentYear = QDate::currentDate().year();
    // "##,##0" groups even where the locale leaves grouping out.
    m_groupSeparator = QLocale::system().groupSeparator();
    DateTexts::instance().prepare();
    int count = 0;
    Fields fields;
    const QStringView all(text);
    m_entries.reserve(size_t(all.count(QLatin1Char('\n')) + 1));
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf(QLatin1Char('\n'), start);
        // Only "\r\n" ends a line; a bare line feed stays inside it.
        while (end >= 0 && (end == 0 || all[end - 1] != QLatin1Char('\r')))
            end = all.indexOf(QLatin1Char('\n'), end + 1);
        end = end < 0 ? all.size() : end - 1;
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
    if (FtpListDate::isUnixDate(f[5], f[6], f[7], m_currentYear)) {
        m_layout = UnixWithGroup;
    } else if (FtpListDate::isUnixDate(f[4], f[5], f[6], m_currentYear)) {
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
    file.FileName = joinFields(f, p.name);
    const QStringView folderTest = f[p.folderTest];
    file.bFolder = folderTest == QLatin1String("<DIR>") || folderTest.startsWith(QLatin1Char('d'));
    if (!file.bFolder)
        file.FileSize = formatSize(f[p.size]);
    if (m_hasAttributes) {
        // Listings repeat a handful of permission texts; equal ones share one string.
        if (f[0] != m_lastAttr)
            m_lastAttr = f[0].toString();
        file.FileAttr = m_lastAttr;
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
    file.FileDate = localDate(f.data() + p.date, int(p.dateCount));
    if (size_t(index) >= m_entries.size())
        m_entries.resize(index + 1);
    m_entries[index] = std::move(file);
    return true;
}

QString cFTPList::localDate(const QStringView* fields, int count)
{
    const FtpListDate::Stamp when = FtpListDate::parse(fields, count, m_currentYear);
    if (!when.isValid()) {
        QString raw;
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                raw += QLatin1Char(' ');
            raw += fields[i];
        }
        return raw;
    }
    return DateTexts::instance().text(when.date, when.time);
}

QString cFTPList::formatSize(QStringView field) const
{
    qsizetype digits = 0;
    while (digits < field.size() && field[digits].isDigit() && field[digits].unicode() < 128)
        ++digits;
    // Not a plain number: shown as the server wrote it.
    if (digits == 0 || digits != field.size() || digits > 18)
        return field.toString();
    qsizetype first = 0;
    while (first + 1 < digits && field[first] == QLatin1Char('0'))
        ++first;
    const QStringView number = field.mid(first);
    QString text;
    text.reserve(number.size() + number.size() / 3 * m_groupSeparator.size());
    for (qsizetype i = 0; i < number.size(); ++i) {
        if (i > 0 && (number.size() - i) % 3 == 0)
            text += m_groupSeparator;
        text += number[i];
    }
    return text;
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
