#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

// A real POP3 server for one test: Dovecot in the foreground with its own configuration,
// a passwd-file of users and a Maildir per user, all below a folder of the test.
class DovecotServer {
public:
    explicit DovecotServer(const QString& folder);
    ~DovecotServer();

    void addUser(const QString& user, const QString& password);
    // Puts a message into the user's new mail; messages are numbered in the order added.
    void addMessage(const QString& user, const QByteArray& message);
    // Number of messages left in the user's Maildir.
    int messageCount(const QString& user) const;

    // Starts the server and waits until it answers; false (with the log in error()) otherwise.
    bool start();
    quint16 port() const { return m_port; }
    QString error() const { return m_error; }

private:
    QString maildir(const QString& user) const;
    void writeConfig();

    QString m_folder;
    QProcess m_process;
    quint16 m_port = 0;
    int m_added = 0;
    QString m_error;
    uint m_mailUid = 0;
    uint m_mailGid = 0;
};
