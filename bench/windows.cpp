// SPDX-License-Identifier: GPL-3.0-or-later
// Each window's first opening, offscreen: the window built for a fresh game,
// shown, and painted once; and the same window only built, not shown, to see
// what the first paint adds. A Qt Test program run by hand (see README.md),
// not part of the test suite: its figures are reported, never asserted.

#include "benchutil.h"
#include "assets.h"
#include "session.h"

#include <QApplication>
#include <QTest>

#include <utility>

// Counts the pictures rendered: the linker sends every call of Assets::renderPicture
// here first (--wrap, see CMakeLists.txt).
static int renderedPictures = 0;
extern "C" QPixmap __real__ZN6Assets13renderPictureEPFvR8QPainterE5QSized(Assets::DrawFunction, QSize, qreal);
extern "C" QPixmap __wrap__ZN6Assets13renderPictureEPFvR8QPainterE5QSized(Assets::DrawFunction draw, QSize size,
                                                                          qreal scale)
{
    ++renderedPictures;
    return __real__ZN6Assets13renderPictureEPFvR8QPainterE5QSized(draw, size, scale);
}

class WindowOpening : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The offscreen platform cannot raise windows and says so each time.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    }

    void opening_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("shown");
        for (bool shown : {true, false})
            for (int index = 0; index < Startup::kWindows; ++index)
                QTest::addRow("%s, %s", Startup::kWindowNames[index].data(), shown ? "shown and painted" : "built only")
                    << index << shown;
    }
    // QBENCHMARK calls this again and again, with more iterations each time, until
    // its measurement holds; every opening timed on the way is kept in `records`.
    void opening()
    {
        QFETCH(int, window);
        QFETCH(bool, shown);
        Record &record = recordOf(QTest::currentDataTag());
        std::vector<std::unique_ptr<Session>> sessions; // the windows live on until the measurement is over
        QBENCHMARK {
            QElapsedTimer timer;
            timer.start();
            sessions.push_back(std::make_unique<Session>(dialogs));
            Form &form = sessions.back()->form(Startup::Window(window));
            if (shown) {
                paints.clear();
                form.showForm();
                paints.waitFor(&form);
            }
            record.times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            form.hide();
        }
        record.pictures += std::exchange(renderedPictures, 0);
        if (!shown)
            QCOMPARE(record.pictures, 0);
    }

    // The first opening of each kind in this process (after the kinds above it), then the rest.
    void cleanupTestCase()
    {
        std::printf("\n%-40s %9s   %s\n", "window", "first", "every later opening");
        for (const auto &[tag, record] : records) {
            std::printf("%-40s %6.3f ms   ", tag.c_str(), record.times.front());
            Bench::print("", {record.times.begin() + 1, record.times.end()}, "ms");
            std::printf("%-40s pictures rendered: %d in %zu openings\n", "", record.pictures, record.times.size());
        }
    }

private:
    Bench::QuietDialogs dialogs;
    Bench::PaintLog paints;
    struct Record {
        std::vector<double> times; // milliseconds
        int pictures = 0;
    };
    std::vector<std::pair<std::string, Record>> records; // in the order of the rows
    Record &recordOf(const std::string &tag)
    {
        if (records.empty() || records.back().first != tag)
            records.emplace_back(tag, Record{});
        return records.back().second;
    }
};

int main(int argc, char *argv[])
{
    Bench::useOffscreenPlatform();
    QApplication app(argc, argv);
    if (!Startup::PrepareApplication())
        qFatal("the carried fonts could not be loaded");
    WindowOpening benchmark;
    return QTest::qExec(&benchmark, argc, argv);
}

#include "windows.moc"
