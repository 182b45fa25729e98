#include "foldertree/cColShell.h"

namespace {

// Whether the folder named by inner lies in (or is) the one named by outer; whole names only, so
// "Docs" does not cover "Docs2".
bool covers(const QString& outer, const QString& inner)
{
    return (inner + QLatin1Char('\\')).startsWith(outer + QLatin1Char('\\'), Qt::CaseInsensitive);
}

} // namespace

void cColShell::add(QString hier)
{
    if (hier.endsWith(QLatin1Char('\\')))
        hier.chop(1);
    for (qsizetype i = m_items.size() - 1; i >= 0; --i) {
        if (covers(hier, m_items[i]))
            m_items.removeAt(i);    // the new refresh covers it
        else if (covers(m_items[i], hier))
            return;                 // already covered
    }
    m_items.append(hier);
}
