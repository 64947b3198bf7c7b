// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's pictures to image files:
//   brimwold-export-assets OUTDIR [SCALE...]
// gives village-map@SCALEx.png, information-sheet@SCALEx.png and
// about-icon@SCALEx.png for each scale (default 1 and 2), plus about-icon.svg,
// about-icon-N.png for the icon sizes a desktop theme wants, and
// picture-texts.json, the texts in words that the map and the sheet print,
// where they print them, and the rules that lie on top of them.

#include "assets.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPixmap>
#include <QSet>

#include <algorithm>
#include <cstdio>

// Saves a picture as the smallest lossless PNG: one bit per pixel where it is
// pure black and white, a palette where it has at most 256 colours, and the
// strongest compression.
static bool saveSmallest(const QPixmap &pixmap, const QString &file)
{
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() <= 256; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width() && colours.size() <= 256; ++x)
            colours.insert(line[x]);
    }
    if (colours.size() <= 256) {
        QList<QRgb> table(colours.begin(), colours.end());
        std::sort(table.begin(), table.end());
        const bool blackAndWhite = table == QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)};
        image = image.convertToFormat(blackAndWhite ? QImage::Format_Mono : QImage::Format_Indexed8, table,
                                      Qt::ThresholdDither | Qt::AvoidDither);
    }
    QImageWriter writer(file, "png");
    writer.setQuality(0);
    return writer.write(image);
}

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
            ok = saveSmallest(Assets::renderPicture(picture.draw, picture.size, scale), file) && ok;
        }

    for (int size : {16, 32, 48, 64, 128, 256})
        ok = Assets::aboutIcon().pixmap(size, size).save(out.filePath(QStringLiteral("about-icon-%1.png").arg(size))) && ok;
    QFile svg(out.filePath(QStringLiteral("about-icon.svg")));
    ok = svg.open(QIODevice::WriteOnly) && svg.write(Assets::aboutIconSvg()) >= 0 && ok;
    // The pictures' texts in words, where they print them.
    QJsonObject pictureTexts;
    const struct {
        const char *name;
        std::vector<Assets::PictureText> texts;
        std::vector<QRect> rules;
    } pictured[] = {{"village-map", Assets::villageMapTexts(), {}},
                    {"information-sheet", Assets::informationSheetTexts(), Assets::informationSheetRules()}};
    const auto rect = [](QRect r) { return QJsonArray{r.x(), r.y(), r.width(), r.height()}; };
    for (const auto &[name, texts, rules] : pictured) {
        // [context, English, x, y, pixel size, bold, right-aligned, underlined, family, [cleared x, y, width, height]]
        QJsonArray list;
        for (const Assets::PictureText &text : texts) {
            if (text.context.empty())
                continue;
            const auto string = [](std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); };
            list.append(QJsonArray{string(text.context), string(text.english), text.at.x(), text.at.y(), text.pixelSize,
                                   text.bold, text.rightAligned, text.underlined, QString::fromLatin1(text.family),
                                   rect(text.clear)});
        }
        QJsonArray drawnOnTop;
        for (const QRect &rule : rules)
            drawnOnTop.append(rect(rule));
        pictureTexts.insert(QString::fromLatin1(name), QJsonObject{{"texts", list}, {"rules", drawnOnTop}});
    }
    QFile texts(out.filePath(QStringLiteral("picture-texts.json")));
    ok = texts.open(QIODevice::WriteOnly)
         && texts.write(QJsonDocument(pictureTexts).toJson(QJsonDocument::Compact))
                >= 0
         && ok;
    return ok ? 0 : 1;
}
