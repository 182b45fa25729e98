#pragma once

#include <QString>
#include <QStringList>

// One POP3 account as the account list keeps it: six fields joined by CR LF. The password is
// stored scrambled and may be empty.
struct MailAccount {
    QString Name;
    QString Server;
    QString User;
    QString Password;
    QString Port;
    QString SavePassword = QStringLiteral("0");

    static MailAccount FromRecord(const QString& record)
    {
        const QStringList f = record.split(QStringLiteral("\r\n"));
        return {f.value(0), f.value(1), f.value(2), f.value(3), f.value(4), f.value(5, QStringLiteral("0"))};
    }

    QString Record() const
    {
        return QStringList{Name, Server, User, Password, Port, SavePassword}.join(QStringLiteral("\r\n"));
    }

    // 110 when the stored port is 0 or not a number.
    quint16 PortNumber() const
    {
        bool ok = false;
        const uint port = Port.trimmed().toUInt(&ok);
        return ok && port > 0 && port <= 65535 ? quint16(port) : quint16(110);
    }

    bool SavesPassword() const { return SavePassword == QLatin1String("1"); }
};
