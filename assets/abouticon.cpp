#include "assets.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace Assets {

void drawAboutIcon(QPainter &painter)
{
    painter.fillRect(QRect(8, 8, 16, 16), Qt::white);
}

QByteArray aboutIconSvg() { return {}; }

QIcon aboutIcon() { return QIcon(renderPicture(drawAboutIcon, kAboutIconSize, 1)); }

} // namespace Assets
