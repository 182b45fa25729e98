#pragma once

#include "common/ui/KeyedImageList.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QVariant>


// The items of a keyed list view: each row has a key (unique when not empty), a tag, its own
// parameter value (a number that stays with the item for its life), the texts of its columns
// (column 0 the item text, then the sub-items), and the keys of its large and small pictures.
// Pictures are looked up only when a row is drawn.
class KeyedListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit KeyedListModel(QObject* parent = nullptr);

    // Columns (the headers of the details view).
    int AddColumn(const QString& key, const QString& text, Qt::Alignment alignment = Qt::AlignLeft);
    QString ColumnKey(int column) const;
    QString ColumnText(int column) const;
    int ColumnIndex(const QString& key) const;

    // Items. Add answers the new row, or -1 when another item has the key.
    int Add(const QString& key, const QString& text, const QString& icon = {}, const QString& smallIcon = {});
    int Count() const { return int(m_rows.size()); }
    // The row of a key, -1 when none.
    int Find(const QString& key) const;
    QString Key(int row) const;
    QVariant Tag(int row) const;
    void SetTag(int row, const QVariant& tag);
    quint32 Param(int row) const;
    QString Text(int row, int column = 0) const;
    void SetText(int row, int column, const QString& text);
    QString Icon(int row) const;
    QString SmallIcon(int row) const;
    void SetIcon(int row, const QString& key);
    void SetSmallIcon(int row, const QString& key);
    int Overlay(int row) const;
    void SetOverlay(int row, int overlay);
    void Remove(int row);
    void Clear();
    // Puts the rows in a new order: order[i] is the row that comes to place i. Selections and
    // other persistent indexes follow their rows.
    void Reorder(const QList<int>& order);
    // Counts every change of the rows, so a long job can tell whether the list moved under it.
    quint64 Generation() const { return m_generation; }

    // Pictures: large ones for the icon view, small ones otherwise.
    void SetImageLists(KeyedImageList* icons, KeyedImageList* smallIcons);
    void SetLargePictures(bool large);
    void SetLabelEditable(bool editable) { m_labelEditable = editable; }
    void SetTextBackground(const QColor& colour);
    QColor TextBackground() const { return m_textBackground; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // A label edit ended with a new text for the item.
    void AfterLabelEdit(int row, const QString& oldText, const QString& newText);

private:
    struct Row {
        QString key;
        QVariant tag;
        quint32 param = 0;
        QStringList texts;
        QString icon;
        QString smallIcon;
        int overlay = 0;
    };
    struct Column {
        QString key;
        QString text;
        Qt::Alignment alignment;
    };

    bool valid(int row) const { return row >= 0 && row < Count(); }
    void changed(int row, int column, int role);
    void rebuildKeys() const;
    QVariant picture(const Row& row) const;

    QList<Row> m_rows;
    QList<Column> m_columns;
    mutable QHash<QString, int> m_keys;
    mutable bool m_keysStale = false;
    quint32 m_nextParam = 1;
    quint64 m_generation = 0;
    QPointer<KeyedImageList> m_icons;
    QPointer<KeyedImageList> m_smallIcons;
    bool m_large = false;
    bool m_labelEditable = false;
    QColor m_textBackground;
};
