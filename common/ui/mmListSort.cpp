#include "common/ui/mmListSort.h"

#include "common/ui/KeyedListModel.h"
#include "common/ui/KeyedListView.h"
#include "platform/core/DoEvents.h"

#include <QCollator>
#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <variant>

namespace mmListSort {
namespace {

// Comparisons between two chances for pending events to run; a long sort keeps the window alive.
constexpr int EventsEvery = 2048;

QStringList dateTimeFormats(const QLocale& locale)
{
    const QString date = locale.dateFormat(QLocale::ShortFormat);
    const QString time = locale.timeFormat(QLocale::ShortFormat);
    const QString longTime = locale.timeFormat(QLocale::LongFormat);
    return {locale.dateTimeFormat(QLocale::ShortFormat), date + QLatin1Char(' ') + time,
            date + QLatin1Char(' ') + longTime, locale.dateTimeFormat(QLocale::LongFormat), date,
            locale.dateFormat(QLocale::LongFormat)};
}

// Two-digit years read as the shell's calendar window does: 00-29 are 2000-2029.
QDateTime windowedYear(QDateTime value, const QString& format)
{
    if (format.contains(QLatin1String("yy")) && !format.contains(QLatin1String("yyyy")) && value.date().year() < 1930)
        value = value.addYears(100);
    return value;
}

bool readDate(const QString& text, double* value)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    for (const QLocale& locale : {QLocale::system(), QLocale::c()}) {
        for (const QString& format : dateTimeFormats(locale)) {
            QDateTime parsed = locale.toDateTime(trimmed, format);
            if (parsed.isValid()) {
                *value = double(windowedYear(parsed, format).toMSecsSinceEpoch());
                return true;
            }
        }
    }
    const QDateTime iso = QDateTime::fromString(trimmed, Qt::ISODate);
    if (iso.isValid())
        *value = double(iso.toMSecsSinceEpoch());
    return iso.isValid();
}

bool readNumber(const QString& text, double* value)
{
    QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1Char('$')))
        trimmed = trimmed.mid(1).trimmed();
    bool ok = false;
    *value = QLocale::system().toDouble(trimmed, &ok);
    if (!ok)
        *value = QLocale::c().toDouble(trimmed, &ok);
    return ok;
}

using SortValue = std::variant<double, QCollatorSortKey>;

bool readAll(const KeyedListModel& items, int column, int kind, QList<SortValue>& values, QString* error)
{
    QCollator collator(QLocale::system());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    values.reserve(items.Count());
    for (int row = 0; row < items.Count(); ++row) {
        const QString text = items.Text(row, column);
        if (kind == SortText) {
            values.append(collator.sortKey(text.toCaseFolded()));
            continue;
        }
        double value = 0;
        if (!(kind == SortDate ? readDate(text, &value) : readNumber(text, &value))) {
            if (error)
                *error = QStringLiteral("Type mismatch: \"%1\" in row %2 is not a %3")
                             .arg(text)
                             .arg(row + 1)
                             .arg(kind == SortDate ? QStringLiteral("date") : QStringLiteral("number"));
            return false;
        }
        values.append(value);
    }
    return true;
}

int compareValues(const SortValue& a, const SortValue& b)
{
    if (const double* x = std::get_if<double>(&a)) {
        const double y = std::get<double>(b);
        return *x < y ? -1 : (*x > y ? 1 : 0);
    }
    return std::get<QCollatorSortKey>(a).compare(std::get<QCollatorSortKey>(b));
}

} // namespace

bool SortColumn(KeyedListView& list, int column, int kind, int order, QString* error)
{
    list.SetSortState(column, order);
    if (kind != SortDate && kind != SortNumber && kind != SortText)
        return true;
    KeyedListModel& items = list.ListItems();
    QList<SortValue> values;
    if (!readAll(items, column, kind, values, error))
        return false;
    QList<int> rows(items.Count());
    std::iota(rows.begin(), rows.end(), 0);
    const quint64 generation = items.Generation();
    const int sign = order == SortDescending ? -1 : 1;
    int untilEvents = EventsEvery;
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        if (--untilEvents == 0) {
            untilEvents = EventsEvery;
            platform::DoEvents();
        }
        return sign * compareValues(values[a], values[b]) < 0;
    });
    if (items.Generation() != generation) {
        if (error)
            *error = QStringLiteral("The list changed while it was being sorted");
        return false;
    }
    items.Reorder(rows);
    return true;
}

} // namespace mmListSort
