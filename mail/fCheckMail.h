#pragma once

#include "mail/engine/MailAccount.h"
#include "mail/engine/cMailList.h"
#include "mail/engine/cPop3Session.h"
#include "platform/net/WinsockControl.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QHash>
#include <QTimer>

#include <memory>

class QLabel;
class cMailSettings;

namespace Ui {
class fCheckMail;
}

// "POP3 Mail...": on its first showing deletes the messages marked for deletion on their
// servers, then fetches the top of every message of every account into the mail list, and
// closes itself. The dialogue itself is the session's; the window connects it to the socket,
// waits, asks for logins and lets the user skip an account or cancel.
class fCheckMail : public QDialog {
    Q_OBJECT
public:
    fCheckMail(cMailList& mailList, cMailSettings& settings, QWidget* parent = nullptr);
    ~fCheckMail() override;

    // The next showing runs both phases again.
    void Initialize() { m_started = false; }
    bool Cancelled() const { return m_cancelled; }
    bool HasNewMail() const { return m_mailList.UnreadCount() > 0; }

    platform::WinsockControl Winsock1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void run();
    void checkAccount(int account);
    void deleteMarkedMessages(int account);
    bool prepareAccount(int account, bool retry);
    bool askLogin(MailAccount& record);
    bool hasMarkedMessages(const QString& server) const;
    void connectAndWait(const QString& caption, const QString& progress);
    void waitLoop();
    void refreshStatus();
    void showText(QLabel* label, const QString& text);
    void flushTexts();
    void enableNext(int account);

    void onDataArrival();
    void onError(int number, const QString& description);
    void onCommandSent(const QString& masked);
    void onNext();
    void onCancel();

    std::unique_ptr<Ui::fCheckMail> ui;
    cMailList& m_mailList;
    cMailSettings& m_settings;
    cPop3Session m_session;
    QString m_server;
    QString m_user;
    QString m_password;
    quint16 m_port = 110;
    QElapsedTimer m_lastActivity;
    QList<cMailList::Message> m_deletions;
    bool m_started = false;
    bool m_cancelled = false;
    qint64 m_shownSeconds = -1;
    QHash<QLabel*, QString> m_pendingTexts;
    QTimer m_textTimer;
};
