#include "ftp/engine/cFTPList.h"

#include "ftp/engine/FtpListDate.h"
#include "ftp/engine/mFTPMain.h"

#include <QLocale>

#include <algorithm>
#include <cstring>

namespace {

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

struct cFTPList::Positions {
    int date, dateCount, name, size, folderTest;
};

void cFTPList::SetFTPFileList(QString& listing)
{
    QByteArray bytes = listing.toUtf8();
    listing.clear();
    parse(bytes);
}

void cFTPList::SetFTPFileList(QByteArray& listing)
{
    QByteArray bytes = std::move(listing);
    listing.clear();
    parse(bytes);
}

void cFTPList::parse(QByteArray& text)
{
    m_text = std::move(text);
    if (m_text.size() > kMaxText)
        m_text.truncate(kMaxText);
    m_written = 0;
    m_entries.clear();
    m_layout = NoLayout;
    m_hasAttributes = false;
    m_lastAttr = {};
    m_currentYear = QDate::currentDate().year();
    // "##,##0" groups even where the locale leaves grouping out.
    m_groupSeparator = QLocale::system().groupSeparator();
    DateTexts::instance().prepare();
    // Names are moved down over the text already read, so the buffer is written in place.
    char* const base = m_text.data();
    const char* const end = base + m_text.size();
    qsizetype lines = 0;
    for (const char* p = base; (p = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)))); ++p)
        lines += p > base && p[-1] == '\r';
    // The shortest line a layout accepts has seven characters and its line end.
    m_entries.reserve(size_t(std::min(lines + 1, m_text.size() / 9 + 1)));
    Fields fields;
    const char* line = base;
    while (line < end) {
        // Only "\r\n" ends a line; a bare line feed stays inside it.
        const char* feed = line;
        const char* lineEnd = end;
        while ((feed = static_cast<const char*>(std::memchr(feed, '\n', size_t(end - feed))))) {
            if (feed > base && feed[-1] == '\r') {
                lineEnd = feed - 1;
                break;
            }
            ++feed;
        }
        if (lineEnd > line) {
            splitFields(line, lineEnd, fields);
            parseLine(fields, lineEnd);
        }
        if (lineEnd == end)
            break;
        line = lineEnd + 2;
    }
    m_text.truncate(m_written);
    m_text.squeeze();
    m_fileNumb = int(m_entries.size());
}

namespace {

// Eight bytes at a time: listings pad their columns with long runs of blanks.
constexpr quint64 kBlanks = 0x2020202020202020ULL;

quint64 load8(const char* p)
{
    quint64 word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

const char* pastBlanks(const char* p, const char* end)
{
    while (end - p >= 8 && load8(p) == kBlanks)
        p += 8;
    while (p < end && *p == ' ')
        ++p;
    return p;
}

} // namespace

// A line cut at blanks, a run of blanks counting as one; a blank at either end leaves an empty
// field there.
void cFTPList::splitFields(const char* line, const char* end, Fields& fields)
{
    fields.count = 0;
    const char* start = line;
    for (;;) {
        const char* blank = start;
        while (blank < end && *blank != ' ')
            ++blank;
        fields.field[fields.count++] = QByteArrayView(start, blank - start);
        if (blank == end || fields.count == kMaxFields)
            return;
        start = pastBlanks(blank, end);
    }
}

bool cFTPList::findLayout(const Fields& fields)
{
    const QByteArrayView* f = fields.field;
    if (FtpListDate::isWindowsDate(f[0], f[1])) {
        m_layout = Windows;
        m_hasAttributes = false;
        return true;
    }
    if (fields.count < 8)
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

bool cFTPList::parseLine(const Fields& fields, const char* lineEnd)
{
    if (fields.count < 4)
        return false;
    if (m_entries.empty() && !findLayout(fields))
        return false;
    static const Positions table[] = {
        {0, 0, 0, 0, 0}, {0, 2, 3, 2, 2}, {5, 3, 8, 4, 0}, {4, 3, 7, 3, 0},
    };
    const Positions& p = table[m_layout];
    const QByteArrayView* f = fields.field;
    if (fields.count <= p.name || f[p.name].startsWith('.'))
        return false;
    Record record;
    const QByteArrayView folderTest = f[p.folderTest];
    record.folder = folderTest == "<DIR>" || folderTest.startsWith('d');
    // Texts are kept in the order they stand in the line, each written over bytes already read.
    if (m_hasAttributes) {
        // Listings repeat a handful of permission texts; equal ones share one run.
        if (f[0] != bytes(m_lastAttr))
            m_lastAttr = keepText(f[0]);
        record.attr = m_lastAttr;
    }
    if (p.date < p.size)
        keepDate(record, fields, p);
    if (!record.folder)
        keepSize(record, f[p.size]);
    if (p.date > p.size)
        keepDate(record, fields, p);
    keepName(record, f[p.name].data(), lineEnd);
    m_entries.push_back(record);
    return true;
}

void cFTPList::keepSize(Record& record, QByteArrayView field)
{
    qsizetype digits = 0;
    while (digits < field.size() && field[digits] >= '0' && field[digits] <= '9')
        ++digits;
    // Not a plain number: shown as the server wrote it.
    if (digits == 0 || digits != field.size() || digits > 18) {
        record.sizeText = keepText(field);
        return;
    }
    qint64 size = 0;
    for (char c : field)
        size = size * 10 + (c - '0');
    record.size = size;
}

void cFTPList::keepDate(Record& record, const Fields& fields, const Positions& p)
{
    const QByteArrayView* first = fields.field + p.date;
    const FtpListDate::Stamp when = FtpListDate::parse(first, p.dateCount, m_currentYear);
    if (when.isValid()) {
        record.day = qint32(when.date.toJulianDay());
        record.second = when.time.msecsSinceStartOfDay() / 1000;
        return;
    }
    const QByteArrayView last = first[p.dateCount - 1];
    record.dateText = compactSpan(first->data(), last.data() + last.size());
}

namespace {

// Where " -> " starts, or -1; found by its rare ">" rather than by a general search.
qsizetype arrowIn(QByteArrayView text)
{
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    for (const char* p = begin + 2; p < end - 1; ++p) {
        p = static_cast<const char*>(std::memchr(p, '>', size_t(end - 1 - p)));
        if (!p)
            return -1;
        if (p[-2] == ' ' && p[-1] == '-' && p[1] == ' ')
            return p - 2 - begin;
    }
    return -1;
}

} // namespace

void cFTPList::keepName(Record& record, const char* from, const char* to)
{
    record.name = compactSpan(from, to);
    if (!m_hasAttributes)
        return;
    const QByteArrayView name = bytes(record.name);
    const qsizetype arrow = arrowIn(name);
    if (arrow < 0)
        return;
    QByteArrayView target = name.sliced(arrow + 4);
    const qsizetype further = arrowIn(target);
    if (further >= 0)
        target.truncate(further);
    record.link = {quint32(record.name.offset + arrow + 4), quint32(target.size())};
    record.name.length = quint32(arrow);
}

// The bytes from..to moved down to the write position, each run of blanks kept as one blank.
// The write position never passes the bytes still to be read, so the copy runs forward.
cFTPList::Text cFTPList::compactSpan(const char* from, const char* to)
{
    char* const base = m_text.data();
    const Text run{quint32(m_written), 0};
    char* out = base + m_written;
    while (from < to) {
        const char c = *from++;
        *out++ = c;
        if (c == ' ') {
            while (from < to && *from == ' ')
                ++from;
        }
    }
    m_written = out - base;
    return {run.offset, quint32(m_written - run.offset)};
}

cFTPList::Text cFTPList::keepText(QByteArrayView bytes)
{
    const Text run{quint32(m_written), quint32(bytes.size())};
    std::memmove(m_text.data() + m_written, bytes.data(), size_t(bytes.size()));
    m_written += bytes.size();
    return run;
}

// Texts set after parsing go at the end of the buffer.
cFTPList::Text cFTPList::appendText(const QString& value)
{
    const QByteArray bytes = value.toUtf8();
    if (m_text.size() + bytes.size() > kMaxText)
        return {};
    const Text run{quint32(m_text.size()), quint32(bytes.size())};
    m_text.append(bytes);
    return run;
}

QByteArrayView cFTPList::bytes(Text run) const
{
    return QByteArrayView(m_text.constData() + run.offset, run.length);
}

QString cFTPList::text(Text run) const
{
    return QString::fromUtf8(bytes(run));
}

const cFTPList::Record& cFTPList::entry(int index) const
{
    static const Record none;
    if (index < 0 || index >= m_fileNumb || size_t(index) >= m_entries.size())
        return none;
    return m_entries[size_t(index)];
}

cFTPList::Record* cFTPList::writable(int index)
{
    if (index < 0 || index >= m_fileNumb)
        return nullptr;
    if (size_t(index) >= m_entries.size())
        m_entries.resize(size_t(index) + 1);
    return &m_entries[size_t(index)];
}

TFILE cFTPList::Entry(int index) const
{
    return {FileName(index), FileSize(index), FileAttr(index), FileLink(index), FileDate(index), IsFolder(index)};
}

QString cFTPList::FileName(int index) const
{
    return text(entry(index).name);
}

QString cFTPList::FileLink(int index) const
{
    return text(entry(index).link);
}

QString cFTPList::FileAttr(int index) const
{
    return text(entry(index).attr);
}

QString cFTPList::FileDate(int index) const
{
    const Record& file = entry(index);
    if (file.day == 0)
        return text(file.dateText);
    return DateTexts::instance().text(QDate::fromJulianDay(file.day), QTime::fromMSecsSinceStartOfDay(file.second * 1000));
}

QString cFTPList::FileSize(int index) const
{
    const Record& file = entry(index);
    if (file.size < 0)
        return text(file.sizeText);
    const QString number = QString::number(file.size);
    QString grouped;
    grouped.reserve(number.size() + number.size() / 3 * m_groupSeparator.size());
    for (qsizetype i = 0; i < number.size(); ++i) {
        if (i > 0 && (number.size() - i) % 3 == 0)
            grouped += m_groupSeparator;
        grouped += number[i];
    }
    return grouped;
}

void cFTPList::SetFileNumb(int count)
{
    m_fileNumb = std::max(0, count);
}

void cFTPList::SetFileName(int index, const QString& value)
{
    if (Record* file = writable(index))
        file->name = appendText(value);
}

void cFTPList::SetFileDate(int index, const QString& value)
{
    if (Record* file = writable(index)) {
        file->day = 0;
        file->dateText = appendText(value);
    }
}

void cFTPList::SetFileSize(int index, const QString& value)
{
    if (Record* file = writable(index)) {
        file->size = -1;
        file->sizeText = appendText(value);
    }
}

void cFTPList::SetFileAttr(int index, const QString& value)
{
    if (Record* file = writable(index))
        file->attr = appendText(value);
}

void cFTPList::SetFileLink(int index, const QString& value)
{
    if (Record* file = writable(index))
        file->link = appendText(value);
}

void cFTPList::SetIsFolder(int index, bool value)
{
    if (Record* file = writable(index))
        file->folder = value;
}

QString cFTPList::Path(int index) const
{
    const Record& file = entry(index);
    if (file.folder && file.link.length > 0)
        return mFTPMain::NormalizePath(m_folder + text(file.link) + QLatin1Char('/'));
    if (file.folder)
        return m_folder + text(file.name) + QLatin1Char('/');
    return m_folder + text(file.name);
}
