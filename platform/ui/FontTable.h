#pragma once

#include <QFont>

#include <optional>

// Font handles: the program passes fonts between components as 32-bit numbers, as with GDI.
namespace platform {

quint32 CreateFontHandle(const QFont& font);
std::optional<QFont> FontOfHandle(quint32 handle);
bool DeleteFontHandle(quint32 handle);

} // namespace platform
