// The real widgets under the offscreen platform: the toolbar, a solve through "Risolvi", and a
// screenshot for a person to look at.
#include "FinestraPrincipale.h"

#include "model/Impostazione.h"
#include "model/Schema.h"
#include "solver/Tessere.h"

#include <QLabel>
#include <QPushButton>
#include <QToolBar>
#include <QtTest>

using namespace isolmar;

class TestFinestra : public QObject {
    Q_OBJECT

    static void Carica(FinestraPrincipale& w, const Schema& s) {
        Form1& f = w.Finestra();
        QVERIFY(ApplicaSchema(f.m, s));
        VerificaTutteTessere(f.m, w);
        f.m.NumSol = 0;
        InizializzaSchema(f.m, f.Gr, w);
        InizializzaTblGioco(f.m, f.gr2);
        f.Ris.SalvaEleInsvele();
        f.VisualizzaTblGioco();
    }

  private slots:
    void barraDiDiciottoVoci() {
        FinestraPrincipale w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Isolmar"));
        QCOMPARE(w.Finestra().m.NumTessere, 1067);
        const auto azioni = w.Barra()->actions();
        QCOMPARE(azioni.size(), 18);
        for (int i = 0; i < 18; ++i) {
            const PulsanteBarra& b = BarraStrumenti()[static_cast<size_t>(i)];
            QCOMPARE(azioni[i]->objectName().toStdString(), b.Chiave);
            QVERIFY(azioni[i]->text().isEmpty());
            if (!b.Spaziatore()) QCOMPARE(azioni[i]->toolTip().toStdString(), b.Suggerimento);
        }
        QVERIFY(!azioni[8]->isEnabled()); // "Aiuto" starts disabled
        for (const Comando& c : ComandiFrame1())
            QCOMPARE(
                w.findChild<QPushButton*>(QString::fromStdString(c.Nome))->text().toStdString(),
                c.Etichetta);
    }

    void risolviDipingeLaTavola() {
        FinestraPrincipale w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // A 14-column puzzle: islands 3, 1, 2, 4 along the top, the rest wall-friendly.
        Carica(w, Schema{5, 5, {{2, 1, 1}, {1, 3, 1}, {6, 4, 3}}});
        QVERIFY(w.Tavola()->isVisible());
        w.Barra()->actions()[5]->trigger(); // "Risolvi"
        Form1& f = w.Finestra();
        QCOMPARE(f.m.NumSol, int16_t(1));
        QCOMPARE(w.findChild<QLabel*>("Label2")->text(), QStringLiteral("Soluzione schema"));
        const QImage img = w.Tavola()->grab().toImage();
        // The centre of every cell shows the solution's colour.
        const int lato = w.Tavola()->Pixel(LatoCella);
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 5; ++c) {
                const QColor atteso =
                    f.m.Tblsol(1, r, c) == 1 ? QColor(255, 255, 255) : QColor(0, 0, 255);
                const QColor visto =
                    img.pixelColor((c - 1) * lato + lato / 4, (r - 1) * lato + lato / 4);
                QCOMPARE(visto, atteso);
            }
    }

    void generaERisolviConIPulsanti() {
        FinestraPrincipale w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Finestra().Gen.ImpostaSeme(3);
        QTest::mouseClick(w.findChild<QPushButton*>("CommandGenera"), Qt::LeftButton);
        Form1& f = w.Finestra();
        QCOMPARE(f.m.NumSol, int16_t(1));
        QVERIFY(w.Tavola()->isVisible());
        QVERIFY(w.findChild<QLabel*>("Label1")->text().contains(" gen"));
        QTest::mouseClick(w.findChild<QPushButton*>("CommandSoluz"), Qt::LeftButton);
        QCOMPARE(w.findChild<QLabel*>("Label2")->text(), QStringLiteral("Soluzione schema"));
        const QByteArray cartella = qgetenv("ISOLMAR_SHOT_DIR");
        if (!cartella.isEmpty())
            QVERIFY(w.grab().save(QString::fromLocal8Bit(cartella) + "/finestra.png"));
    }
};

QTEST_MAIN(TestFinestra)
#include "test_finestra.moc"
