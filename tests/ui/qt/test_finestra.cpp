#include "FinestraPrincipale.h"

#include <QtTest>

using namespace isolmar;

class TestFinestra : public QObject {
    Q_OBJECT
private slots:
    void titoloEForme() {
        FinestraPrincipale f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QCOMPARE(f.windowTitle(), QStringLiteral("Isolmar"));
        QCOMPARE(f.modello().NumTessere, 1067);
        const QByteArray cartella = qgetenv("ISOLMAR_SHOT_DIR");
        if (!cartella.isEmpty())
            QVERIFY(f.grab().save(QString::fromLocal8Bit(cartella) + "/finestra.png"));
    }
};

QTEST_MAIN(TestFinestra)
#include "test_finestra.moc"
