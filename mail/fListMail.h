#pragma once

#include "mail/engine/cMailList.h"

#include <QDialog>

#include <memory>

class QAction;
class QMenu;
class QSortFilterProxyModel;
class cMailListModel;
class cMailSettings;
class fCheckMail;

namespace Ui {
class fListMail;
}

// "New Messages": every message of the mail list with its sender, subject, date, server and
// recipients; the fetched text of the chosen one; spam, read and new marks; deleting spam on
// the servers and starting the mail program.
class fListMail : public QDialog {
    Q_OBJECT
public:
    fListMail(cMailList& mailList, cMailSettings& settings, fCheckMail& checkWindow, QWidget* parent = nullptr);
    ~fListMail() override;

    // The rule over every message, then the list filled anew.
    void Refresh();
    // The row of a message as the list shows it now, -1 when it is not shown.
    int RowOf(const QString& key) const;
    QString PictureOf(int row) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;

private:
    void applySpamRule();
    void fillList();
    void updateCaption();
    void openMessage(const QModelIndex& index);
    void showMenu(const QPoint& at);
    void markSelected(void (*mark)(cMessage&));
    void onConfigSpam();
    void onDeleteSpam();
    void onOpenClient();
    void onHeaderClicked(int column);

    std::unique_ptr<Ui::fListMail> ui;
    cMailList& m_mailList;
    cMailSettings& m_settings;
    fCheckMail& m_checkWindow;
    cMailListModel* m_model = nullptr;
    QSortFilterProxyModel* m_sorted = nullptr;
    QMenu* mnuMail = nullptr;
    cMailList::Message m_current;
    int m_sortColumn = 2;
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
};
