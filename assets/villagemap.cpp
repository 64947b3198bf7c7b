#include "assets.h"

#include <QPainter>

namespace Assets {

void drawVillageMap(QPainter &painter)
{
    painter.fillRect(QRect(QPoint(0, 0), kVillageMapSize), Qt::white);
}

} // namespace Assets
