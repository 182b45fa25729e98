#include "mail/cMailListModel.h"

#include "mail/engine/cPop3Session.h"
#include "mail/mMailPictures.h"

namespace {

QString subjectText(const cMessage& m)
{
    if (!m.Truncated)
        return m.Subject;
    return m.Subject + QStringLiteral("[cut at %1 KB]").arg(cPop3Session::KeptPerMessage / 1024);
}

} // namespace

cMailListModel::cMailListModel(QObject* parent) : QAbstractTableModel(parent)
{
    for (const char* key : {"Mail", "MailRead", "Spam", "SpamRead"})
        m_pictures.insert(QString::fromLatin1(key), mMailPictures::Picture(QString::fromLatin1(key)));
}

void cMailListModel::Fill(const cMailList& list)
{
    beginResetModel();
    m_messages = list.Items();
    endResetModel();
}

void cMailListModel::Clear()
{
    beginResetModel();
    m_messages.clear();
    endResetModel();
}

cMailList::Message cMailListModel::MessageAt(int row) const
{
    return row >= 0 && row < m_messages.size() ? m_messages[row] : nullptr;
}

QString cMailListModel::PictureKey(const cMessage& message)
{
    return QString::fromLatin1(message.Spam ? "Spam" : "Mail") + QString::fromLatin1(message.Read ? "Read" : "");
}

void cMailListModel::MarksChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

int cMailListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_messages.size());
}

int cMailListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant cMailListModel::data(const QModelIndex& index, int role) const
{
    const cMailList::Message m = MessageAt(index.row());
    if (!m)
        return {};
    if (role == KeyRole)
        return m->Key();
    if (role == Qt::DecorationRole && index.column() == ColFrom)
        return m_pictures.value(PictureKey(*m));
    if (role == SortRole && index.column() == ColDate)
        return m->SentAt.isValid() ? QVariant(m->SentAt) : QVariant(QDateTime::fromSecsSinceEpoch(0));
    if (role != Qt::DisplayRole && role != SortRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case ColFrom: return m->From;
    case ColSubject: return subjectText(*m);
    case ColDate: return m->SendDate;
    case ColServer: return m->Server;
    case ColTo: return m->MessageTo;
    case ColCc: return m->CC;
    case ColBcc: return m->BCC;
    default: return {};
    }
}

QVariant cMailListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const titles[] = {"From", "Subject", "Date", "POP3 Server", "To", "Cc", "Bcc"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromLatin1(titles[section]);
}
