#include "mail/engine/cPop3Session.h"

namespace {

// A reply line longer than this is kept only this long; servers answer in a few dozen bytes.
constexpr qsizetype maxReplyLine = 4096;

// The whole number a text starts with, 0 when none.
qint64 leadingNumber(const QByteArray& text)
{
    qint64 value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = qMin<qint64>(value * 10 + (c - '0'), 1LL << 40);
    }
    return value;
}

// A line sent as ".." + text stands for "." + text (RFC 1939 byte-stuffing).
QByteArray unstuffed(QByteArray text)
{
    text.replace("\r\n..", "\r\n.");
    if (text.startsWith(".."))
        text.remove(0, 1);
    return text;
}

} // namespace

cPop3Session::cPop3Session(cMailList& mailList, QObject* parent)
    : QObject(parent), m_mailList(mailList)
{
}

void cPop3Session::Begin(const QString& server, const QString& user, const QString& password, int linesToDownload,
                         const QList<cMailList::Message>& deletions)
{
    m_server = server;
    m_user = user;
    m_password = password;
    m_lines = linesToDownload;
    m_deletions = deletions;
    m_count = 0;
    m_current = 0;
    m_line.clear();
    m_lineCut = false;
    m_top.clear();
    m_tail.clear();
    m_topCut = false;
    m_state = Greeting;
}

void cPop3Session::OnData(const QByteArray& chunk)
{
    qsizetype done = 0;
    while (done < chunk.size() && m_state != Closed) {
        if (m_state == TopSent) {
            onTopData(chunk.sliced(done));
            return;
        }
        const qsizetype eol = chunk.indexOf('\n', done);
        const qsizetype end = eol < 0 ? chunk.size() : eol + 1;
        if (!m_lineCut) {
            m_line += chunk.sliced(done, qMin(end - done, maxReplyLine - m_line.size()));
            m_lineCut = m_line.size() >= maxReplyLine;
        }
        done = end;
        if (eol < 0)
            return;
        const QByteArray line = m_line.trimmed();
        m_line.clear();
        m_lineCut = false;
        onReply(line);
    }
}

void cPop3Session::Quit()
{
    m_state = QuitSent;
    send(QStringLiteral("QUIT"));
}

QString cPop3Session::Masked(const QString& command)
{
    if (!command.startsWith(QLatin1String("PASS ")))
        return command;
    return QStringLiteral("PASS ") + QString(command.size() - 5, '*');
}

void cPop3Session::send(const QString& command)
{
    m_lastCommand = command;
    emit commandSent(Masked(command));
    emit sendLine(command.toUtf8() + "\r\n");
}

void cPop3Session::onReply(const QByteArray& line)
{
    if (!line.startsWith('+')) {
        const State refusedIn = m_state;
        emit closeRequested();
        // A refused user name or password is asked again through the login window instead.
        if (refusedIn != UserSent && refusedIn != PassSent)
            emit pop3Error(QString::fromUtf8(line));
        return;
    }
    switch (m_state) {
    case Greeting:
        m_count = 0;
        m_current = 0;
        m_state = UserSent;
        send(QStringLiteral("USER ") + m_user);
        break;
    case UserSent:
        m_state = PassSent;
        send(QStringLiteral("PASS ") + m_password);
        break;
    case PassSent:
        m_state = StatSent;
        send(QStringLiteral("STAT"));
        break;
    case StatSent: onStat(line); break;
    case DeleSent: onDeleted(); break;
    case QuitSent: emit closeRequested(); break;
    case TopSent:
    case Closed: break;
    }
}

void cPop3Session::onStat(const QByteArray& line)
{
    const QByteArray count = line.mid(4).split(' ').value(0);
    if (!m_deletions.isEmpty()) {
        m_count = int(m_deletions.size());
        m_current = 1;
        m_state = DeleSent;
        emit progress(0, m_count);
        send(QStringLiteral("DELE %1").arg(m_deletions.first()->Index));
        return;
    }
    m_count = int(qMin<qint64>(leadingNumber(count), MaxMessages));
    if (m_count <= 0) {
        m_state = QuitSent;
        send(QStringLiteral("QUIT"));
        return;
    }
    m_current = 1;
    m_state = TopSent;
    emit progress(0, m_count);
    send(QStringLiteral("TOP 1 %1").arg(m_lines));
}

void cPop3Session::onDeleted()
{
    emit progress(m_current, m_count);
    if (m_current >= m_count) {
        m_state = QuitSent;
        send(QStringLiteral("QUIT"));
        return;
    }
    ++m_current;
    send(QStringLiteral("DELE %1").arg(m_deletions[m_current - 1]->Index));
}

void cPop3Session::onTopData(const QByteArray& chunk)
{
    // A refused TOP (the message went away meanwhile) skips that message.
    const QByteArray seen = m_tail + chunk;
    if (m_top.isEmpty() && m_tail.isEmpty() && chunk.startsWith('-')) {
        finishTop(true);
        return;
    }
    const qsizetype end = seen.indexOf("\n.\r\n");
    const qsizetype take = end < 0 ? chunk.size() : end + 4 - m_tail.size();
    const qsizetype room = KeptPerMessage - m_top.size();
    if (take > room)
        m_topCut = true;
    m_top += chunk.first(qMin(take, room));
    m_tail = seen.right(3);
    if (end >= 0)
        finishTop(false);
}

void cPop3Session::finishTop(bool refused)
{
    emit progress(m_current, m_count);
    if (!refused) {
        QByteArray text = m_top.mid(m_top.indexOf("\r\n") + 2);
        if (!m_topCut) {
            text.chop(3);
        } else {
            // Keep whole lines, and end the header block if the cut fell inside it.
            const qsizetype lastBreak = text.lastIndexOf("\r\n");
            text.truncate(lastBreak < 0 ? 0 : lastBreak + 2);
            if (!text.contains("\r\n\r\n"))
                text += "\r\n";
        }
        auto message = std::make_shared<cMessage>();
        message->Server = m_server;
        message->CreateFromText(unstuffed(text));
        message->Index = m_current;
        message->Truncated = m_topCut;
        if (const cMailList::Message known = m_mailList.Find(message->Key()))
            known->Index = m_current;
        else
            m_mailList.Add(message);
    }
    m_top.clear();
    m_tail.clear();
    m_topCut = false;
    nextTopOrQuit();
}

void cPop3Session::nextTopOrQuit()
{
    if (m_current >= m_count) {
        m_state = QuitSent;
        send(QStringLiteral("QUIT"));
        return;
    }
    ++m_current;
    send(QStringLiteral("TOP %1 %2").arg(m_current).arg(m_lines));
}
