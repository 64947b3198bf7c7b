// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets.h"

#include <QFont>
#include <QFontDatabase>
#include <QPainter>
#include <QPixmap>
#include <QResource>

static void initResources() { Q_INIT_RESOURCE(assets); }

namespace Assets {

bool loadFonts()
{
    initResources();
    bool loaded = true;
    for (const char *file : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf",
                             ":/fonts/LiberationMono-Regular.ttf", ":/fonts/CourierPrime-Regular.otf"}) {
        // The fonts are stored uncompressed, so the font database reads them where they lie.
        const QResource resource(QString::fromLatin1(file));
        const QByteArray data =
            resource.compressionAlgorithm() == QResource::NoCompression
                ? QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()), resource.size())
                : resource.uncompressedData();
        loaded = !data.isEmpty() && QFontDatabase::addApplicationFontFromData(data) >= 0 && loaded;
    }

    // Faces of the windows' designs, and the carried face of close metrics for
    // each; a substitute is used only where the machine lacks the face itself.
    static const struct { const char *asked; const char *carried; } kStandIns[] = {
        {"MS Sans Serif", kSansFamily},
        {"Microsoft Sans Serif", kSansFamily},
        {"Arial", kSansFamily},
        {"Courier New", kMonoFamily},
    };
    for (const auto &standIn : kStandIns)
        QFont::insertSubstitution(QString::fromLatin1(standIn.asked), QString::fromLatin1(standIn.carried));
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
