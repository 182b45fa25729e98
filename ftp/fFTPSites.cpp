#include "ftp/fFTPSites.h"

#include "common/mmEncrypt.h"
#include "ftp/FtpAccountFields.h"
#include "ftp/engine/FtpSettings.h"
#include "ftp/mRwTreeView.h"
#include "platform/prompt/Prompt.h"
#include "platform/prompt/SystemMessageBox.h"
#include "ui_fFTPSites.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>

using namespace FtpAccountFields;
using mRwTreeView::ImageRole;
using mRwTreeView::KeyRole;
using mRwTreeView::SelectedImageRole;
using mRwTreeView::TagRole;

namespace {

const QString kSeparator = QStringLiteral("\r\n");
const QString kSeededPassword = QStringLiteral("@bgkktmf");

struct SeedSite {
    const char* name;
    const char* host;
    const char* folder;
};

// Public anonymous archives: hosting providers, then software makers and archives.
const SeedSite kWebServers[] = {
    {"OVHcloud", "ftp.ovh.net", ""},         {"Hetzner", "ftp.hetzner.de", ""},
    {"Leaseweb Mirror", "mirror.leaseweb.com", ""}, {"Online.net", "ftp.online.net", ""},
    {"Free.fr", "ftp.free.fr", ""},          {"Belnet", "ftp.belnet.be", ""},
    {"SURFnet", "ftp.surfnet.nl", ""},       {"Funet", "ftp.funet.fi", ""},
    {"Heanet", "ftp.heanet.ie", ""},         {"Hosteurope", "ftp.hosteurope.de", ""},
    {"Nluug", "ftp.nluug.nl", ""},
};
const SeedSite kMis[] = {
    {"GNU Project", "ftp.gnu.org", "/pub/gnu"}, {"Kernel Archives", "ftp.kernel.org", ""},
    {"Debian", "ftp.debian.org", ""},           {"FreeBSD", "ftp.freebsd.org", ""},
    {"OpenBSD", "ftp.openbsd.org", ""},         {"NetBSD", "ftp.netbsd.org", ""},
    {"Mozilla", "ftp.mozilla.org", ""},         {"CPAN", "ftp.cpan.org", ""},
    {"CTAN", "ftp.ctan.org", ""},               {"Python", "ftp.python.org", ""},
    {"X.Org", "ftp.x.org", ""},                 {"ISC", "ftp.isc.org", ""},
    {"Hewlett-Packard", "ftp.hp.com", ""},      {"Intel", "ftp.intel.com", ""},
    {"Novell", "ftp.novell.com", ""},           {"Adobe", "ftp.adobe.com", ""},
    {"IBM Software", "ftp.software.ibm.com", ""}, {"Cisco", "ftp.cisco.com", ""},
};

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

fFTPSites::fFTPSites(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::fFTPSites>())
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint & ~Qt::WindowContextHelpButtonHint);
    m_loading = true;
    const FtpSettings& settings = ftpSettings();
    if (!settings.FontName.isEmpty())
        setFont(QFont(settings.FontName));
    ui->txtFTPPort->setText(QString::number(settings.RemotePort));
    ui->txtFTPWaitTime->setText(QString::number(settings.WaitTime));
    if (QFileInfo::exists(SiteFilePath())) {
        mRwTreeView::ReadTreeFile(SiteFilePath(), TV1());
        for (QTreeWidgetItemIterator it(TV1()); *it; ++it)
            decorate(*it);
    } else {
        SeedDefaultSites();
    }
    connect(TV1(), &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { ClickNode(node); });
    connect(TV1(), &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* node) { LoadSiteFields(node); });
    connect(TV1(), &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) { decorate(node); });
    connect(TV1(), &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* node) { decorate(node); });
    TV1()->viewport()->installEventFilter(this);
    connect(ui->chkAnonymous, &QCheckBox::toggled, this, [this](bool on) {
        ApplyAnonymous(on, ui->txtFTPUser, ui->txtFTPPassword);
        ValidateFields();
    });
    connect(ui->txtFTPUser, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_loading)
            return;
        const QSignalBlocker quiet(ui->chkAnonymous);
        ui->chkAnonymous->setChecked(IsAnonymousUser(text));
    });
    for (QLineEdit* field : {ui->txtFTPName, ui->txtFTPServer, ui->txtFTPUser, ui->txtFTPPassword, ui->txtFTPPort, ui->txtFTPWaitTime})
        connect(field, &QLineEdit::textChanged, this, &fFTPSites::ValidateFields);
    connect(ui->cmdSession_0, &QPushButton::clicked, this, [this] { cmdSession_Click(0); });
    connect(ui->cmdSession_1, &QPushButton::clicked, this, [this] { cmdSession_Click(1); });
    connect(ui->cmdSession_2, &QPushButton::clicked, this, [this] { cmdSession_Click(2); });
    connect(ui->cmdSave, &QPushButton::clicked, this, &fFTPSites::cmdSave_Click);
    connect(ui->cmdConnect, &QPushButton::clicked, this, &fFTPSites::cmdConnect_Click);
    connect(ui->cmdHelp, &QPushButton::clicked, this, [] {
        platform::SystemMessageBox(QStringLiteral("1. Passwords are stored as encrypted text for the password protection.\r\n"
                                                  "2. All FTP site details are stored in FTPSite.dat of the system folder.\r\n"),
                                   QStringLiteral("Duopane"), platform::MB_ICONINFORMATION);
    });
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    if (QTreeWidgetItem* first = root()) {
        TV1()->setCurrentItem(first);
        ClickNode(first);
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_loading = false;
}

fFTPSites::~fFTPSites() = default;

QString fFTPSites::SiteFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/duopane/FTPSite.dat");
}

QTreeWidget* fFTPSites::TV1() const
{
    return ui->TV1;
}

QTreeWidgetItem* fFTPSites::root() const
{
    return ui->TV1->topLevelItemCount() > 0 ? ui->TV1->topLevelItem(0) : nullptr;
}

bool fFTPSites::isSite(const QTreeWidgetItem* node) const
{
    return node && node->data(0, ImageRole).toInt() == Site;
}

void fFTPSites::SetConnectVisible(bool visible)
{
    ui->cmdConnect->setVisible(visible);
}

void fFTPSites::decorate(QTreeWidgetItem* node) const
{
    static const QFileIconProvider icons;
    const int image = node->data(0, ImageRole).toInt();
    const int selected = node->data(0, SelectedImageRole).toInt();
    if (image == Site)
        node->setIcon(0, icons.icon(QFileIconProvider::Computer));
    else if (node->isExpanded() && selected == FolderOpen)
        node->setIcon(0, style()->standardIcon(QStyle::SP_DirOpenIcon));
    else
        node->setIcon(0, icons.icon(QFileIconProvider::Folder));
}

void fFTPSites::SeedDefaultSites()
{
    TV1()->clear();
    auto* top = new QTreeWidgetItem(TV1(), {QStringLiteral("FTP sites")});
    top->setData(0, KeyRole, top->text(0));
    top->setData(0, ImageRole, int(FolderClosed));
    decorate(top);
    AddFolder(top, QStringLiteral("Personal"));
    QTreeWidgetItem* web = AddFolder(top, QStringLiteral("Web Server"));
    QTreeWidgetItem* mis = AddFolder(top, QStringLiteral("MIS"));
    for (const SeedSite& site : kWebServers)
        AddSite(web, site.name, site.host, kAnonymousUser, kSeededPassword, site.folder, 1, 0, 0, 21, 30);
    for (const SeedSite& site : kMis)
        AddSite(mis, site.name, site.host, kAnonymousUser, kSeededPassword, site.folder, 1, 0, 0, 21, 30);
    top->setExpanded(true);
}

QString fFTPSites::uniqueName(const QString& suffix) const
{
    for (int n = mRwTreeView::CountNodes(ui->TV1) + 1;; ++n) {
        const QString name = QString::number(n) + suffix;
        if (!mRwTreeView::FindKey(ui->TV1, name))
            return name;
    }
}

QTreeWidgetItem* fFTPSites::AddFolder(QTreeWidgetItem* parent, QString name)
{
    if (name.isEmpty())
        name = uniqueName(QStringLiteral("_New Folder"));
    if (!parent || mRwTreeView::FindKey(ui->TV1, name))
        return nullptr;
    auto* node = new QTreeWidgetItem(parent, {name});
    node->setData(0, KeyRole, name);
    node->setData(0, ImageRole, int(FolderClosed));
    node->setData(0, SelectedImageRole, int(FolderOpen));
    node->setData(0, TagRole, QString());
    decorate(node);
    parent->sortChildren(0, Qt::AscendingOrder);
    return node;
}

QTreeWidgetItem* fFTPSites::AddSite(QTreeWidgetItem* parent, QString name, const QString& host, const QString& user,
                                    const QString& password, const QString& folder, int anonymous, int savePassword,
                                    int passive, int port, int waitTime)
{
    if (name.isEmpty())
        name = uniqueName(QStringLiteral("_New Site"));
    if (!parent || mRwTreeView::FindKey(ui->TV1, name))
        return nullptr;
    if (!IsAnonymousUser(user))
        anonymous = 0;
    {
        const QSignalBlocker quietAnonymous(ui->chkAnonymous);
        ui->chkAnonymous->setChecked(anonymous);
        ui->chkSavePassword->setChecked(savePassword);
        ui->chkFTPPassive->setChecked(passive);
    }
    auto* node = new QTreeWidgetItem(parent, {name});
    node->setData(0, KeyRole, name);
    node->setData(0, ImageRole, int(Site));
    node->setData(0, SelectedImageRole, 0);
    const QStringList record = {host, user, mmEncrypt::ScramblePassword(password), folder, flag(anonymous),
                                flag(savePassword), flag(passive), QString::number(port), QString::number(waitTime)};
    node->setData(0, TagRole, record.join(kSeparator));
    decorate(node);
    parent->sortChildren(0, Qt::AscendingOrder);
    return node;
}

void fFTPSites::setSiteFieldsEnabled(bool enabled)
{
    for (QWidget* field : std::initializer_list<QWidget*>{ui->txtFTPServer, ui->txtFTPUser, ui->txtFTPPassword, ui->txtFTPDir,
                                                         ui->chkAnonymous, ui->chkSavePassword, ui->chkFTPPassive,
                                                         ui->txtFTPPort, ui->txtFTPWaitTime})
        field->setEnabled(enabled);
}

void fFTPSites::LoadSiteFields(QTreeWidgetItem* node)
{
    if (!node) {
        ui->txtFTPName->setEnabled(false);
        setSiteFieldsEnabled(false);
        return;
    }
    const bool wasLoading = m_loading;
    m_loading = true;
    ui->txtFTPName->setText(node->text(0));
    ui->txtFTPName->setEnabled(!root() || node->text(0) != root()->text(0));
    const bool site = isSite(node);
    if (site) {
        const QStringList record = node->data(0, TagRole).toString().split(kSeparator);
        const QSignalBlocker quietAnonymous(ui->chkAnonymous);
        ui->txtFTPServer->setText(record.value(0));
        ui->txtFTPUser->setText(record.value(1));
        ui->txtFTPDir->setText(record.value(3));
        ui->chkAnonymous->setChecked(record.value(4) == QLatin1String("1"));
        ui->chkSavePassword->setChecked(record.value(5) == QLatin1String("1"));
        ui->chkFTPPassive->setChecked(record.value(6) == QLatin1String("1"));
        ui->txtFTPPort->setText(record.value(7));
        ui->txtFTPWaitTime->setText(record.value(8));
        const bool anonymous = ui->chkAnonymous->isChecked();
        ui->txtFTPPassword->setText(anonymous && record.value(2).isEmpty() ? kAnonymousPassword
                                                                            : mmEncrypt::UnscramblePassword(record.value(2)));
        ui->txtFTPPassword->setEchoMode(anonymous ? QLineEdit::Normal : QLineEdit::Password);
    } else {
        for (QLineEdit* field : {ui->txtFTPServer, ui->txtFTPUser, ui->txtFTPPassword, ui->txtFTPDir, ui->txtFTPPort, ui->txtFTPWaitTime})
            field->clear();
        const QSignalBlocker quietAnonymous(ui->chkAnonymous);
        for (QCheckBox* box : {ui->chkAnonymous, ui->chkSavePassword, ui->chkFTPPassive})
            box->setChecked(false);
    }
    setSiteFieldsEnabled(site);
    m_loading = wasLoading;
    ValidateFields();
}

void fFTPSites::StoreSiteFields(QTreeWidgetItem* node)
{
    if (!node)
        return;
    const QString name = ui->txtFTPName->text();
    if (!name.isEmpty() && name != node->text(0))
        node->setText(0, name);
    if (!isSite(node))
        return;
    const QStringList record = {ui->txtFTPServer->text(), ui->txtFTPUser->text(), mmEncrypt::ScramblePassword(ui->txtFTPPassword->text()),
                                ui->txtFTPDir->text(), flag(ui->chkAnonymous->isChecked()), flag(ui->chkSavePassword->isChecked()),
                                flag(ui->chkFTPPassive->isChecked()), ui->txtFTPPort->text(), ui->txtFTPWaitTime->text()};
    const QString tag = record.join(kSeparator);
    if (tag.size() > 16)
        node->setData(0, TagRole, tag);
}

void fFTPSites::ClickNode(QTreeWidgetItem* node)
{
    LoadSiteFields(node);
    StoreSiteFields(node);
}

bool fFTPSites::eventFilter(QObject* watched, QEvent* event)
{
    // The edits belong to the node they were made for, before the press selects another one.
    if (watched == ui->TV1->viewport() && event->type() == QEvent::MouseButtonPress)
        StoreSiteFields(ui->TV1->currentItem());
    return QDialog::eventFilter(watched, event);
}

void fFTPSites::ValidateFields()
{
    const bool ok = IsHostShape(ui->txtFTPServer->text()) && !ui->txtFTPUser->text().isEmpty()
        && !ui->txtFTPPassword->text().isEmpty() && !ui->txtFTPName->text().isEmpty()
        && IsPositiveNumber(ui->txtFTPPort->text()) && IsPositiveNumber(ui->txtFTPWaitTime->text());
    ui->cmdConnect->setEnabled(ok);
}

void fFTPSites::cmdSession_Click(int index)
{
    QTreeWidgetItem* selected = ui->TV1->currentItem();
    if (!selected)
        return;
    if (index == 2) {
        if (selected == root())
            return;
        QTreeWidgetItem* parent = selected->parent();
        const int at = parent->indexOfChild(selected);
        QTreeWidgetItem* next = at + 1 < parent->childCount() ? parent->child(at + 1) : parent;
        ui->TV1->setCurrentItem(next);
        ClickNode(next);
        // The node goes with everything below it.
        delete selected;
        return;
    }
    StoreSiteFields(selected);
    QTreeWidgetItem* parent = isSite(selected) ? selected->parent() : selected;
    QTreeWidgetItem* made = index == 0
        ? AddFolder(parent, QString())
        : AddSite(parent, QString(), QString(), kAnonymousUser, kSeededPassword, QString(), 1, 0, 0, 21, 30);
    if (!made)
        return;
    parent->setExpanded(true);
    ui->TV1->setCurrentItem(made);
    ClickNode(made);
}

void fFTPSites::cmdSave_Click()
{
    StoreSiteFields(ui->TV1->currentItem());
    for (QTreeWidgetItemIterator it(ui->TV1); *it; ++it) {
        QStringList record = (*it)->data(0, TagRole).toString().split(kSeparator);
        if (record.size() > 5 && record[5] == QLatin1String("0")) {
            record[2].clear();
            (*it)->setData(0, TagRole, record.join(kSeparator));
        }
    }
    QDir().mkpath(QFileInfo(SiteFilePath()).path());
    mRwTreeView::WriteTreeFile(SiteFilePath(), ui->TV1, root());
}

void fFTPSites::cmdConnect_Click()
{
    StoreSettings({ui->txtFTPServer->text(), ui->txtFTPUser->text(), ui->txtFTPPassword->text(), ui->txtFTPDir->text(),
                   ui->txtFTPPort->text(), ui->txtFTPWaitTime->text(), ui->chkFTPPassive->isChecked()});
    accept();
}

bool fFTPSites::ShowModal()
{
    return FtpAccountFields::ShowModal(this);
}
