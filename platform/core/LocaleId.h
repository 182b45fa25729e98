#pragma once

#include <QLocale>

namespace platform {

// The locale a Windows locale identifier (LCID) names; 0 and identifiers we do not know give the
// system locale. Only the primary language matters for the case, width and kana conversions.
QLocale LocaleOfId(quint32 localeId);

} // namespace platform
