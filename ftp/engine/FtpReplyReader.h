#pragma once

#include <QByteArray>

#include <functional>

// Cuts control-connection bytes into lines ended by a line feed. A line longer than the limit
// keeps only its first bytes, so a server that never ends a line cannot fill the memory.
// Bytes fed while a handler runs (a question lets events run) wait their turn, so lines keep
// their order.
class FtpReplyReader {
public:
    static constexpr qsizetype kMaxLine = 8192;
    using Handler = std::function<void(const QByteArray&)>;

    // Each complete line, its line feed included, goes to the handler.
    void feed(const QByteArray& bytes, const Handler& handler);
    void clear();
    qsizetype pending() const { return m_line.size() + m_input.size(); }

private:
    void take(const QByteArray& bytes, qsizetype& start, const Handler& handler);

    QByteArray m_input;
    QByteArray m_line;
    bool m_overlong = false;
    bool m_busy = false;
};
