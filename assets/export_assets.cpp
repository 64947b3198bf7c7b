// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's pictures to image files:
//   brimwold-export-assets OUTDIR [SCALE...]
// gives village-map@SCALEx.png, information-sheet@SCALEx.png and
// about-icon@SCALEx.png for each scale (default 1 and 2), plus about-icon.svg
// and about-icon-N.png for the icon sizes a desktop theme wants.

#include "assets.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: brimwold-export-assets OUTDIR [SCALE...]\n");
        return 2;
    }
    if (!Assets::loadFonts()) {
        std::fprintf(stderr, "brimwold-export-assets: a carried font is missing\n");
        return 1;
    }
    const QDir out(args[1]);
    QDir().mkpath(out.path());

    QList<qreal> scales;
    for (qsizetype i = 2; i < args.size(); ++i)
        scales << args[i].toDouble();
    if (scales.isEmpty())
        scales = {1, 2};

    const struct { const char *name; Assets::DrawFunction draw; QSize size; } pictures[] = {
        {"village-map", Assets::drawVillageMap, Assets::kVillageMapSize},
        {"information-sheet", Assets::drawInformationSheet, Assets::kInformationSheetSize},
        {"about-icon", Assets::drawAboutIcon, Assets::kAboutIconSize},
    };
    bool ok = true;
    for (const auto &picture : pictures)
        for (qreal scale : scales) {
            const QString file = out.filePath(QStringLiteral("%1@%2x.png").arg(QLatin1String(picture.name)).arg(scale));
            ok = Assets::renderPicture(picture.draw, picture.size, scale).save(file) && ok;
        }

    for (int size : {16, 32, 48, 64, 128, 256})
        ok = Assets::aboutIcon().pixmap(size, size).save(out.filePath(QStringLiteral("about-icon-%1.png").arg(size))) && ok;
    QFile svg(out.filePath(QStringLiteral("about-icon.svg")));
    ok = svg.open(QIODevice::WriteOnly) && svg.write(Assets::aboutIconSvg()) >= 0 && ok;
    return ok ? 0 : 1;
}
