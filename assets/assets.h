// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures and fonts the program carries. Every picture is drawn from
// vectors by code, so it is the same on every machine and sharp at any
// display scale; at scale 1 it is drawn without anti-aliasing.

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <string_view>
#include <vector>

class QIcon;
class QPainter;
class QPixmap;

namespace Assets {

// Family names of the carried fonts.
inline constexpr char kSansFamily[] = "Liberation Sans";
inline constexpr char kMonoFamily[] = "Liberation Mono";
inline constexpr char kTypewriterFamily[] = "Courier Prime";

// Registers the carried fonts (from the program's resources) and maps the
// faces the windows ask for that this machine lacks (MS Sans Serif, Arial,
// Courier New, ...) to carried faces of close metrics. Call once, after the
// QGuiApplication exists. Returns false if a carried font could not be loaded.
bool loadFonts();

// A drawing function paints one picture in picture pixels, with (0,0) at the
// picture's top-left corner, including its background where it has one. It
// sets its own render hints.
using DrawFunction = void (*)(QPainter &);

// Renders a picture for a screen whose device pixel ratio is `scale`.
QPixmap renderPicture(DrawFunction draw, QSize size, qreal scale);

// A text a picture prints, in English, where it prints it: so that a front end
// that shows the picture as an image can print the text in another language
// over it (the English cleared first). Numbers and signs have no context: they
// are the same in every language.
struct PictureText {
    std::string_view context, english;
    QPoint at;               // the left end of the baseline (its right end when right-aligned)
    bool bold = false;
    bool rightAligned = false;
    bool underlined = false;
    const char *family = "";
    int pixelSize = 0;
    QRect clear;             // what the English text covers
};

// The village map: black lines on white.
inline constexpr QSize kVillageMapSize{790, 600};
// Centre of each farm's printed number on the map, in map pixels: entry n-1 is farm n.
inline constexpr std::array<QPoint, 10> kFarmNumberCentres{{
    {591, 165}, {731, 158}, {644, 206}, {507, 318}, {527, 478},
    {321, 352}, {216, 294}, {291, 258}, {415, 272}, {277, 181},
}};
void drawVillageMap(QPainter &painter);
// Its names of places.
std::vector<PictureText> villageMapTexts();

// The village information sheet: black text on white.
inline constexpr QSize kInformationSheetSize{496, 515};
void drawInformationSheet(QPainter &painter);
std::vector<PictureText> informationSheetTexts();
// Its black rules, which lie on top of its texts.
std::vector<QRect> informationSheetRules();
// The sheet's facts as plain text, line by line, for screen readers.
QString informationSheetText();

// The about icon: 32 x 32 in the 16-colour palette, transparent around the drawing.
inline constexpr QSize kAboutIconSize{32, 32};
void drawAboutIcon(QPainter &painter);
// The same drawing as a scalable SVG document, for installing as an application icon.
QByteArray aboutIconSvg();
// The icon at any size, drawn on demand; also the windows' icon.
QIcon aboutIcon();

} // namespace Assets
