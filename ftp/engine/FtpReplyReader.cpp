#include "ftp/engine/FtpReplyReader.h"

void FtpReplyReader::feed(const QByteArray& bytes, const Handler& handler)
{
    m_input += bytes;
    if (m_busy)
        return;
    m_busy = true;
    while (!m_input.isEmpty()) {
        const QByteArray input = std::move(m_input);
        m_input.clear();
        qsizetype start = 0;
        while (start < input.size())
            take(input, start, handler);
    }
    m_busy = false;
}

void FtpReplyReader::take(const QByteArray& input, qsizetype& start, const Handler& handler)
{
    const qsizetype feedAt = input.indexOf('\n', start);
    const qsizetype end = feedAt < 0 ? input.size() : feedAt + 1;
    const qsizetype take = std::min(kMaxLine - m_line.size(), end - start);
    if (take > 0)
        m_line.append(input.constData() + start, take);
    if (take < end - start)
        m_overlong = true;
    start = end;
    if (feedAt < 0)
        return;
    if (m_overlong && !m_line.endsWith('\n'))
        m_line.append('\n');
    const QByteArray line = std::move(m_line);
    m_line.clear();
    m_overlong = false;
    handler(line);
    // Bytes the handler's events brought in come after what is left of this input.
    if (!m_input.isEmpty() && start < input.size()) {
        m_input.prepend(input.mid(start));
        start = input.size();
    }
}

void FtpReplyReader::clear()
{
    m_input.clear();
    m_line.clear();
    m_overlong = false;
}
