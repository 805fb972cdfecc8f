#include <QTest>
class T : public QObject { Q_OBJECT };
QTEST_MAIN(T)
#include "main_dialog_test.moc"
