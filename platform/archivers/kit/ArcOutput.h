#pragma once

#include <QByteArray>

namespace arckit {

// The text a command prints, kept within the caller's buffer (room for the NUL included).
class ArcOutput {
public:
    ArcOutput(char* buffer, quint32 size);
    void print(const QByteArray& text);
    void line(const QByteArray& text) { print(text + '\n'); }
    void finish();

private:
    char* m_buffer;
    quint32 m_size;
    quint32 m_used = 0;
};

} // namespace arckit
