#include "common/ui/KeyedImageList.h"

#include <QPainter>
#include <QPixmap>

KeyedImageList::KeyedImageList(QSize imageSize, QObject* parent)
    : QObject(parent), m_size(imageSize)
{
}

int KeyedImageList::Add(const QString& key, const QIcon& picture)
{
    if (key.isEmpty() || picture.isNull())
        return 0;
    if (const int at = IndexOf(key))
        return at;
    m_keys.append(key);
    m_pictures.append(picture);
    m_index.insert(key, Count());
    emit Changed();
    return Count();
}

QString KeyedImageList::Key(int index) const
{
    return index >= 1 && index <= Count() ? m_keys[index - 1] : QString();
}

QIcon KeyedImageList::Picture(int index) const
{
    return index >= 1 && index <= Count() ? m_pictures[index - 1] : QIcon();
}

QIcon KeyedImageList::Picture(const QString& key) const
{
    return Picture(IndexOf(key));
}

QIcon KeyedImageList::Picture(const QString& key, int overlay) const
{
    const QIcon base = Picture(key);
    const QIcon mark = Picture(m_overlays.value(overlay));
    if (base.isNull() || mark.isNull())
        return base;
    const QString id = key + QChar(0) + QString::number(overlay);
    auto found = m_composed.constFind(id);
    if (found != m_composed.constEnd())
        return *found;
    QPixmap pixmap = base.pixmap(m_size);
    {
        QPainter painter(&pixmap);
        const QSize quarter = m_size / 2;
        mark.paint(&painter, QRect(QPoint(0, m_size.height() - quarter.height()), quarter));
    }
    return *m_composed.insert(id, QIcon(pixmap));
}

void KeyedImageList::SetOverlayImage(int overlay, const QString& key)
{
    if (overlay < 1 || overlay > 15)
        return;
    m_overlays.insert(overlay, key);
    m_composed.clear();
    emit Changed();
}
