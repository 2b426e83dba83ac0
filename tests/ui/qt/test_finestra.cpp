// The real widgets under the offscreen platform: the toolbar and its shortcuts, a solve through
// "Risolvi", play by mouse, drag and keys, zoom and big boards, the log window, Italian dialogs,
// and screenshots for a person to look at.
#include "FinestraLog.h"
#include "FinestraPrincipale.h"

#include "model/Impostazione.h"
#include "model/Schema.h"
#include "solver/Esito.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QToolBar>
#include <QWidgetAction>
#include <QtTest>

#include <cmath>
#include <set>

using namespace isolmar;

namespace {

const Schema Unico{5, 5, {{2, 1, 1}, {1, 3, 1}, {6, 4, 3}}};

// 50 x 50 with 50 clues spread over the board.
Schema Grande() {
    Schema s{50, 50, {}};
    for (int i = 0; i < 50; ++i)
        s.Isole.push_back({1 + i % 9, 1 + (i / 7) * 7, 1 + (i % 7) * 7});
    return s;
}

bool Mostra(FinestraPrincipale& w, bool colloca = false) {
    w.show();
    if (colloca) w.Colloca();
    return QTest::qWaitForWindowExposed(&w);
}

QString Etichetta(FinestraPrincipale& w, const char* nome) {
    return w.findChild<QLabel*>(nome)->text();
}

// Cell (r, c) of the board widget: its centre, and its colour away from the border and the digit
// (read from img when given).
QPoint Centro(FinestraPrincipale& w, int r, int c) {
    const int lato = w.Tavola()->Pixel(LatoCella);
    return {(c - 1) * lato + lato / 2, (r - 1) * lato + lato / 2};
}
QColor ColoreCella(FinestraPrincipale& w, int r, int c, QImage img = {}) {
    const int quarto = w.Tavola()->Pixel(LatoCella) / 4;
    if (img.isNull()) img = w.Tavola()->grab().toImage();
    return img.pixelColor(Centro(w, r, c) - QPoint(quarto, quarto));
}

const QColor ColoreIndeciso(192, 192, 192), ColoreIsola(255, 255, 255), ColoreMuro(0, 0, 255);

} // namespace

class TestFinestra : public QObject {
    Q_OBJECT

    static void Foto(QWidget& w, const char* nome) {
        const QByteArray cartella = qgetenv("ISOLMAR_SHOT_DIR");
        if (!cartella.isEmpty())
            QVERIFY(w.grab().save(QString::fromLocal8Bit(cartella) + "/" + nome));
    }

  private slots:
    // The settings a test changes stay away from the user's.
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                      "/isolmar/finestra.ini");
    }

    // The rule errors drawn on the board, each kind on its cells, switched off and on from the
    // menu; the help window stays open beside a board that still takes clicks.
    void erroriEIstruzioni() {
        FinestraPrincipale w;
        Form1& f = w.Finestra();
        // 7 x 7, row by row: a digit is a clue, 'O' island, '#' wall, '.' undecided.
        const std::string t = "2O1#...###.2OO##..###...#4#..#..#..#O#...1##...1#";
        Schema s{7, 7, {}};
        for (int k = 0; k < 49; ++k)
            if (std::isdigit(t[k])) s.Isole.push_back({t[k] - '0', k / 7 + 1, k % 7 + 1});
        QVERIFY(Mostra(w) && f.CaricaSchema(s));
        for (int k = 0; k < 49; ++k) {
            f.CursoreRiga = k / 7 + 1;
            f.CursoreColonna = k % 7 + 1;
            f.Tavola_KeyDown(t[k] == 'O'   ? TastoGioco::Isola
                             : t[k] == '#' ? TastoGioco::Muro
                                           : TastoGioco::Indeciso);
        }
        f.CursoreVisibile = false; // its orange frame is no error
        f.Gr.Aggiorna();
        // 'E' for a cell drawn orange or vermillion over a twentieth of it: an error mark.
        auto segnate = [&] {
            const QImage img = w.Tavola()->grab().toImage();
            const int lato = w.Tavola()->Pixel(LatoCella);
            QString e(49, '-');
            for (int k = 0; k < 49; ++k) {
                int n = 0;
                for (int y = 2; y < lato - 2; ++y)
                    for (int x = 2; x < lato - 2; ++x) {
                        const QColor q = img.pixelColor(k % 7 * lato + x, k / 7 * lato + y);
                        n += q.red() > 150 && q.red() > q.blue() + 60;
                    }
                if (n * 20 > lato * lato) e[k] = 'E';
            }
            return e;
        };
        const QString errori = "EEE----EE--EEEEE---------E----------E-----------E";
        QAction* mostra = w.findChild<QAction*>("mnuMostraErrori");
        QVERIFY(mostra->isChecked());
        QCOMPARE(segnate(), errori);
        Foto(w, "errori.png");
        for (const QString& atteso : {QString(49, '-'), errori}) {
            mostra->trigger();
            QCOMPARE(mostra->isChecked(), atteso == errori);
            QCOMPARE(segnate(), atteso);
        }
        w.findChild<QAction*>("MnuAiuto")->trigger(); // F1
        auto* aiuto = w.findChild<QDialog*>("Istruzioni");
        QVERIFY(aiuto && aiuto->isVisible() && !QApplication::activeModalWidget());
        const int mosse = f.m.NumMosseGioco;
        QTest::mouseClick(w.Tavola(), Qt::LeftButton, {}, Centro(w, 5, 1));
        QCOMPARE(f.m.TblGioco(5, 1) * 1000 + f.m.NumMosseGioco, 1000 + mosse + 1);
        QVERIFY(aiuto->isVisible());
        QVERIFY(Etichetta(w, "Orologio").endsWith(QString::number(mosse + 1) + " mosse"));
    }

    // Icons only, the tool tip naming the command and its shortcut; "Genera schema" by its button;
    // "Risolvi" from the toolbar paints the solution on the board.
    void barraGeneraERisolvi() {
        FinestraPrincipale w;
        QVERIFY(Mostra(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Isolmar"));
        const auto azioni = w.Barra()->actions();
        QCOMPARE(azioni.size(), 21);
        QCOMPARE(w.Barra()->toolButtonStyle(), Qt::ToolButtonIconOnly);
        // Every button has a picture; the program's own set draws without any desktop theme.
        for (const QAction* a : azioni)
            QVERIFY(qobject_cast<const QWidgetAction*>(a) || !a->icon().isNull());
        for (const char* n : {"apri", "salva", "annulla", "ripeti", "stampa", "componi"})
            QVERIFY(!QIcon(QStringLiteral(":/icone/%1.svg").arg(n)).pixmap(24).isNull());
        // No puzzle yet: the commands that need one are disabled and say why.
        QCOMPARE(azioni[5]->toolTip(), QStringLiteral("Risolvi — Apri o genera prima uno schema"));
        QVERIFY(!azioni[5]->isEnabled());
        QVERIFY(!w.findChild<QPushButton*>("CommandSoluz3")->isEnabled());
        QCOMPARE(w.findChild<QPushButton*>("CmdLog")->toolTip(),
                 QStringLiteral("Apri o genera prima uno schema"));
        QVERIFY(w.findChild<QPushButton*>("CommandGenera")->isEnabled());
        QCOMPARE(azioni.indexOf(w.findChild<QAction*>("Redo")),
                 azioni.indexOf(w.findChild<QAction*>("Undo")) + 1);
        // The diagnostic commands live in the "Strumenti" menu, not among the buttons.
        QVERIFY(!w.findChild<QPushButton*>("CommandVisTessera"));
        QCOMPARE(w.findChild<QMenu*>("mnuStrumenti")->actions().size(), 4);
        Form1& f = w.Finestra();
        f.Gen.ImpostaSeme(3);
        QTest::mouseClick(w.findChild<QPushButton*>("CommandGenera"), Qt::LeftButton);
        QVERIFY(azioni[5]->isEnabled());
        QCOMPARE(azioni[5]->toolTip(), QStringLiteral("Risolvi"));
        QCOMPARE(w.findChild<QAction*>("Undo")->toolTip(),
                 QStringLiteral("Annulla ultima mossa (Ctrl+Z)"));
        QVERIFY(w.findChild<QPushButton*>("CommandSoluz3")->isEnabled());
        QCOMPARE(f.m.NumSol, int16_t(1));
        QVERIFY(Etichetta(w, "Label1").contains(QRegularExpression("^[0-9,]+ s, [0-9]+ tentativ")));
        azioni[5]->trigger(); // "Risolvi"
        QCOMPARE(Etichetta(w, "Label2"), QStringLiteral("Soluzione schema"));
        QVERIFY(Etichetta(w, "Label1").endsWith(" s"));
        const QImage img = w.Tavola()->grab().toImage();
        for (int r = 1; r <= f.m.NumRighe; ++r)
            for (int c = 1; c <= f.m.NumColonne; ++c)
                QCOMPARE(ColoreCella(w, r, c, img),
                         f.m.Tblsol(1, r, c) == 1 ? ColoreIsola : ColoreMuro);
        Foto(w, "finestra.png");
    }

    // Clicks and drags on the real board widget, the popup menu of a clue, the snapshot strip.
    void giocoConIlMouse() {
        FinestraPrincipale w;
        Form1& f = w.Finestra();
        QVERIFY(Mostra(w) && f.CaricaSchema(Unico));
        auto clic = [&](Qt::MouseButton b, int r, int c) {
            QTest::mouseClick(w.Tavola(), b, {}, Centro(w, r, c));
        };
        QCOMPARE(ColoreCella(w, 2, 2), ColoreIndeciso);
        clic(Qt::RightButton, 2, 2);
        clic(Qt::LeftButton, 2, 3);
        QCOMPARE(f.m.TblGioco(2, 2) * 10 + f.m.TblGioco(2, 3), 21);
        QCOMPARE(ColoreCella(w, 2, 2), ColoreMuro);
        QCOMPARE(ColoreCella(w, 2, 3), ColoreIsola);

        QVERIFY(!w.Striscia()->isVisible());
        w.Barra()->actions()[13]->trigger(); // "Camera"
        QVERIFY(w.Striscia()->isVisible());
        clic(Qt::MiddleButton, 5, 5);
        QCOMPARE(f.m.TblGioco(5, 5), uint8_t(2));
        QTest::mouseClick(
            w.Striscia(), Qt::LeftButton, {},
            QPoint(w.Striscia()->width() / 2, w.Striscia()->height() - 4)); // snapshot 1
        QCOMPARE(f.m.NumMosseGioco, 2);
        QCOMPARE(ColoreCella(w, 5, 5), ColoreIndeciso);

        QAction* aiuto = w.Barra()->actions()[9];
        QVERIFY(!aiuto->isEnabled());
        clic(Qt::LeftButton, 1, 1);
        QTRY_VERIFY(w.MenuIsola()->isVisible());
        QCOMPARE(f.m.NumMosseGioco, 2);         // a clue click is not a move
        w.MenuIsola()->actions()[0]->trigger(); // "Marca"
        w.MenuIsola()->hide();
        QVERIFY(aiuto->isEnabled());
        QCOMPARE(ColoreCella(w, 1, 1), QColor(255, 255, 0));
        // A drag paints every cell it passes with the state of the first; a double click is one
        // click.
        QTest::mousePress(w.Tavola(), Qt::RightButton, {}, Centro(w, 5, 1));
        for (int c = 2; c <= 5; ++c) {
            const QPoint q = Centro(w, 5, c);
            QMouseEvent e(QEvent::MouseMove, q, w.Tavola()->mapToGlobal(q), Qt::NoButton,
                          Qt::RightButton, {});
            QApplication::sendEvent(w.Tavola(), &e);
        }
        QTest::mouseRelease(w.Tavola(), Qt::RightButton, {}, Centro(w, 5, 5));
        QCOMPARE(f.m.NumMosseGioco, 7);
        for (int c = 1; c <= 5; ++c)
            QCOMPARE(f.m.TblGioco(5, c), uint8_t(2));
        clic(Qt::LeftButton, 3, 3);
        QTest::mouseDClick(w.Tavola(), Qt::LeftButton, {}, Centro(w, 3, 3));
        QCOMPARE(f.m.TblGioco(3, 3) * 100 + f.m.NumMosseGioco, 108);
    }

    // A 100 x 100 board with clues of one to four digits shows whole on a 1600 x 1200 screen,
    // and scrolls when zoomed in.
    void centoPerCento() {
        FinestraPrincipale w;
        Form1& f = w.Finestra();
        QVERIFY(Mostra(w));
        // The board grid as the window lays boards out (the model does not hold it yet).
        Griglia& g = f.Gr;
        g.ImpostaRighe(101);
        g.ImpostaColonne(101);
        const char* testi[] = {"3", "12", "123", "1234"};
        for (int r = 1; r <= 100; ++r) {
            g.ImpostaAltezzaRiga(r, LatoCella);
            g.ImpostaLarghezzaColonna(r, LatoCella);
            for (int c = 1; c <= 100; ++c) {
                g.Seleziona(r, c);
                g.ImpostaAllinea(Allineamento::CentroCentro);
                g.ImpostaDimensione(9);
                g.ImpostaTesto((r + 2 * c) % 7 ? "" : testi[(r + c) % 4]);
                g.ImpostaStato(g.Testo().empty() ? StatoCella::Indecisa : StatoCella::Indizio);
                if (r == 3 && !g.Testo().empty()) g.EvidenziaIndizio();
            }
        }
        f.m.NumRighe = f.m.NumColonne = 100;
        f.Gr.Visibile = true;
        w.Impagina();
        QVERIFY(w.Tavola()->isVisible());
        QTest::qWait(300);
        Foto(w, "cento.png");
        const QSize schermo = w.screen()->availableGeometry().size();
        if (schermo.width() >= 1600 && schermo.height() >= 1200)
            QTRY_VERIFY(w.Area()->verticalScrollBar()->maximum() == 0 &&
                        w.Area()->horizontalScrollBar()->maximum() == 0);
        QVERIFY(w.Tavola()->Zoom() >= ZoomMinimoPer(100, 100) - 1e-9);
        w.findChild<QAction*>("mnuIngrandisci")->trigger();
        QTRY_VERIFY(w.Area()->verticalScrollBar()->maximum() > 0);
    }

    // The window fits every board it lays out: it grows with a large one and shrinks back; a
    // 50 x 50 board opens within the screen and scrolls; a larger window has larger cells.
    void laFinestraSegueLaTavola() {
        FinestraPrincipale w;
        Form1& f = w.Finestra();
        QVERIFY(Mostra(w) && f.CaricaSchema(Unico));
        const QSize piccola = w.size();
        QVERIFY(f.ApriFile(ISOLMAR_PUZZLES_DIR "/janko-0213.xml")); // 17 x 17
        QTRY_VERIFY(w.width() > piccola.width() && w.height() >= piccola.height());
        QVERIFY(f.CaricaSchema(Unico));
        QTRY_COMPARE(w.size(), piccola);
        QVERIFY(w.Tavola()->geometry().bottom() < w.height());

        QVERIFY(f.CaricaSchema(Grande()));
        const QRect libero = w.screen()->availableGeometry();
        QVERIFY(libero.width() <= 1600 && libero.height() <= 1200);
        QTRY_VERIFY(libero.contains(w.frameGeometry()));
        const double minimo = ZoomMinimoPer(50, 50);
        QVERIFY(w.Tavola()->Zoom() >= minimo - 1e-9);
        QVERIFY(w.Area()->verticalScrollBar()->maximum() > 0); // this screen is smaller
        // At its smallest zoom 50 x 50 and the panels around it fit a 1600 x 1200 screen, with
        // room for a title bar and a task bar.
        const QSizeF tavola = w.Tavola()->DimensioneNaturale() * minimo + QSizeF(3, 3);
        const QSize attorno = w.size() - w.Area()->viewport()->size();
        QVERIFY2(attorno.width() + tavola.width() <= 1600 &&
                     attorno.height() + tavola.height() <= 1200 - 80,
                 qPrintable(QStringLiteral("%1 x %2 around a board of %3 x %4")
                                .arg(attorno.width())
                                .arg(attorno.height())
                                .arg(tavola.width())
                                .arg(tavola.height())));

        QVERIFY(f.CaricaSchema(Schema{10, 10, {{3, 2, 2}, {4, 5, 7}, {2, 9, 3}}}));
        QTRY_VERIFY(libero.contains(w.frameGeometry()));
        const double prima = w.Tavola()->Zoom();
        const int lato = w.Tavola()->Pixel(LatoCella);
        w.resize(w.width() + 300, w.height() + 300);
        QTRY_VERIFY(w.Tavola()->Zoom() > prima * 1.2);
        QVERIFY(w.Tavola()->Pixel(LatoCella) > lato);
        const double adatto = w.Tavola()->Zoom();
        w.CambiaZoom(1.25); // Ctrl+plus
        QVERIFY(w.Tavola()->Zoom() > adatto);
        w.CambiaZoom(0); // Ctrl+0
        QCOMPARE(w.Tavola()->Zoom(), adatto);
    }

    // A long search handles the window's events as it goes: a key sent by a timer meanwhile
    // arrives, and Esc stops it. The window's clock is the local time of day.
    void escFermaLaRicerca() {
        FinestraPrincipale w;
        Form1& f = w.Finestra();
        QVERIFY(Mostra(w) && f.ApriFile(ISOLMAR_PUZZLES_DIR "/../difficili/janko-0962.xml"));
        QVERIFY(std::abs(w.Orologio() - QTime::currentTime().msecsSinceStartOfDay() / 1000.0) <
                0.5);
        QTimer::singleShot(100, &w, [&w] { QTest::keyClick(&w, Qt::Key_Escape); });
        QTest::mouseClick(w.findChild<QPushButton*>("CommandSoluz3"), Qt::LeftButton);
        QCOMPARE(Etichetta(w, "Label2"), QString(TestoRicercaInterrotta));
        QVERIFY(Etichetta(w, "Label1").startsWith("Ricerca interrotta dopo "));
        QCOMPARE(w.findChild<QProgressBar*>("ProgressBar1")->value(), 0);
        QVERIFY(f.m.NumProve > 0);
    }

    // The real log window: a scripted "Continua log" walks a small puzzle to its end message,
    // every window inside the screen and off the highlighted cell (the placement rule itself is
    // tested headless), and a click on a record row replays its configurations on the board.
    void logFinoAllaFine() {
        FinestraPrincipale w;
        Form1& f = w.Finestra();
        QVERIFY(Mostra(w) && f.CaricaSchema(Unico));
        const QRect schermo = w.screen()->availableGeometry();
        int passi = 0, replay = 0;
        QStringList fine, fuori; // the end message; the steps whose window was misplaced
        QSize dimensioni;
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
            const int prima = f.F3.Passi.back().PrimaRiga;
            if (f.F3.RigaConSerie(prima + 1) && replay++ == 0) {
                const QRectF q = RettangoloCella(f.F3.Gm, log->Vista()->PixelPerTwip(), prima + 1,
                                                 Form3::ColonnaTesto);
                QTest::mouseClick(log->Vista(), Qt::LeftButton, {}, q.center().toPoint());
                QVERIFY(f.F3.Timer1Attivo() && f.F3.ConfigMostrata >= 1);
                QVERIFY(w.findChild<QLabel*>("Lbllog")->isVisible());
                QVERIFY(Etichetta(w, "Lbllog").startsWith("Se l'isola 4,3"));
            }
            // The board numbers its rows and columns and frames the step's cell; "Passo
            // precedente" from the second step on.
            const QPoint o = w.Tavola()->Origine().toPoint();
            const QRectF q = RettangoloCella(f.Gr, w.Tavola()->PixelPerTwip(), f.F3.Mostrata.Riga,
                                             f.F3.Mostrata.Colonna);
            if (!w.Tavola()->Numeri() || o.x() <= 0 ||
                w.Tavola()->grab().toImage().pixelColor(o + q.topLeft().toPoint() + QPoint(1, 8)) !=
                    QColor(220, 0, 220) ||
                log->findChild<QPushButton*>("CmdPassoPrecedente")->isEnabled() != (passi > 1))
                fuori << QString("segno %1").arg(passi);
            // Every step's window has the first one's size.
            if (dimensioni.isEmpty()) dimensioni = log->size();
            if (log->size() != dimensioni)
                fuori << QString("dimensione %1 %2x%3 %4x%5")
                             .arg(passi)
                             .arg(log->width())
                             .arg(log->height())
                             .arg(dimensioni.width())
                             .arg(dimensioni.height());
            log->findChild<QPushButton*>("CmdContinuaLog")->click();
        });
        copione.start(10);
        w.Barra()->actions()[6]->trigger(); // "Mostra"
        copione.stop();
        QCOMPARE(fuori.join(", "), QString());
        QCOMPARE(passi, 9);
        QVERIFY(replay >= 1);
        QCOMPARE(fine,
                 QStringList{QString::fromUtf8("Fine del log \n Il livello di difficoltà è 1")});
        QVERIFY(!w.findChild<QLabel*>("Lbllog")->isVisible());
        QVERIFY(!f.InElaborazione());
        // After the run the numbers go, unless asked for from the menu.
        QTRY_VERIFY(!w.Tavola()->Numeri());
        QCOMPARE(w.Tavola()->Origine(), QPointF());
        w.findChild<QAction*>("mnuNumeri")->trigger();
        QVERIFY(w.Tavola()->Numeri());
    }

    // Ctrl+S on an opened file writes the move into it with no dialog; the title follows.
    void salvaAlSuoPosto() {
        const QString copia = QDir::temp().filePath("isolmar-qt-salva.xml");
        QFile::remove(copia);
        QVERIFY(QFile::copy(ISOLMAR_PUZZLES_DIR "/janko-0107.xml", copia));
        QFile::setPermissions(copia, QFile::ReadOwner | QFile::WriteOwner);
        FinestraPrincipale w;
        Form1& f = w.Finestra();
        QVERIFY(Mostra(w) && f.ApriFile(copia.toStdString()));
        QCOMPARE(w.windowTitle(), QString::fromUtf8("isolmar-qt-salva.xml — Isolmar"));
        QTest::mouseClick(w.Tavola(), Qt::RightButton, {}, Centro(w, 2, 2));
        QCOMPARE(w.windowTitle(), QString::fromUtf8("*isolmar-qt-salva.xml — Isolmar"));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keySequence(&w, QKeySequence::Save);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(w.windowTitle(), QString::fromUtf8("isolmar-qt-salva.xml — Isolmar"));
        FinestraPrincipale altra;
        QVERIFY(altra.Finestra().ApriFile(copia.toStdString()));
        QCOMPARE(altra.Finestra().m.TblGioco(2, 2), f.m.TblGioco(2, 2));
        QVERIFY(f.m.TblGioco(2, 2) != 0);
    }

    // Composing in the real window: the size asked, a click and digits type a clue, the check
    // runs after each one from the event loop, and the status follows.
    void componiConLaTastiera() {
        FinestraPrincipale w;
        Form1& f = w.Finestra();
        QVERIFY(Mostra(w));
        QTimer::singleShot(50, [] {
            QWidget* d = QApplication::activeModalWidget();
            const auto caselle = d->findChildren<QSpinBox*>();
            caselle[0]->setValue(5);
            caselle[1]->setValue(5);
            QTest::keyClick(d, Qt::Key_Return);
        });
        w.findChild<QAction*>("mnuComponi")->trigger();
        QVERIFY(f.InComposizione);
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // janko-0107: 2 at row 1 column 1, 1 at row 3 column 1, 6 at row 4 column 3; the 6
        // typed as 1 then 6 over a 1 kept apart by a click.
        const struct {
            int r, c;
            std::vector<Qt::Key> tasti;
        } indizi[] = {{1, 1, {Qt::Key_2}},
                      {3, 1, {Qt::Key_1}},
                      {4, 3, {Qt::Key_7, Qt::Key_Backspace, Qt::Key_6}}};
        for (const auto& i : indizi) {
            QTest::mouseClick(w.Tavola(), Qt::LeftButton, {}, Centro(w, i.r, i.c));
            for (Qt::Key k : i.tasti)
                QTest::keyClick(&w, k);
        }
        QTRY_COMPARE(Etichetta(w, "Label2"), QString::fromUtf8("Una sola soluzione — livello 1"));
        QCOMPARE(f.Comp.S.Isole.size(), size_t(3));
        QCOMPARE(Etichetta(w, "Label1"), QStringLiteral("3 indizi"));
    }

    // No text and no button that comes or goes moves a button or resizes the window.
    void laDisposizioneStaFerma() {
        FinestraPrincipale w;
        Form1& f = w.Finestra();
        QVERIFY(Mostra(w) && f.CaricaSchema(Unico));
        auto posti = [&w] {
            QList<QRect> r;
            for (QPushButton* b : w.findChildren<QPushButton*>())
                if (b->isVisible()) r << QRect(b->mapTo(&w, QPoint()), b->size());
            return std::pair(w.size(), r);
        };
        QCoreApplication::processEvents();
        const auto prima = posti();
        const std::string lungo(200, 'x');
        w.ImpostaTesto(controlli::Label1, lungo);
        w.ImpostaTesto(controlli::Label2, lungo + " " + lungo);
        QCoreApplication::processEvents();
        QCOMPARE(posti(), prima);
        // The arrows and "Rivisualizza schema" appear in places of their own.
        for (Controllo c :
             {controlli::CommandSoluzPiu, controlli::CommandSoluzMeno, controlli::CommandVisgioco})
            w.ImpostaVisibile(c, true);
        QCoreApplication::processEvents();
        QCOMPARE(posti().first, prima.first);
        for (const QRect& r : prima.second)
            QVERIFY(posti().second.contains(r));
    }

    // The README's and the help's picture of the log window (docs/log.png), taken when
    // ISOLMAR_SHOT_DIR is set: janko-0404 at its first step of two islands or more with failure
    // records, its first record replayed, the earlier steps listed above.
    void schermataDelLog() {
        const QByteArray cartella = qgetenv("ISOLMAR_SHOT_DIR");
        if (cartella.isEmpty()) QSKIP("no ISOLMAR_SHOT_DIR");
        // A screen to grab (not the offscreen test run, whose folder holds the help's log.png).
        if (QGuiApplication::platformName() != QStringLiteral("xcb")) QSKIP("not under X");
        FinestraPrincipale w;
        QVERIFY(Mostra(w, true));
        Form1& f = w.Finestra();
        QVERIFY(f.ApriFile(ISOLMAR_PUZZLES_DIR "/janko-0404.xml"));
        w.move(0, 0); // the log window to its right
        bool fatta = false;
        QTimer copione;
        connect(&copione, &QTimer::timeout, [&] {
            auto* log = qobject_cast<FinestraLog*>(QApplication::activeModalWidget());
            if (!log || !log->isVisible()) return;
            copione.stop();
            const Form3::Passo& p = f.F3.Passi.back();
            if (p.C.Livello >= 2 && f.F3.RigaConSerie(p.PrimaRiga + 1)) {
                f.F3.Gm_Click(p.PrimaRiga + 1);
                QTest::qWait(400);
                QVERIFY(QGuiApplication::primaryScreen()->grabWindow(0).save(
                    QString::fromLocal8Bit(cartella) + "/log.png"));
                fatta = true;
                log->findChild<QPushButton*>("CmdInterrompi")->click();
            } else {
                log->findChild<QPushButton*>("CmdContinuaLog")->click();
            }
            copione.start();
        });
        copione.start(20);
        w.Barra()->actions()[6]->trigger(); // "Mostra"
        copione.stop();
        QVERIFY(fatta);
    }

    // The lower panel is back after "Valuta", "Mostra" and "Interompi log"; the share menu acts
    // only once the log's run has ended; "Suggerimento" (the menu entry with Ctrl+H) shows a
    // step, and "Applica" is one move that Undo takes back.
    void pannelliESuggerimento() {
        FinestraPrincipale w;
        Form1& f = w.Finestra();
        QVERIFY(Mostra(w) && f.CaricaSchema(Unico));
        auto* frame2 = w.findChild<QGroupBox*>("Frame2");
        int log = 0;
        QTimer copione;
        connect(&copione, &QTimer::timeout, [&] {
            QWidget* modale = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modale)) box->accept();
            if (auto* x = qobject_cast<FinestraLog*>(modale); x && x->isVisible()) {
                // The run is still going: a share entry waits for it like every command.
                w.findChild<QAction*>("mnuCopiaLink")->trigger();
                x->findChild<QPushButton*>(log++ == 0 ? "CmdContinuaLog" : "CmdInterrompi")
                    ->click();
            }
        });
        copione.start(10);
        w.ImpostaAppunti("prima");
        for (const char* chiave : {"Valuta", "Mostra"}) {
            w.findChild<QAction*>(chiave)->trigger();
            QVERIFY(frame2->isVisible());
        }
        copione.stop();
        QCOMPARE(log, 2);
        QCOMPARE(w.TestoAppunti(100), std::string("prima"));
        w.findChild<QAction*>("mnuCopiaLink")->trigger();
        QVERIFY(w.TestoAppunti(100).starts_with("https://puzz.link/"));
        QAction* voce = w.findChild<QAction*>("mnuSuggerimento");
        QCOMPARE(voce->shortcut(), QKeySequence(QStringLiteral("Ctrl+H")));
        voce->trigger();
        QVERIFY(Etichetta(w, "Label2").startsWith("Suggerimento (livello 0):"));
        auto* applica = w.findChild<QPushButton*>("CmdApplica");
        QVERIFY(applica->isVisible() && !f.Suggerito.Celle.empty());
        const int32_t mosse = f.m.NumMosseGioco;
        applica->click();
        QCOMPARE(f.m.NumMosseGioco, mosse + static_cast<int32_t>(f.Suggerito.Celle.size()));
        QVERIFY(!applica->isVisible());
        w.findChild<QAction*>("Undo")->trigger();
        QCOMPARE(f.m.NumMosseGioco, mosse);
        QVERIFY(frame2->isVisible());
    }

    // Every box and dialog the program shows speaks Italian.
    void dialoghiInItaliano() {
        FinestraPrincipale::ParlaItaliano();
        FinestraPrincipale w;
        QVERIFY(Mostra(w));
        QStringList visti; // the buttons of each box, whose last one (cancel) is then pressed
        QList<QMessageBox::Icon> icone;
        QTimer risposta;
        connect(&risposta, &QTimer::timeout, [&] {
            if (QWidget* d = QApplication::activeModalWidget()) {
                if (auto* box = qobject_cast<QMessageBox*>(d)) icone << box->icon();
                QStringList testi;
                QPushButton* ultimo = nullptr;
                for (QPushButton* b : d->findChildren<QPushButton*>())
                    if (b->isVisible()) testi << b->text().remove('&'), ultimo = b;
                if (ultimo) visti << testi.join('/'), ultimo->click();
            }
        });
        risposta.start(20);
        QCOMPARE(w.Messaggio("Salvare lo schema attuale?", Pulsanti::SiNoAnnulla),
                 Risposta::Annulla);
        w.Messaggio("Dati errati", Pulsanti::Ok, Icona::Errore);
        w.Messaggio("Nessuno schema da salvare", Pulsanti::Ok, Icona::Avviso);
        w.Messaggio("Il livello dello schema è 1", Pulsanti::Ok);
        QCOMPARE(w.InputBox("nome", "atmp.txt"), std::string());
        risposta.stop();
        QCOMPARE(visti, QStringList({"Sì/No/Annulla", "OK", "OK", "OK", "OK/Annulla"}));
        QCOMPARE(icone, QList({QMessageBox::Question, QMessageBox::Critical, QMessageBox::Warning,
                               QMessageBox::Information}));
        // Qt's own file dialog, with the translations the scripts install.
        QFileDialog d(&w);
        d.setOption(QFileDialog::DontUseNativeDialog);
        d.setAcceptMode(QFileDialog::AcceptSave);
        d.show();
        QStringList pulsanti;
        for (QPushButton* b : d.findChildren<QPushButton*>())
            pulsanti << b->text().remove('&');
        QVERIFY2(pulsanti.contains("Annulla") && pulsanti.contains("Salva"),
                 qPrintable(pulsanti.join('/')));
    }

    // Shortcuts reach their commands; the arrows move a cursor that is drawn, keys set cells.
    void tastiera() {
        FinestraPrincipale w;
        Form1& f = w.Finestra();
        QVERIFY(Mostra(w) && f.CaricaSchema(Unico));
        for (int k : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Left})
            QTest::keyClick(&w, Qt::Key(k));
        QCOMPARE(f.CursoreRiga * 10 + f.CursoreColonna, 22);
        QTest::keyClick(&w, Qt::Key_M);
        QCOMPARE(f.m.TblGioco(2, 2), uint8_t(2));
        QTest::keyClick(&w, Qt::Key_Right);
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(f.m.TblGioco(2, 3), uint8_t(1));
        // The cursor's frame on (2, 3), orange.
        const int lato = w.Tavola()->Pixel(LatoCella);
        QCOMPARE(w.Tavola()->grab().toImage().pixelColor(2 * lato + 2, lato + lato / 2),
                 QColor(255, 128, 0));
        const struct {
            QKeySequence tasto;
            int mosse;
            uint8_t cella;
        } passi[] = {{QKeySequence::Undo, 1, 0},
                     {QKeySequence(QStringLiteral("Ctrl+Y")), 2, 1},
                     {QKeySequence::Undo, 1, 0},
                     {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), 2, 1}};
        for (const auto& p : passi) {
            QTest::keySequence(&w, p.tasto);
            QCOMPARE(f.m.NumMosseGioco, p.mosse);
            QCOMPARE(f.m.TblGioco(2, 3), p.cella);
        }
        // Commands that open a window: its title tells which one came; it is closed as its
        // close box would.
        const struct {
            QKeySequence tasto;
            QString titolo;
        } finestre[] = {{QKeySequence::HelpContents, "Istruzioni"},
                        {QKeySequence::New, "Nuovo schema"},
                        {QKeySequence(QStringLiteral("Ctrl+Q")), "Isolmar"}, // the save question
                        {QKeySequence(QStringLiteral("Ctrl+V")), "Isolmar"}};
        for (const auto& x : finestre) {
            w.activateWindow(); // shortcuts act in the active window
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QString titolo;
            int larghezza = 0;
            QTimer::singleShot(50, [&titolo, &larghezza, &w] {
                QWidget* d = QApplication::activeModalWidget();
                if (auto* aiuto = w.findChild<QDialog*>("Istruzioni"); !d && aiuto)
                    d = aiuto->isVisible() ? aiuto : nullptr; // help is not modal
                titolo = d ? d->windowTitle() : QStringLiteral("(nessuna)");
                larghezza = d ? d->width() : 0;
                if (d) d->close();
            });
            QTest::keySequence(&w, x.tasto);
            QTRY_VERIFY(!titolo.isEmpty());
            QCOMPARE(titolo, x.titolo);
            // "Nuovo schema" leaves room for its whole title.
            if (titolo == "Nuovo schema") QVERIFY(larghezza >= 320);
        }
        QVERIFY(w.isVisible());
        QCOMPARE(f.m.NumRighe, uint8_t(5)); // nothing was replaced
        // Space on the clue at (1, 1) opens its menu under that cell, not at the pointer.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        for (int k : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Left, Qt::Key_Left, Qt::Key_Space})
            QTest::keyClick(&w, Qt::Key(k));
        auto* menu = w.findChild<QMenu*>("MnuAzioniGr");
        QTRY_VERIFY(menu->isVisible());
        const QPoint cella =
            w.Tavola()->mapToGlobal(w.Tavola()->Cella(1, 1).bottomLeft().toPoint());
        QVERIFY((menu->pos() - cella).manhattanLength() <= 2);
        menu->hide();
    }

    // The README's pictures of play, taken when ISOLMAR_SHOT_DIR is set (under Xvfb, the whole
    // screen, so that message boxes show too).
    void schermateDelGioco() {
        const QByteArray cartella = qgetenv("ISOLMAR_SHOT_DIR");
        if (cartella.isEmpty()) QSKIP("no ISOLMAR_SHOT_DIR");
        const QString dir = QString::fromLocal8Bit(cartella) + "/";
        auto schermo = [&](const QString& nome) {
            QVERIFY(QGuiApplication::primaryScreen()->grabWindow(0).save(dir + nome));
        };
        // Plays the stored solution with the keys on the first lascia cells, those in sbagliate
        // wrong.
        auto gioca = [](Form1& f, std::set<int> sbagliate, int lascia) {
            for (int k = 0; k < std::min(lascia, f.m.NumRighe * f.m.NumColonne); ++k) {
                f.CursoreRiga = 1 + k / f.m.NumColonne;
                f.CursoreColonna = 1 + k % f.m.NumColonne;
                const bool isola = f.m.Tblsol(1, f.CursoreRiga, f.CursoreColonna) == 1;
                f.Tavola_KeyDown(isola != sbagliate.count(k) ? TastoGioco::Isola
                                                             : TastoGioco::Muro);
            }
        };
        for (int foto = 0; foto < 5; ++foto) {
            FinestraPrincipale w;
            QVERIFY(Mostra(w, true));
            Form1& f = w.Finestra();
            if (foto == 3) {
                QVERIFY(f.CaricaSchema(Grande()));
                QTest::qWait(300);
                schermo("grande.png");
                continue;
            }
            QVERIFY(f.ApriFile(foto >= 2 ? ISOLMAR_PUZZLES_DIR "/janko-0389.xml"
                                         : ISOLMAR_PUZZLES_DIR "/janko-0052.xml"));
            if (foto == 4) {
                // A game in progress: two snapshots, the first island marked and checked.
                for (int righe : {2, 4}) {
                    gioca(f, {}, righe * f.m.NumColonne);
                    f.tlb1_ButtonClick("Camera");
                }
                f.RigaGr = f.m.Ele[1].Riga;
                f.ColonnaGr = f.m.Ele[1].Colonna;
                f.Clic("mnuSmarcaMarca");
                f.Clic("mnuVerificaConfigurazione");
                QTRY_VERIFY(f.InVisSoluzione);
                Foto(w, "partita.png");
            } else if (foto == 0) {
                gioca(f, {3, 17, 42, 43}, 70);
                f.Clic("mnuVerificaSchema");
                QTest::qWait(200);
                schermo("verifica.png");
            } else if (foto == 1) {
                QTimer::singleShot(400, [&] {
                    schermo("risolto.png");
                    if (QWidget* d = QApplication::activeModalWidget()) d->close();
                });
                gioca(f, {}, 100);
                QTRY_VERIFY(Etichetta(w, "Label2").startsWith("Schema risolto!"));
                QTest::qWait(600);
            } else {
                w.resize(1100, 1000);
                w.move(250, 80);
                QTest::qWait(200);
                gioca(f, {}, 80);
                f.Tavola_KeyDown(TastoGioco::Giu);
                QTest::qWait(200);
                schermo("zoom.png");
            }
        }
    }
};

QTEST_MAIN(TestFinestra)
#include "test_finestra.moc"
