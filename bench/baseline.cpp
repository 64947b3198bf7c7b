// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the game's start-up and memory: a bare Qt Widgets window
// of the main screen's size, with a few buttons and labels, shown at start.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Baseline"));
    window.resize(725, 506);
    for (int row = 0; row < 4; ++row) {
        auto *button = new QPushButton(QStringLiteral("Button %1").arg(row + 1), &window);
        button->setGeometry(16, 16 + row * 72, 49, 49);
        auto *label = new QLabel(QStringLiteral("Label %1").arg(row + 1), &window);
        label->setGeometry(88, 32 + row * 72, 200, 17);
    }
    auto *quit = new QPushButton(QStringLiteral("Quit"), &window);
    quit->setGeometry(584, 440, 105, 49);
    QObject::connect(quit, &QPushButton::clicked, &app, &QApplication::quit);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(), screen->availableGeometry()));
    window.show();
    return QApplication::exec();
}
