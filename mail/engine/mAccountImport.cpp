#include "mail/engine/mAccountImport.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSettings>

namespace mAccountImport {
namespace {

// user_pref("name", value); with string values unescaped.
QHash<QString, QString> prefValues(const QString& prefs)
{
    static const QRegularExpression line(QStringLiteral(R"re(user_pref\(\s*"([^"]+)"\s*,\s*("(?:[^"\\]|\\.)*"|[^)\s]+)\s*\)\s*;)re"));
    QHash<QString, QString> values;
    for (auto it = line.globalMatch(prefs); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString value = m.captured(2);
        if (value.startsWith('"')) {
            value = value.mid(1, value.size() - 2);
            value.replace(QStringLiteral("\\\""), QStringLiteral("\"")).replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        }
        values.insert(m.captured(1), value);
    }
    return values;
}

// The profile folders profiles.ini lists, relative ones below the Thunderbird folder.
QStringList profileFolders(const QString& base)
{
    QSettings ini(base + QStringLiteral("/profiles.ini"), QSettings::IniFormat);
    QStringList folders;
    for (const QString& group : ini.childGroups()) {
        if (!group.startsWith(QLatin1String("Profile")))
            continue;
        const QString path = ini.value(group + QStringLiteral("/Path")).toString();
        const bool relative = ini.value(group + QStringLiteral("/IsRelative"), 1).toInt() == 1;
        if (!path.isEmpty())
            folders << (relative ? base + '/' + path : path);
    }
    return folders;
}

} // namespace

QList<MailAccount> AccountsOfPrefs(const QString& prefs)
{
    const QHash<QString, QString> v = prefValues(prefs);
    QList<MailAccount> accounts;
    const QStringList ids = v.value(QStringLiteral("mail.accountmanager.accounts")).split(',', Qt::SkipEmptyParts);
    for (const QString& id : ids) {
        const QString server = v.value(QStringLiteral("mail.account.%1.server").arg(id.trimmed()));
        const QString prefix = QStringLiteral("mail.server.%1.").arg(server);
        if (server.isEmpty() || v.value(prefix + QStringLiteral("type")) != QLatin1String("pop3"))
            continue;
        MailAccount a;
        a.Name = v.value(prefix + QStringLiteral("name")).trimmed();
        if (a.Name.isEmpty())
            break;
        a.Server = v.value(prefix + QStringLiteral("hostname"));
        a.User = v.value(prefix + QStringLiteral("userName"));
        a.Port = v.value(prefix + QStringLiteral("port"), QStringLiteral("110"));
        accounts << a;
    }
    return accounts;
}

QList<MailAccount> ExistingAccounts()
{
    QList<MailAccount> accounts;
    for (const QString& folder : profileFolders(QDir::homePath() + QStringLiteral("/.thunderbird"))) {
        QFile prefs(folder + QStringLiteral("/prefs.js"));
        if (prefs.open(QIODevice::ReadOnly))
            accounts << AccountsOfPrefs(QString::fromUtf8(prefs.read(4 << 20)));
    }
    return accounts;
}

} // namespace mAccountImport
