#include "mail/engine/cCollect.h"

#include "common/mmFile.h"
#include "platform/prompt/SystemMessageBox.h"

namespace {

// Texts are stored trimmed and end at their first NUL, as the registry hands them over.
QVariant cleaned(const QVariant& value)
{
    if (value.typeId() != QMetaType::QString)
        return value;
    return mmFile::CutAtNul(value.toString()).trimmed();
}

bool isText(const QVariant& v)
{
    return v.typeId() == QMetaType::QString;
}

// Texts compare by their characters, anything else by its numeric value.
int compareValues(const QVariant& a, const QVariant& b)
{
    if (isText(a) || isText(b))
        return a.toString().compare(b.toString());
    const double x = a.toDouble();
    const double y = b.toDouble();
    return x < y ? -1 : (x > y ? 1 : 0);
}

} // namespace

void cCollect::Add(const QVariant& value)
{
    const QVariant v = cleaned(value);
    if (!m_sorted) {
        m_items.append(v);
        return;
    }
    const int at = lowerBound(v);
    if (at < Count() && compareValues(m_items[at], v) == 0)
        return;
    m_items.insert(at, v);
}

void cCollect::Remove(int n)
{
    if (n >= 1 && n <= Count())
        m_items.removeAt(n - 1);
}

void cCollect::Clear()
{
    m_items.clear();
}

QVariant cCollect::Item(int n) const
{
    if (n < 1 || n > Count())
        return {};
    return m_items[n - 1];
}

void cCollect::RepIace(int n, const QVariant& value)
{
    if (n >= 1 && n <= Count())
        m_items[n - 1] = value;
}

int cCollect::Index(const QVariant& value) const
{
    if (m_sorted) {
        const int at = lowerBound(value);
        return at < Count() && compareValues(m_items[at], value) == 0 ? at + 1 : 0;
    }
    for (int i = 0; i < Count(); ++i) {
        if (compareValues(m_items[i], value) == 0)
            return i + 1;
    }
    return 0;
}

void cCollect::SetSorted(bool sorted)
{
    if (!m_items.isEmpty()) {
        platform::SystemMessageBox(QStringLiteral("You can not change 'Sorted' property with non-empty data !!!"),
                                   {}, platform::MB_OK | platform::MB_ICONWARNING);
        return;
    }
    m_sorted = sorted;
}

int cCollect::lowerBound(const QVariant& value) const
{
    int low = 0;
    int high = Count();
    while (low < high) {
        const int mid = (low + high) / 2;
        if (compareValues(m_items[mid], value) < 0)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}
