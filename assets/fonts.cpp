#include "assets.h"

#include <QFont>
#include <QFontDatabase>
#include <QPainter>
#include <QPixmap>

static void initResources() { Q_INIT_RESOURCE(assets); }

namespace Assets {

bool loadFonts()
{
    initResources();
    bool loaded = true;
    for (const char *file : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf",
                             ":/fonts/LiberationMono-Regular.ttf", ":/fonts/CourierPrime-Regular.otf"})
        loaded = QFontDatabase::addApplicationFont(QString::fromLatin1(file)) >= 0 && loaded;

    // Faces of the windows' designs, and the carried face of close metrics for each.
    static const struct { const char *asked; const char *carried; } kStandIns[] = {
        {"MS Sans Serif", kSansFamily},
        {"Microsoft Sans Serif", kSansFamily},
        {"Arial", kSansFamily},
        {"Courier New", kMonoFamily},
    };
    for (const auto &standIn : kStandIns) {
        const QString asked = QString::fromLatin1(standIn.asked);
        if (!QFontDatabase::hasFamily(asked))
            QFont::insertSubstitution(asked, QString::fromLatin1(standIn.carried));
    }
    return loaded;
}

QPixmap renderPicture(DrawFunction draw, QSize size, qreal scale)
{
    QPixmap pixmap(size * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    draw(painter);
    return pixmap;
}

} // namespace Assets
