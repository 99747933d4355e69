#include "frontends/qt/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace bt::qt {

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 22, 32, 48, 64}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal s = size;
        p.setBrush(QColor(0x4b, 0x5d, 0x2c));
        p.setPen(QPen(QColor(0x22, 0x2a, 0x14), s / 16));
        p.drawRoundedRect(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88), s * 0.15, s * 0.15);
        p.setPen(QColor(0xf2, 0xe6, 0xc2));
        QFont f;
        f.setBold(true);
        f.setPixelSize(static_cast<int>(s * 0.62));
        p.setFont(f);
        p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, QStringLiteral("V"));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace bt::qt
