#include "mail/fListMail.h"

#include "ui_fListMail.h"

#include "common/ui/mmWindow.h"
#include "mail/cMailListModel.h"
#include "mail/engine/cMailSettings.h"
#include "mail/engine/cPop3Session.h"
#include "mail/engine/mSpamRule.h"
#include "mail/fCheckMail.h"
#include "mail/fConfig.h"
#include "mail/mBrivoMailMain.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QProcess>
#include <QSortFilterProxyModel>

fListMail::fListMail(cMailList& mailList, cMailSettings& settings, fCheckMail& checkWindow, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::fListMail>()), m_mailList(mailList), m_settings(settings),
      m_checkWindow(checkWindow)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_model = new cMailListModel(this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(cMailListModel::SortRole);
    m_sorted->setSortCaseSensitivity(Qt::CaseInsensitive);
    ui->LV1->setModel(m_sorted);
    ui->LV1->header()->setSectionsClickable(true);
    ui->LV1->header()->setSortIndicatorShown(true);
    const int widths[] = {150, 200, 110, 100};
    for (int c = 0; c < 4; ++c)
        ui->LV1->setColumnWidth(c, widths[c]);

    mnuMail = new QMenu(this);
    mnuMail->setObjectName(QStringLiteral("mnuMail"));
    mnuMail->addActions({ui->mnuMailSub_0, ui->mnuMailSub_1});
    mnuMail->addSeparator()->setObjectName(QStringLiteral("mnuMailSub_2"));
    mnuMail->addActions({ui->mnuMailSub_3, ui->mnuMailSub_4});
    mnuMail->addSeparator()->setObjectName(QStringLiteral("mnuMailSub_5"));
    mnuMail->addActions({ui->mnuMailSub_6, ui->mnuMailSub_7});
    addActions(mnuMail->actions());

    connect(ui->mnuMailSub_0, &QAction::triggered, this, [this] { markSelected([](cMessage& m) { m.Spam = true; }); });
    connect(ui->mnuMailSub_1, &QAction::triggered, this, [this] { markSelected([](cMessage& m) { m.Spam = false; }); });
    connect(ui->mnuMailSub_3, &QAction::triggered, this, [this] { markSelected([](cMessage& m) { m.Read = true; }); });
    connect(ui->mnuMailSub_4, &QAction::triggered, this, [this] { markSelected([](cMessage& m) { m.Read = false; }); });
    connect(ui->mnuMailSub_6, &QAction::triggered, ui->LV1, &QTreeView::selectAll);
    connect(ui->mnuMailSub_7, &QAction::triggered, this, [this] {
        const QModelIndex first = m_sorted->index(0, 0);
        const QModelIndex last = m_sorted->index(m_sorted->rowCount() - 1, cMailListModel::ColumnCount - 1);
        ui->LV1->selectionModel()->select(QItemSelection(first, last), QItemSelectionModel::Toggle);
    });
    connect(ui->LV1, &QTreeView::clicked, this, &fListMail::openMessage);
    connect(ui->LV1, &QTreeView::customContextMenuRequested, this, &fListMail::showMenu);
    connect(ui->LV1->header(), &QHeaderView::sectionClicked, this, &fListMail::onHeaderClicked);
    connect(ui->cmdMail_0, &QPushButton::clicked, this, &fListMail::onConfigSpam);
    connect(ui->cmdMail_1, &QPushButton::clicked, this, &fListMail::onDeleteSpam);
    connect(ui->cmdMail_2, &QPushButton::clicked, this, &fListMail::onOpenClient);
    connect(ui->cmdMail_3, &QPushButton::clicked, this, &QDialog::accept);

    ui->cmdMail_2->setEnabled(QFileInfo(m_settings.DefaultMailClient).isFile());
    ui->cmdMail_3->setFocus();
    mBrivoMailMain::ApplyFont(this, m_settings.FontName);
    Refresh();
    mmWindow::CenterOnScreen(this);
}

fListMail::~fListMail() = default;

void fListMail::Refresh()
{
    applySpamRule();
    fillList();
    updateCaption();
}

int fListMail::RowOf(const QString& key) const
{
    for (int row = 0; row < m_sorted->rowCount(); ++row) {
        if (m_sorted->index(row, 0).data(cMailListModel::KeyRole).toString() == key)
            return row;
    }
    return -1;
}

QString fListMail::PictureOf(int row) const
{
    const cMailList::Message m = m_model->MessageAt(m_sorted->mapToSource(m_sorted->index(row, 0)).row());
    return m ? cMailListModel::PictureKey(*m) : QString();
}

void fListMail::applySpamRule()
{
    for (const cMailList::Message& m : m_mailList.Items())
        m->Spam = mSpamRule::IsSpam(*m, m_settings.SpamSender, m_settings.SpamSubject);
}

void fListMail::fillList()
{
    m_model->Fill(m_mailList);
    m_sorted->sort(m_sortColumn, m_sortOrder);
    ui->LV1->header()->setSortIndicator(m_sortColumn, m_sortOrder);
    ui->txtBody->clear();
    m_current.reset();
    if (m_sorted->rowCount() > 0) {
        const QModelIndex first = m_sorted->index(0, 0);
        ui->LV1->setCurrentIndex(first);
        openMessage(first);
    }
}

void fListMail::updateCaption()
{
    const int spam = m_mailList.SpamCount();
    setWindowTitle(QStringLiteral("%1 mails (%2 new mails, %3 SPAM mails)")
                       .arg(m_mailList.Count())
                       .arg(m_mailList.UnreadCount())
                       .arg(spam)
                       .toUpper());
    ui->cmdMail_1->setEnabled(spam > 0);
}

void fListMail::openMessage(const QModelIndex& index)
{
    const cMailList::Message m = m_model->MessageAt(m_sorted->mapToSource(index).row());
    if (!m)
        return;
    m_current = m;
    QString body = m->MessageBody;
    if (m->Truncated)
        body += QStringLiteral("\r\n[Only the first %1 KB of this message were kept.]").arg(cPop3Session::KeptPerMessage / 1024);
    ui->txtBody->setPlainText(body);
    m->Read = true;
    m_model->MarksChanged(m_sorted->mapToSource(index).row());
    updateCaption();
}

void fListMail::showMenu(const QPoint& at)
{
    const QModelIndex index = ui->LV1->indexAt(at);
    if (!index.isValid())
        return;
    m_current = m_model->MessageAt(m_sorted->mapToSource(index).row());
    if (!ui->LV1->selectionModel()->isSelected(index)) {
        ui->LV1->clearSelection();
        ui->LV1->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    mnuMail->popup(ui->LV1->viewport()->mapToGlobal(at));
}

void fListMail::markSelected(void (*mark)(cMessage&))
{
    for (const QModelIndex& index : ui->LV1->selectionModel()->selectedRows()) {
        const int row = m_sorted->mapToSource(index).row();
        if (const cMailList::Message m = m_model->MessageAt(row)) {
            mark(*m);
            m_model->MarksChanged(row);
        }
    }
    updateCaption();
}

void fListMail::onConfigSpam()
{
    fConfig config(m_settings, fConfig::SpamTab, this);
    mBrivoMailMain::ShowModal(config);
    if (!config.Canceled())
        Refresh();
}

void fListMail::onDeleteSpam()
{
    for (const cMailList::Message& m : m_mailList.Items()) {
        if (m->Spam)
            m->Delete = true;
    }
    m_model->Clear();
    m_checkWindow.Initialize();
    mBrivoMailMain::ShowModal(m_checkWindow);
    Refresh();
}

void fListMail::onOpenClient()
{
    if (QFileInfo(m_settings.DefaultMailClient).isFile())
        QProcess::startDetached(m_settings.DefaultMailClient, {});
}

void fListMail::onHeaderClicked(int column)
{
    m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_sortColumn = column;
    ui->LV1->setUpdatesEnabled(false);
    m_sorted->sort(column, m_sortOrder);
    ui->LV1->header()->setSortIndicator(column, m_sortOrder);
    ui->LV1->setUpdatesEnabled(true);
}

void fListMail::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (isMinimized())
        return;
    constexpr int margin = 2;
    int buttonWidth = 0;
    const QList<QPushButton*> buttons{ui->cmdMail_0, ui->cmdMail_1, ui->cmdMail_2, ui->cmdMail_3};
    for (QPushButton* b : buttons)
        buttonWidth = qMax(buttonWidth, b->sizeHint().width());
    const int buttonHeight = ui->cmdMail_3->sizeHint().height();
    const int bodyTop = height() - margin - 4 * buttonHeight;
    const int listHeight = bodyTop - 2 * margin;
    const int bodyWidth = width() - 3 * margin - buttonWidth;
    if (listHeight < 10 || bodyWidth < 10)
        return;
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setGeometry(width() - margin - buttonWidth, bodyTop + i * buttonHeight, buttonWidth, buttonHeight);
    ui->txtBody->setGeometry(margin, bodyTop, bodyWidth, 4 * buttonHeight);
    ui->LV1->setGeometry(margin, margin, width() - 2 * margin, listHeight);
}

void fListMail::done(int result)
{
    for (const cMailList::Message& m : m_mailList.Items())
        m->Delete = false;
    m_model->Clear();
    QDialog::done(result);
}
