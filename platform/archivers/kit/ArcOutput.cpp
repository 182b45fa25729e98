#include "platform/archivers/kit/ArcOutput.h"

#include <algorithm>
#include <cstring>

namespace arckit {

ArcOutput::ArcOutput(char* buffer, quint32 size)
    : m_buffer(buffer)
    , m_size(buffer ? size : 0)
{
    if (m_size > 0)
        m_buffer[0] = '\0';
}

void ArcOutput::print(const QByteArray& text)
{
    if (m_size == 0)
        return;
    // A full buffer stays full: the caller tells "more" from an output that fills it.
    const quint32 room = m_size - m_used;
    const quint32 n = std::min<quint32>(room, quint32(text.size()));
    std::memcpy(m_buffer + m_used, text.constData(), n);
    m_used += n;
    if (m_used < m_size)
        m_buffer[m_used] = '\0';
}

void ArcOutput::finish()
{
    if (m_used < m_size)
        m_buffer[m_used] = '\0';
}

} // namespace arckit
