#include "mail/fConfig.h"

#include "ui_fConfig.h"

#include "common/mmEncrypt.h"
#include "common/ui/mmWindow.h"
#include "mail/engine/cMailSettings.h"
#include "mail/mBrivoMailMain.h"
#include "platform/prompt/Prompt.h"
#include "platform/ui/sound/SoundService.h"

namespace {

bool isNumber(const QString& text)
{
    bool ok = false;
    text.trimmed().toUInt(&ok);
    return ok;
}

// The whole number a text starts with, 0 when none.
qint32 leadingNumber(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype n = 0;
    while (n < t.size() && n < 9 && t[n].isDigit())
        ++n;
    return t.left(n).toInt();
}

QStringList entries(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

void fillKeywords(QListWidget* list, const QStringList& keywords)
{
    list->clear();
    for (const QString& k : keywords) {
        if (!k.isEmpty())
            list->addItem(k);
    }
    list->setCurrentRow(list->count() > 0 ? 0 : -1);
}

// After removing the entry at row: the entry now there, or the last one.
void removeEntry(QListWidget* list)
{
    const int row = list->currentRow();
    if (row < 0)
        return;
    delete list->takeItem(row);
    list->setCurrentRow(qMin(row, list->count() - 1));
}

} // namespace

fConfig::fConfig(cMailSettings& settings, Tab tab, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::fConfig>()), m_settings(settings)
{
    ui->setupUi(this);
    const QList<QLineEdit*> boxes = findChildren<QLineEdit*>();
    for (QLineEdit* box : boxes)
        box->clear();
    fillAccounts(1);
    ui->chkPop3ManualCheck->setChecked(settings.ManualChecking == 1);
    ui->txtPOP3DownLines->setText(QString::number(settings.DownLines));
    ui->txtPOP3CheckTime->setText(QString::number(settings.CheckTime));
    ui->txtPOP3WaitTime->setText(QString::number(settings.WaitTime));
    ui->txtPOP3SoundFile->setText(settings.SoundFile);
    ui->txtDefEmailClient->setText(settings.DefaultMailClient);
    fillKeywords(ui->lstSpamSender, settings.SpamSender);
    fillKeywords(ui->lstSpamSubject, settings.SpamSubject);
    ui->tabConfig->setCurrentIndex(tab);

    connect(ui->lstPop3Account, &QListWidget::currentRowChanged, this, &fConfig::showAccount);
    connect(ui->cmdPOP3_0, &QPushButton::clicked, this, &fConfig::onNewAccount);
    connect(ui->cmdPOP3_1, &QPushButton::clicked, this, &fConfig::onDeleteAccount);
    connect(ui->chkPop3ManualCheck, &QCheckBox::toggled, this, &fConfig::updateEnabled);
    connect(ui->lstSpamSender, &QListWidget::currentRowChanged, this, &fConfig::updateEnabled);
    connect(ui->lstSpamSubject, &QListWidget::currentRowChanged, this, &fConfig::updateEnabled);
    connect(ui->cmdPop3Sound_0, &QPushButton::clicked, this, [this] {
        browse(QStringLiteral("Select Wave File"), QStringLiteral("Wave Files (*.wav);;All Files (*)"), QStringLiteral("wav"),
               ui->txtPOP3SoundFile);
    });
    connect(ui->cmdPop3Sound_1, &QPushButton::clicked, this, [this] { platform::PlaySoundFile(ui->txtPOP3SoundFile->text()); });
    connect(ui->cmdDefEmailClient_2, &QPushButton::clicked, this, [this] {
        browse(QStringLiteral("Select Default Email Client"), QStringLiteral("Wave Files (*.exe);;All Files (*)"),
               QStringLiteral("exe"), ui->txtDefEmailClient);
    });
    connect(ui->cmdSpamSender_0, &QPushButton::clicked, this, [this] { askKeyword(ui->lstSpamSender, false, false); });
    connect(ui->cmdSpamSender_1, &QPushButton::clicked, this, [this] { removeEntry(ui->lstSpamSender); });
    connect(ui->cmdSpamSender_2, &QPushButton::clicked, this, [this] { askKeyword(ui->lstSpamSender, false, true); });
    connect(ui->cmdSpamSubject_0, &QPushButton::clicked, this, [this] { askKeyword(ui->lstSpamSubject, true, false); });
    connect(ui->cmdSpamSubject_1, &QPushButton::clicked, this, [this] { removeEntry(ui->lstSpamSubject); });
    connect(ui->cmdSpamSubject_2, &QPushButton::clicked, this, [this] { askKeyword(ui->lstSpamSubject, true, true); });
    connect(ui->cmdHelp, &QPushButton::clicked, this, &fConfig::onHelp);
    connect(ui->cmdOk, &QPushButton::clicked, this, &fConfig::onOk);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &fConfig::reject);
    updateEnabled();
    mBrivoMailMain::ApplyFont(this, settings.FontName);
    setFixedSize(sizeHint());
    mmWindow::CenterOnScreen(this);
}

fConfig::~fConfig() = default;

void fConfig::fillAccounts(int select)
{
    QSignalBlocker quiet(ui->lstPop3Account);
    ui->lstPop3Account->clear();
    for (int n = 1; n <= m_settings.AccountCount(); ++n)
        ui->lstPop3Account->addItem(m_settings.Account(n).Name);
    m_shownAccount = 0;
    ui->lstPop3Account->setCurrentRow(select >= 1 && select <= m_settings.AccountCount() ? select - 1 : -1);
    showAccount();
}

void fConfig::showAccount()
{
    const int selected = ui->lstPop3Account->currentRow() + 1;
    if (m_shownAccount != 0 && m_shownAccount != selected)
        storeShownAccount();
    m_shownAccount = selected;
    if (selected > 0) {
        const MailAccount a = m_settings.Account(selected);
        ui->txtPop3Account_0->setText(a.Name);
        ui->txtPop3Account_1->setText(a.Server);
        ui->txtPop3Account_2->setText(a.User);
        ui->txtPop3Account_3->setText(mmEncrypt::UnscramblePassword(a.Password));
        ui->txtPop3Account_4->setText(isNumber(a.Port) ? a.Port.trimmed() : QStringLiteral("110"));
        ui->chkSavePassword->setChecked(a.SavesPassword());
    } else {
        for (QLineEdit* box : {ui->txtPop3Account_0, ui->txtPop3Account_1, ui->txtPop3Account_2, ui->txtPop3Account_3,
                               ui->txtPop3Account_4})
            box->clear();
        ui->chkSavePassword->setChecked(false);
    }
    updateEnabled();
}

void fConfig::storeShownAccount()
{
    const int n = m_shownAccount;
    if (n < 1 || n > m_settings.AccountCount() || ui->txtPop3Account_0->text().trimmed().isEmpty())
        return;
    MailAccount a;
    a.Name = ui->txtPop3Account_0->text().trimmed();
    a.Server = ui->txtPop3Account_1->text().trimmed();
    a.User = ui->txtPop3Account_2->text().trimmed();
    a.Password = mmEncrypt::ScramblePassword(ui->txtPop3Account_3->text().trimmed());
    const QString port = ui->txtPop3Account_4->text().trimmed();
    a.Port = isNumber(port) ? port : QStringLiteral("110");
    a.SavePassword = ui->chkSavePassword->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    m_settings.SetAccount(n, a);
    if (QListWidgetItem* entry = ui->lstPop3Account->item(n - 1))
        entry->setText(a.Name);
}

void fConfig::updateEnabled()
{
    const bool account = ui->lstPop3Account->currentRow() >= 0;
    for (QWidget* w : std::initializer_list<QWidget*>{ui->txtPop3Account_0, ui->txtPop3Account_1, ui->txtPop3Account_2,
                                                      ui->txtPop3Account_3, ui->txtPop3Account_4, ui->chkSavePassword,
                                                      ui->cmdPOP3_1})
        w->setEnabled(account);
    ui->txtPOP3CheckTime->setEnabled(!ui->chkPop3ManualCheck->isChecked());
    const bool sender = ui->lstSpamSender->currentRow() >= 0;
    const bool subject = ui->lstSpamSubject->currentRow() >= 0;
    ui->cmdSpamSender_1->setEnabled(sender);
    ui->cmdSpamSender_2->setEnabled(sender);
    ui->cmdSpamSubject_1->setEnabled(subject);
    ui->cmdSpamSubject_2->setEnabled(subject);
}

void fConfig::onNewAccount()
{
    storeShownAccount();
    m_settings.Accounts.Add(MailAccount{QStringLiteral("New%1").arg(m_settings.AccountCount() + 1), {}, {}, {}, {}, {}}.Record());
    fillAccounts(m_settings.AccountCount());
}

void fConfig::onDeleteAccount()
{
    const int n = ui->lstPop3Account->currentRow() + 1;
    if (n < 1)
        return;
    m_settings.Accounts.Remove(n);
    fillAccounts(qMin(n, m_settings.AccountCount()));
}

void fConfig::browse(const QString& title, const QString& filter, const QString& extension, QLineEdit* box)
{
    platform::Question q;
    q.kind = platform::QuestionKind::OpenFile;
    q.title = title;
    q.details.insert(QStringLiteral("folder"), box->text());
    q.details.insert(QStringLiteral("filter"), filter);
    q.details.insert(QStringLiteral("defaultExtension"), extension);
    const platform::Answer answer = platform::ask(q);
    if (answer.choice == 1 && !answer.value.toString().isEmpty())
        box->setText(answer.value.toString());
}

void fConfig::askKeyword(QListWidget* list, bool subject, bool rename)
{
    if (rename && list->currentRow() < 0)
        return;
    const QString title = rename ? QStringLiteral("Rename Spam Mail") : QStringLiteral("New Spam Mail");
    const QString text = subject ? QStringLiteral("Type new spam mail subject keyword\r\nsuch as \"ILOVEYOU\" or \"MELISSA\":")
                                 : QStringLiteral("Type new spam mail address keyword\r\nsuch as winner@prize-notice.example or @bulk-offers.example:");
    const std::optional<QString> typed = platform::InputBox(text, title, rename ? list->currentItem()->text() : QString());
    if (!typed)
        return;
    QString keyword = *typed;
    if (keyword.startsWith('*'))
        keyword.remove(0, 1);
    if (keyword.endsWith('*'))
        keyword.chop(1);
    if (keyword.isEmpty())
        return;
    if (rename) {
        list->currentItem()->setText(keyword);
    } else {
        list->addItem(keyword);
        list->setCurrentRow(list->count() - 1);
    }
}

void fConfig::onHelp()
{
    mBrivoMailMain::Inform(QStringLiteral("1. All passwords are stored as encrypted text for the password protection.\r\n"
                                          "2. All POP3 email account details are stored in Registry.\r\n"));
}

void fConfig::onOk()
{
    storeShownAccount();
    m_settings.DownLines = leadingNumber(ui->txtPOP3DownLines->text());
    m_settings.CheckTime = leadingNumber(ui->txtPOP3CheckTime->text());
    m_settings.WaitTime = leadingNumber(ui->txtPOP3WaitTime->text());
    m_settings.SoundFile = ui->txtPOP3SoundFile->text();
    m_settings.DefaultMailClient = ui->txtDefEmailClient->text();
    m_settings.ManualChecking = ui->chkPop3ManualCheck->isChecked() ? 1 : 0;
    m_settings.SpamSender = entries(ui->lstSpamSender);
    m_settings.SpamSubject = entries(ui->lstSpamSubject);
    m_settings.Save();
    m_canceled = false;
    accept();
}

void fConfig::reject()
{
    m_canceled = true;
    m_settings.Load();
    QDialog::reject();
}

void fConfig::done(int result)
{
    for (QListWidget* list : {ui->lstPop3Account, ui->lstSpamSender, ui->lstSpamSubject}) {
        QSignalBlocker quiet(list);
        list->clear();
    }
    QDialog::done(result);
}
