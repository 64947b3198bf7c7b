#include "assets.h"

#include <QPainter>

namespace Assets {

void drawInformationSheet(QPainter &painter)
{
    painter.fillRect(QRect(QPoint(0, 0), kInformationSheetSize), Qt::white);
}

QString informationSheetText() { return QStringLiteral("Village 1 Information"); }

} // namespace Assets
