#include "ftp/fFTPQuick.h"

#include "ftp/FtpAccountFields.h"
#include "ftp/engine/FtpSettings.h"
#include "platform/prompt/Prompt.h"
#include "ui_fFTPQuick.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>

using namespace FtpAccountFields;

fFTPQuick::fFTPQuick(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::fFTPQuick>())
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint & ~Qt::WindowContextHelpButtonHint);
    const FtpSettings& settings = ftpSettings();
    if (!settings.FontName.isEmpty())
        setFont(QFont(settings.FontName));
    txtFTPAccount(0)->setText(settings.Host);
    txtFTPAccount(1)->setText(settings.UserName);
    txtFTPAccount(2)->setText(settings.Password);
    txtFTPAccount(2)->setEchoMode(QLineEdit::Password);
    txtFTPAccount(3)->setText(settings.RemoteFolder);
    ui->txtFTPPort->setText(QString::number(settings.RemotePort));
    ui->txtFTPWaitTime->setText(QString::number(settings.WaitTime));
    ui->chkFTPPassive->setChecked(settings.PassiveMode);
    connect(ui->chkAnonymous, &QCheckBox::toggled, this, [this](bool on) {
        ApplyAnonymous(on, txtFTPAccount(1), txtFTPAccount(2));
        ValidateFields();
    });
    connect(txtFTPAccount(1), &QLineEdit::textEdited, this, [this](const QString& text) {
        const QSignalBlocker quiet(ui->chkAnonymous);
        ui->chkAnonymous->setChecked(IsAnonymousUser(text));
    });
    for (QLineEdit* field : {txtFTPAccount(0), txtFTPAccount(1), txtFTPAccount(2), txtFTPAccount(3), ui->txtFTPPort, ui->txtFTPWaitTime})
        connect(field, &QLineEdit::textChanged, this, &fFTPQuick::ValidateFields);
    for (int i = 0; i < 4; ++i) {
        connect(txtFTPAccount(i), &QLineEdit::returnPressed, this, [this] {
            if (ui->cmdConnect->isEnabled())
                cmdConnect_Click();
        });
    }
    connect(ui->cmdConnect, &QPushButton::clicked, this, &fFTPQuick::cmdConnect_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    if (settings.UserName.isEmpty())
        ui->chkAnonymous->setChecked(true);
    ValidateFields();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

fFTPQuick::~fFTPQuick() = default;

QLineEdit* fFTPQuick::txtFTPAccount(int index) const
{
    QLineEdit* fields[] = {ui->txtFTPAccount_0, ui->txtFTPAccount_1, ui->txtFTPAccount_2, ui->txtFTPAccount_3};
    return index >= 0 && index < 4 ? fields[index] : nullptr;
}

void fFTPQuick::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    txtFTPAccount(0)->setFocus();
}

void fFTPQuick::ValidateFields()
{
    // The quick dialog puts the usual values back into a field that holds no usable number.
    if (!IsPositiveNumber(ui->txtFTPPort->text()))
        ui->txtFTPPort->setText(QStringLiteral("21"));
    if (!IsPositiveNumber(ui->txtFTPWaitTime->text()))
        ui->txtFTPWaitTime->setText(QStringLiteral("30"));
    ui->cmdConnect->setEnabled(IsHostShape(txtFTPAccount(0)->text()) && !txtFTPAccount(1)->text().isEmpty()
                               && !txtFTPAccount(2)->text().isEmpty());
}

void fFTPQuick::cmdConnect_Click()
{
    StoreSettings({txtFTPAccount(0)->text(), txtFTPAccount(1)->text(), txtFTPAccount(2)->text(), txtFTPAccount(3)->text(),
                   ui->txtFTPPort->text(), ui->txtFTPWaitTime->text(), ui->chkFTPPassive->isChecked()});
    accept();
}

bool fFTPQuick::ShowModal()
{
    return FtpAccountFields::ShowModal(this);
}
