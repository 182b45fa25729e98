#include "common/ui/KeyedListModel.h"

#include "common/ui/KeyedImageList.h"

#include <QBrush>

KeyedListModel::KeyedListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int KeyedListModel::AddColumn(const QString& key, const QString& text, Qt::Alignment alignment)
{
    // Column 0 exists before any header is added; the first header names it.
    const int at = int(m_columns.size());
    if (at > 0)
        beginInsertColumns({}, at, at);
    m_columns.append({key, text, alignment});
    if (at > 0)
        endInsertColumns();
    else
        emit headerDataChanged(Qt::Horizontal, 0, 0);
    return at;
}

QString KeyedListModel::ColumnKey(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns[column].key : QString();
}

QString KeyedListModel::ColumnText(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns[column].text : QString();
}

int KeyedListModel::ColumnIndex(const QString& key) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (!key.isEmpty() && m_columns[i].key == key)
            return i;
    return -1;
}

int KeyedListModel::Add(const QString& key, const QString& text, const QString& icon, const QString& smallIcon)
{
    if (!key.isEmpty() && Find(key) >= 0)
        return -1;
    const int row = Count();
    beginInsertRows({}, row, row);
    m_rows.append({key, {}, m_nextParam++, {text}, icon, smallIcon, 0});
    if (!key.isEmpty() && !m_keysStale)
        m_keys.insert(key, row);
    ++m_generation;
    endInsertRows();
    return row;
}

void KeyedListModel::rebuildKeys() const
{
    m_keys.clear();
    for (int i = 0; i < m_rows.size(); ++i)
        if (!m_rows[i].key.isEmpty())
            m_keys.insert(m_rows[i].key, i);
    m_keysStale = false;
}

int KeyedListModel::Find(const QString& key) const
{
    if (m_keysStale)
        rebuildKeys();
    return m_keys.value(key, -1);
}

QString KeyedListModel::Key(int row) const
{
    return valid(row) ? m_rows[row].key : QString();
}

QVariant KeyedListModel::Tag(int row) const
{
    return valid(row) ? m_rows[row].tag : QVariant();
}

void KeyedListModel::SetTag(int row, const QVariant& tag)
{
    if (valid(row))
        m_rows[row].tag = tag;
}

quint32 KeyedListModel::Param(int row) const
{
    return valid(row) ? m_rows[row].param : 0;
}

QString KeyedListModel::Text(int row, int column) const
{
    return valid(row) ? m_rows[row].texts.value(column) : QString();
}

void KeyedListModel::SetText(int row, int column, const QString& text)
{
    if (!valid(row) || column < 0)
        return;
    QStringList& texts = m_rows[row].texts;
    while (texts.size() <= column)
        texts.append(QString());
    texts[column] = text;
    changed(row, column, Qt::DisplayRole);
}

QString KeyedListModel::Icon(int row) const
{
    return valid(row) ? m_rows[row].icon : QString();
}

QString KeyedListModel::SmallIcon(int row) const
{
    return valid(row) ? m_rows[row].smallIcon : QString();
}

void KeyedListModel::SetIcon(int row, const QString& key)
{
    if (valid(row)) {
        m_rows[row].icon = key;
        changed(row, 0, Qt::DecorationRole);
    }
}

void KeyedListModel::SetSmallIcon(int row, const QString& key)
{
    if (valid(row)) {
        m_rows[row].smallIcon = key;
        changed(row, 0, Qt::DecorationRole);
    }
}

int KeyedListModel::Overlay(int row) const
{
    return valid(row) ? m_rows[row].overlay : 0;
}

void KeyedListModel::SetOverlay(int row, int overlay)
{
    if (valid(row)) {
        m_rows[row].overlay = overlay;
        changed(row, 0, Qt::DecorationRole);
    }
}

void KeyedListModel::changed(int row, int column, int role)
{
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at, {role});
}

void KeyedListModel::Remove(int row)
{
    if (!valid(row))
        return;
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    m_keysStale = true;
    ++m_generation;
    endRemoveRows();
}

void KeyedListModel::Clear()
{
    beginResetModel();
    m_rows.clear();
    m_keys.clear();
    m_keysStale = false;
    ++m_generation;
    endResetModel();
}

void KeyedListModel::Reorder(const QList<int>& order)
{
    if (order.size() != m_rows.size())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<int> placeOf(order.size());
    QList<Row> rows;
    rows.reserve(order.size());
    for (int place = 0; place < order.size(); ++place) {
        rows.append(std::move(m_rows[order[place]]));
        placeOf[order[place]] = place;
    }
    m_rows = std::move(rows);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(this->index(placeOf[index.row()], index.column()));
    changePersistentIndexList(before, after);
    m_keysStale = true;
    ++m_generation;
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void KeyedListModel::SetImageLists(KeyedImageList* icons, KeyedImageList* smallIcons)
{
    m_icons = icons;
    m_smallIcons = smallIcons;
}

void KeyedListModel::SetLargePictures(bool large)
{
    m_large = large;
}

void KeyedListModel::SetTextBackground(const QColor& colour)
{
    m_textBackground = colour;
    if (Count() > 0)
        emit dataChanged(index(0, 0), index(Count() - 1, columnCount() - 1), {Qt::BackgroundRole});
}

int KeyedListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Count();
}

int KeyedListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : qMax(1, int(m_columns.size()));
}

QVariant KeyedListModel::picture(const Row& row) const
{
    const KeyedImageList* list = m_large ? m_icons.data() : m_smallIcons.data();
    const QString& key = m_large ? row.icon : row.smallIcon;
    if (!list || key.isEmpty())
        return {};
    const QIcon icon = list->Picture(key, row.overlay);
    return icon.isNull() ? QVariant() : QVariant(icon);
}

QVariant KeyedListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !valid(index.row()))
        return {};
    const Row& row = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return row.texts.value(index.column());
    case Qt::DecorationRole:
        return index.column() == 0 ? picture(row) : QVariant();
    case Qt::TextAlignmentRole:
        if (index.column() < m_columns.size())
            return QVariant::fromValue(m_columns[index.column()].alignment | Qt::AlignVCenter);
        return {};
    case Qt::BackgroundRole:
        return m_textBackground.isValid() ? QVariant(QBrush(m_textBackground)) : QVariant();
    default:
        return {};
    }
}

bool KeyedListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != 0 || !valid(index.row()))
        return false;
    const QString oldText = Text(index.row());
    const QString newText = value.toString();
    if (newText == oldText)
        return false;
    SetText(index.row(), 0, newText);
    emit AfterLabelEdit(index.row(), oldText, newText);
    return true;
}

QVariant KeyedListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[section].text;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns[section].alignment | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags KeyedListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (m_labelEditable && index.column() == 0)
        result |= Qt::ItemIsEditable;
    return result | Qt::ItemIsDragEnabled;
}
