#pragma once

#include <QHash>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>

// Pictures under text keys, the image list our list and tree views take their pictures from.
// Positions are 1-based, as the windows count them; 0 means none.
class KeyedImageList : public QObject {
    Q_OBJECT
public:
    explicit KeyedImageList(QSize imageSize = QSize(16, 16), QObject* parent = nullptr);

    QSize ImageSize() const { return m_size; }
    // Adds a picture under a key and answers its position. A key already held keeps its picture
    // and answers its position, so adding the same key twice adds one picture. An empty key or a
    // null picture answers 0.
    int Add(const QString& key, const QIcon& picture);
    int Count() const { return int(m_keys.size()); }
    int IndexOf(const QString& key) const { return m_index.value(key, 0); }
    QString Key(int index) const;
    QIcon Picture(int index) const;
    QIcon Picture(const QString& key) const;
    // The picture of a key with overlay n (1..15) drawn over its lower left quarter; the plain
    // picture for overlay 0 or an overlay without a picture.
    QIcon Picture(const QString& key, int overlay) const;
    // Makes the picture of a key overlay n, as a shared-folder hand or a shortcut arrow.
    void SetOverlayImage(int overlay, const QString& key);

signals:
    // A picture was added or an overlay changed; views showing this list repaint.
    void Changed();

private:
    QSize m_size;
    QList<QString> m_keys;
    QList<QIcon> m_pictures;
    QHash<QString, int> m_index;
    QHash<int, QString> m_overlays;
    mutable QHash<QString, QIcon> m_composed;
};
