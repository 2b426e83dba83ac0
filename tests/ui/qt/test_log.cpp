// The real log window under the offscreen platform: a scripted "Continua log" walks a small
// puzzle to its end message, every window lies inside the screen off the highlighted cell, and a
// click on a record row replays its configurations on the board. (The placement rule itself is
// tested headless.)
#include "FinestraLog.h"
#include "FinestraPrincipale.h"

#include "model/Schema.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QtTest>

using namespace isolmar;

class TestLog : public QObject {
    Q_OBJECT

  private slots:
    void continuaFinoAllaFine() {
        FinestraPrincipale w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Form1& f = w.Finestra();
        QVERIFY(f.CaricaSchema(Schema{5, 5, {{2, 1, 1}, {1, 3, 1}, {6, 4, 3}}}));
        const QRect schermo = w.screen()->availableGeometry();
        int passi = 0, replay = 0;
        QStringList fine, fuori; // the end message; the steps whose window was misplaced
        QTimer copione;
        connect(&copione, &QTimer::timeout, [&] {
            QWidget* modale = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modale)) {
                fine << box->text();
                box->accept();
                return;
            }
            auto* log = qobject_cast<FinestraLog*>(modale);
            if (!log || !log->isVisible()) return;
            ++passi;
            QCOMPARE(log->windowTitle(), QStringLiteral("Log soluzione"));
            const QRect r = log->frameGeometry();
            if (!schermo.contains(r) || r.intersects(log->CellaMostrata()))
                fuori << QString::number(passi);
            // The step with failure records: a click on record 1 shows its message and its
            // configurations one after another.
            if (f.F3.RigaConSerie(1) && replay == 0) {
                ++replay;
                const int y =
                    log->Vista()->Pixel(f.F3.Gm.AltezzaRiga(0) + f.F3.Gm.AltezzaRiga(1) / 2);
                QTest::mouseClick(log->Vista(), Qt::LeftButton, {}, QPoint(20, y));
                QVERIFY(f.F3.Timer1Attivo());
                QVERIFY(w.findChild<QLabel*>("Lbllog")->isVisible());
                QVERIFY(w.findChild<QLabel*>("Lbllog")->text().startsWith("Se  l'isola 4,3"));
                QVERIFY(f.F3.ConfigMostrata >= 1);
            }
            log->findChild<QPushButton*>("CmdContinuaLog")->click();
        });
        copione.start(10);
        w.Barra()->actions()[6]->trigger(); // "Mostra"
        copione.stop();
        QCOMPARE(fuori, QStringList());
        QCOMPARE(passi, 9);
        QCOMPARE(replay, 1);
        QCOMPARE(fine,
                 QStringList{QString::fromUtf8("Fine del log \n Il livello di difficoltà è 1")});
        QVERIFY(!w.findChild<QLabel*>("Lbllog")->isVisible());
        QVERIFY(!f.InElaborazione());
    }
};

QTEST_MAIN(TestLog)
#include "test_log.moc"
