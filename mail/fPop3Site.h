#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class fPop3Site;
}

// "POP3 Server Connection": asks for the server, user name and password of one account when
// the stored ones are missing or failed.
class fPop3Site : public QDialog {
    Q_OBJECT
public:
    explicit fPop3Site(QWidget* parent = nullptr);
    ~fPop3Site() override;

    QString Server() const { return m_server; }
    void setServer(const QString& server);
    QString User() const { return m_user; }
    void setUser(const QString& user);
    QString Password() const { return m_password; }
    void setPassword(const QString& password);
    bool SavePassword() const { return m_savePassword; }
    void setSavePassword(bool save);
    bool Canceled() const { return m_canceled; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateOk();
    void onOk();
    void onHelp();

    std::unique_ptr<Ui::fPop3Site> ui;
    QString m_server;
    QString m_user;
    QString m_password;
    bool m_savePassword = false;
    bool m_canceled = false;
};
