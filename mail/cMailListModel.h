#pragma once

#include "mail/engine/cMailList.h"

#include <QAbstractTableModel>
#include <QIcon>

// The rows of the mail list window: one per message, with the picture of its spam and read
// marks. Sorting by the date column sorts by the moment, not by the shown text.
class cMailListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColFrom, ColSubject, ColDate, ColServer, ColTo, ColCc, ColBcc, ColumnCount };
    static constexpr int SortRole = Qt::UserRole + 1;
    static constexpr int KeyRole = Qt::UserRole + 2;

    explicit cMailListModel(QObject* parent = nullptr);

    // Takes the messages of the list as they are now.
    void Fill(const cMailList& list);
    void Clear();
    cMailList::Message MessageAt(int row) const;
    // The picture names of the window's image list: "Mail", "MailRead", "Spam", "SpamRead".
    static QString PictureKey(const cMessage& message);
    // The marks of these rows changed; their pictures are drawn again.
    void MarksChanged(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<cMailList::Message> m_messages;
    QHash<QString, QIcon> m_pictures;
};
