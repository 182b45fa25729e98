#include "mail/mMailPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace mMailPictures {
namespace {

QPixmap envelope(int size, bool read, bool spam)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 16.0;
    const QColor ink = spam ? QColor(0xB0, 0x1E, 0x1E) : QColor(0x2B, 0x4E, 0x8C);
    const QColor paper = read ? QColor(0xF2, 0xF2, 0xF2) : (spam ? QColor(0xFF, 0xE4, 0xE0) : QColor(0xFF, 0xF6, 0xD5));
    p.setPen(QPen(ink, qMax(1.0, s)));
    p.setBrush(paper);
    const QRectF body(1.5 * s, (read ? 6.5 : 4.5) * s, 13 * s, (read ? 8 : 9) * s);
    if (read) {
        // An opened envelope: the flap stands up behind the body.
        QPainterPath flap;
        flap.moveTo(body.left(), body.top());
        flap.lineTo(body.center().x(), 1.5 * s);
        flap.lineTo(body.right(), body.top());
        p.drawPath(flap);
    }
    p.drawRect(body);
    QPainterPath fold;
    fold.moveTo(body.topLeft());
    fold.lineTo(body.center().x(), body.top() + body.height() * (read ? 0.45 : 0.55));
    fold.lineTo(body.topRight());
    p.setBrush(Qt::NoBrush);
    p.drawPath(fold);
    if (!read) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QPointF(13 * s, 3.5 * s), 2.5 * s, 2.5 * s);
    }
    return pixmap;
}

} // namespace

QIcon Picture(const QString& key)
{
    const bool spam = key.startsWith(QLatin1String("Spam"));
    const bool read = key.endsWith(QLatin1String("Read"));
    if (key != QLatin1String("Mail") && key != QLatin1String("MailRead") && !spam)
        return {};
    if (spam && key != QLatin1String("Spam") && key != QLatin1String("SpamRead"))
        return {};
    QIcon icon;
    for (int size : {16, 24, 32})
        icon.addPixmap(envelope(size, read, spam));
    return icon;
}

} // namespace mMailPictures
