#pragma once

#include <QString>

#include <ostream>

// Readable failure messages for texts in the common library's tests.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toUtf8().toStdString() << '"';
}
