#include <QTest>

class sheet_iconTest : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(sheet_iconTest)
#include "test_sheet_icon.moc"
