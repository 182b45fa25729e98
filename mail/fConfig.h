#pragma once

#include <QDialog>

#include <memory>

class QLineEdit;
class QListWidget;
class cMailSettings;

namespace Ui {
class fConfig;
}

// "POP3 Mail Configurarion": the accounts, the check options and the spam keywords. OK saves
// the settings; Cancel reads them back from the registry, dropping every change made here.
class fConfig : public QDialog {
    Q_OBJECT
public:
    enum Tab { AccountsTab = 0, OptionsTab = 1, SpamTab = 2 };

    fConfig(cMailSettings& settings, Tab tab = AccountsTab, QWidget* parent = nullptr);
    ~fConfig() override;

    bool Canceled() const { return m_canceled; }

    void reject() override;
    void done(int result) override;

private:
    void fillAccounts(int select);
    void showAccount();
    void storeShownAccount();
    void updateEnabled();
    void onNewAccount();
    void onDeleteAccount();
    void browse(const QString& title, const QString& filter, const QString& extension, QLineEdit* box);
    void askKeyword(QListWidget* list, bool subject, bool rename);
    void onHelp();
    void onOk();

    std::unique_ptr<Ui::fConfig> ui;
    cMailSettings& m_settings;
    int m_shownAccount = 0; // 1-based number of the account in the boxes, 0 for none
    bool m_canceled = false;
};
