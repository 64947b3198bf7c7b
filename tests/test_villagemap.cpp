#include <QTest>

class villagemapTest : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(villagemapTest)
#include "test_villagemap.moc"
