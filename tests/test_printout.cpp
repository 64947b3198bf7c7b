// SPDX-License-Identifier: GPL-3.0-or-later
// The debrief's Print: the printout its button hands the print dialog, printed
// to a PDF file as the dialog would, and read back with pdftotext (poppler-utils):
// the sentences, both logs and the date are there as text, on one A4 or Letter
// page for a 365-day game and over more pages for a longer log, and in French with the
// notices and the result in words. The files stay in the test's folder (printout-N.pdf),
// to be looked at.
#include "driver.h"

#include "printout.h"
#include "translator.h"
#include "wire.h"

#include <QDate>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>

#include <algorithm>
#include <map>

namespace {

// pdftotext's reading of a PDF, each page's lines with their runs of blanks as one blank.
QStringList pages(const QString &pdf)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!reader.waitForFinished(30000) || reader.exitCode() != 0)
        return {};
    QStringList read = QString::fromUtf8(reader.readAllStandardOutput()).split(u'\f');
    if (!read.isEmpty() && read.last().trimmed().isEmpty())
        read.removeLast();
    for (QString &page : read)
        page = page.replace(QRegularExpression(QStringLiteral("[ \t\u00a0]+")), QStringLiteral(" "));
    return read;
}

QString oneBlank(const std::string &line) { return QString::fromStdString(line).simplified(); }

// The printout printed to a PDF file named `name`, as the print dialog would print it.
QString printToPdf(const Startup::Printout &printout, QPageSize::PageSizeId paper, const QString &name)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(paper));
    printer.setOutputFileName(name);
    PaintPrintout(printer, printout, QDate(2026, 5, 4));
    return name;
}

} // namespace

class PrintoutTest : public GuiTest
{
    Q_OBJECT

private slots:
    void printedToPdf_data()
    {
        QTest::addColumn<QString>("days");
        QTest::addColumn<QStringList>("played");  // "menu K" (Diffusion, then its CommandK), "talk N", "demo N"
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("words");  // on the page, or in the notices and the result in words
        const QStringList english{"Printed on 2026-05-04", "Converted 66 households", "your learning platform"};
        QTest::newRow("the shared game of 365 days")
            << "365"
            << QStringList{"menu 1", "menu 2", "menu 3", "menu 4", "menu 5", "talk 3", "demo 3", "talk 9", "demo 9",
                           "talk 10", "demo 10", "talk 8", "menu 5"}
            << QPageSize::A4 << 1 << "" << english;
        QTest::newRow("the longest log of 365 days, on Letter")
            << "365" << QStringList(32, QStringLiteral("menu 1")) << QPageSize::Letter << 1 << "" << english;
        QTest::newRow("a log of 1000 days goes on over a second page")
            << "1000" << QStringList(95, QStringLiteral("menu 3")) << QPageSize::A4 << 2 << "" << english;
        QTest::newRow("in French")
            << "115" << QStringList{"menu 1", "talk 9", "demo 9"} << QPageSize::A4 << 1 << "fr"
            << QStringList{"Brimwold : le débriefing", "Joueur : Ada", "Imprimé le 2026-05-04", "Activité", "Gagnés",
                           "Votre partie", "Ménages adoptants : 66 ; meilleur plan en 365 jours : 90, dont", "à la plateforme",
                           "valeurs habituelles"};
    }
    void printedToPdf()
    {
        QFETCH(QString, days);
        QFETCH(QStringList, played);
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(int, pageCount);
        QFETCH(QString, language);
        QFETCH(QStringList, words);
        Startup::UseLanguage(language.toStdString());
        const auto english = qScopeGuard([] { Startup::UseLanguage(""); });
        Game game;
        game.setUp("Ada", days);
        game.viewInformation();
        for (const QString &event : played) {
            const int number = event.section(' ', 1).toInt();
            if (event.startsWith(QLatin1String("menu")))
                game.menu(number);
            else if (event.startsWith(QLatin1String("talk")))
                game.talk(number);
            else
                game.demonstrate(number);
        }
        game.click("frmMain.cmdFeedback");
        game.click("frmFeedback.cmdDebrief");
        game.click("frmDebrief.cmdPrint");
        QCOMPARE(game.dialogs.printed.size(), 1);
        const Startup::Printout &printout = game.dialogs.printed.first();

        static int printed = 0;
        const QStringList read = pages(printToPdf(printout, paper, QStringLiteral("printout-%1.pdf").arg(++printed)));
        QCOMPARE(read.size(), pageCount);

        const QString all = read.join(u'\n');
        const QString told = QString::fromStdString(Startup::ResultComment(66, 90, 365) + Startup::ClassroomTextsAsJson());
        QStringList expected{oneBlank(printout.title), oneBlank(printout.columns)};
        for (const auto *texts : {&printout.facts, &printout.sentences, &printout.log, &printout.bestPlan})
            for (const std::string &text : *texts)
                expected << oneBlank(text);
        for (const QString &text : expected)
            QVERIFY2(all.contains(text), qPrintable(text));
        for (const QString &text : words)
            QVERIFY2(all.contains(text) || told.simplified().contains(text), qPrintable(text));
        QVERIFY(read.first().contains(oneBlank(printout.sentences.back())));
        QCOMPARE(oneBlank(printout.log.back()), oneBlank(Startup::FormatLogLine(game.state().ActivityLog.back())));
    }

    // The page is laid out from the reading's start: the title, the two logs' headings and their
    // lines begin at the left margin in English and end at the right one in Arabic.
    void laidOutFromTheReadingsStart_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English, from the left") << "";
        QTest::newRow("Arabic, from the right") << "ar";
    }
    void laidOutFromTheReadingsStart()
    {
        QFETCH(QString, language);
        Startup::UseLanguage(language.toStdString());
        const auto english = qScopeGuard([] { Startup::UseLanguage(""); });
        Game game;
        game.setUp("Ada", "65");
        game.viewInformation();
        game.talk(3);
        game.click("frmMain.cmdFeedback");
        game.click("frmFeedback.cmdDebrief");
        game.click("frmDebrief.cmdPrint");
        QCOMPARE(game.dialogs.printed.size(), 1);
        const QString pdf = printToPdf(game.dialogs.printed.first(), QPageSize::A4,
            QStringLiteral("printout-%1.pdf").arg(language.isEmpty() ? QStringLiteral("en") : language));

        // Each word's box, as pdftotext reads it: the page's margins are where the words begin and end.
        QProcess reader;
        reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        QVERIFY(reader.waitForFinished(30000) && reader.exitCode() == 0);
        const QString boxes = QString::fromUtf8(reader.readAllStandardOutput());
        const QRegularExpression word(QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)")re"));
        const double width = QRegularExpression(QStringLiteral(R"re(<page width="([\d.]+)")re")).match(boxes).captured(1).toDouble();
        QVERIFY(width > 0);
        // Words by line (their top, rounded): how far each line reaches to the left and to the right.
        std::map<int, std::pair<double, double>> lines;
        for (const QRegularExpressionMatch &m : word.globalMatch(boxes)) {
            if (m.captured(3).toDouble() - m.captured(1).toDouble() < 0.5)
                continue;  // a mark above or below a letter
            auto &[left, right] = lines.try_emplace(qRound(m.captured(2).toDouble() / 4), width, 0.0).first->second;
            left = std::min(left, m.captured(1).toDouble());
            right = std::max(right, m.captured(3).toDouble());
        }
        QVERIFY(lines.size() > 10);
        const double margin = width * 15 / 210;  // 15 mm of A4's 210
        const bool rightToLeft = !language.isEmpty();
        // A line, as {its top: {its left, its right}}, begins or ends at a margin.
        const auto atStart = [&](const auto &line) {
            return rightToLeft ? line.second.second > width - margin - 2 : line.second.first < margin + 2;
        };
        const auto atEnd = [&](const auto &line) {
            return rightToLeft ? line.second.first < margin + 2 : line.second.second > width - margin - 2;
        };
        const auto starting = std::count_if(lines.begin(), lines.end(), atStart);
        const auto ending = std::count_if(lines.begin(), lines.end(), atEnd);
        QVERIFY2(starting > ending, qPrintable(QStringLiteral("%1 lines at the start, %2 at the end").arg(starting).arg(ending)));
    }
};

BRIMWOLD_GUI_TEST_MAIN(PrintoutTest)
#include "test_printout.moc"
