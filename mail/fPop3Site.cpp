#include "mail/fPop3Site.h"

#include "ui_fPop3Site.h"

#include "common/ui/mmWindow.h"
#include "mail/mBrivoMailMain.h"

#include <QStyle>

fPop3Site::fPop3Site(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), ui(std::make_unique<Ui::fPop3Site>())
{
    ui->setupUi(this);
    ui->imgAccount->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(32, 32));
    for (QLineEdit* box : {ui->txtPop3Account_0, ui->txtPop3Account_1, ui->txtPop3Account_2}) {
        connect(box, &QLineEdit::textChanged, this, &fPop3Site::updateOk);
        connect(box, &QLineEdit::returnPressed, this, [this] {
            if (ui->cmdOk->isEnabled())
                onOk();
        });
    }
    connect(ui->cmdOk, &QPushButton::clicked, this, &fPop3Site::onOk);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &fPop3Site::reject);
    connect(ui->cmdHelp, &QPushButton::clicked, this, &fPop3Site::onHelp);
    updateOk();
    setFixedSize(sizeHint());
}

fPop3Site::~fPop3Site() = default;

void fPop3Site::setServer(const QString& server)
{
    m_server = server;
    ui->txtPop3Account_0->setText(server);
}

void fPop3Site::setUser(const QString& user)
{
    m_user = user;
    ui->txtPop3Account_1->setText(user);
}

void fPop3Site::setPassword(const QString& password)
{
    m_password = password;
    ui->txtPop3Account_2->setText(password);
}

void fPop3Site::setSavePassword(bool save)
{
    m_savePassword = save;
    ui->chkSavePassword->setChecked(save);
}

void fPop3Site::reject()
{
    m_canceled = true;
    QDialog::reject();
}

void fPop3Site::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    mmWindow::CenterOnScreen(this);
    m_canceled = false;
    ui->txtPop3Account_1->setFocus();
}

void fPop3Site::updateOk()
{
    ui->cmdOk->setEnabled(!ui->txtPop3Account_0->text().isEmpty() && !ui->txtPop3Account_1->text().isEmpty()
                          && !ui->txtPop3Account_2->text().isEmpty());
}

void fPop3Site::onOk()
{
    m_server = ui->txtPop3Account_0->text();
    m_user = ui->txtPop3Account_1->text();
    m_password = ui->txtPop3Account_2->text();
    m_savePassword = ui->chkSavePassword->isChecked();
    m_canceled = false;
    accept();
}

void fPop3Site::onHelp()
{
    mBrivoMailMain::Inform(
        QStringLiteral("If all of them are correct but do not work, TRY IT LATER since POP3 server is so busy.\r\n"));
}
