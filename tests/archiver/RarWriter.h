#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>

namespace duopane::test {

// Writes RAR 4 archives with stored members: no free tool creates RAR, so the tests make
// their own. Members may carry any name, folders and Unix links included.
class RarWriter {
public:
    struct Member {
        QByteArray name;
        QByteArray data;          // a link's target for links
        quint32 mode = 0100644;   // Unix mode: 040755 folder, 0120777 link
        QDateTime when = QDateTime(QDate(2004, 3, 7), QTime(14, 5, 6));
    };
    static QByteArray archive(const QList<Member>& members);
};

} // namespace duopane::test
