#pragma once

#include <QByteArray>
#include <QtEndian>

// Little-endian fields of archive headers. Callers check the bounds first.
namespace arckit {

inline quint16 u16(const QByteArray& d, qsizetype at)
{
    return qFromLittleEndian<quint16>(d.constData() + at);
}

inline quint32 u32(const QByteArray& d, qsizetype at)
{
    return qFromLittleEndian<quint32>(d.constData() + at);
}

inline void put16(QByteArray& out, quint16 v)
{
    out += char(v & 0xFF);
    out += char(v >> 8);
}

inline void put32(QByteArray& out, quint32 v)
{
    put16(out, quint16(v & 0xFFFF));
    put16(out, quint16(v >> 16));
}

} // namespace arckit
