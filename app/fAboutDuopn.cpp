#include "app/fAboutDuopn.h"

#include "app/AppSettings.h"
#include "app/mSettings.h"

#include "ui_fAboutDuopn.h"

#include <QApplication>
#include <QScreen>

fAboutDuopn::fAboutDuopn(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , ui(std::make_unique<Ui::fAboutDuopn>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("fAboutDuopn"));
    ui->picIcon->setPixmap(QPixmap(QStringLiteral(":/duopane/duopane.png")));
    ui->lblVersion->setText(mSettings::CurrentVersionText());
    ui->txtInfo->setText(QStringLiteral(
        "Duopane provides advanced features such as \n\n  *  Dual-panel type file manager/Web browser\n"
        "  *  Directory comparator\n  *  Compressor/decompressor\n  *  Dial-up Networking (DUN) interface\n"
        "  *  POP3 mail/SPAM mail monitor\n  *  Selected file sender by MAPI mail\n  *  FTP client\n"));
    ui->lblHome->setText(QString::fromLatin1(HomePage));
    ui->lblHome->setProperty("tag", QString::fromLatin1(HomePage));
    if (!AppSettings().FontName.isEmpty()) {
        QFont f = font();
        f.setFamily(AppSettings().FontName);
        setFont(f);
    }
    connect(ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    adjustSize();
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

fAboutDuopn::~fAboutDuopn() = default;

void fAboutDuopn::ShowAsSplash()
{
    ui->cmdOK->setEnabled(false);
    ui->lblHome->setText(QStringLiteral("Duopane requires IE 4.0 or higher !!!"));
    ui->lblHome->setEnabled(false);
    ui->lblMailTo->setEnabled(false);
    show();
    repaint();
}
