// Paper output checked as pixels: the printer (to PDF, through its dialog), a board larger than
// the page, the picture files in their three formats, booklets and their failed writes.
#include "Disegno.h"
#include "FinestraPrincipale.h"
#include "Immagini.h"
#include "Stampa.h"

#include "io/Letture.h"
#include "model/Impostazione.h"
#include "ui/Form1.h"

#include <QDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

using namespace isolmar;

namespace {

const Schema Unico{5, 5, {{2, 1, 1}, {1, 3, 1}, {6, 4, 3}}};

// Page p of a PDF as an image, through pdftoppm.
QImage Pagina(const QString& pdf, int p = 1, int dpi = 100) {
    const QString base = pdf + QStringLiteral("-pagina");
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {"-r", QString::number(dpi), "-f", QString::number(p), "-l",
                       QString::number(p), "-png", "-singlefile", pdf, base});
    return QImage(base + ".png").convertToFormat(QImage::Format_RGB32);
}

int Pagine(const std::string& pdf) {
    QProcess q;
    q.start(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)});
    q.waitForFinished();
    const QString testo = QString::fromUtf8(q.readAllStandardOutput());
    const qsizetype i = testo.indexOf(QStringLiteral("Pages:"));
    return i < 0 ? -1 : testo.mid(i + 6).section('\n', 0, 0).trimmed().toInt();
}

bool Chiaro(QRgb c) {
    return qRed(c) > 235 && qGreen(c) > 235 && qBlue(c) > 235;
}

// The bounding box of everything not white.
QRect Riquadro(const QImage& img, int primaRiga = 0) {
    QRect q;
    for (int y = primaRiga; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!Chiaro(img.pixel(x, y))) q |= QRect(x, y, 1, 1);
    return q;
}

// A board of righe x colonne cells of 500 twips after a header of intestazione twips, found as
// the bounding box q of the image: the rectangle of cell (r, c) without its outer fifth (its
// border).
QRectF QuadroCella(const QRect& q, int righe, int colonne, int r, int c, int intestazione = 0) {
    const double kx = q.width() / double(intestazione + 500 * colonne);
    const double ky = q.height() / double(intestazione + 500 * righe);
    return {q.x() + (intestazione + (c - 1 + 0.2) * 500) * kx,
            q.y() + (intestazione + (r - 1 + 0.2) * 500) * ky, 300 * kx, 300 * ky};
}

// The background of a cell, away from its digit.
QRgb Fondo(const QImage& img, const QRectF& cella) {
    return img.pixel(cella.topLeft().toPoint());
}

bool Tinta(QRgb x, QColor c) {
    return std::abs(qRed(x) - c.red()) < 40 && std::abs(qGreen(x) - c.green()) < 40 &&
           std::abs(qBlue(x) - c.blue()) < 40;
}

// Dark pixels inside a cell.
int Scuri(const QImage& img, const QRectF& cella) {
    const QRect dentro = cella.toRect();
    int n = 0;
    for (int y = dentro.top(); y <= dentro.bottom(); ++y)
        for (int x = dentro.left(); x <= dentro.right(); ++x)
            n += qGray(img.pixel(x, y)) < 100;
    return n;
}

// One row of colonne cells of 500 twips (no header), the numbers of testi in turn, each at
// 9 or 12 points (a highlighted clue), bold or not; vuota leaves the texts out.
Griglia Numeri(const std::vector<const char*>& testi, int colonne, bool vuota = false) {
    Griglia g;
    g.ImpostaRighe(2);
    g.ImpostaColonne(colonne + 1);
    g.ImpostaAltezzaRiga(0, 0);
    g.ImpostaLarghezzaColonna(0, 0);
    g.ImpostaAltezzaRiga(1, 500);
    for (int c = 1; c <= colonne; ++c) {
        g.ImpostaLarghezzaColonna(c, 500);
        g.Seleziona(1, c);
        g.ImpostaAllinea(Allineamento::CentroCentro);
        g.ImpostaTesto(vuota ? "" : testi[(c - 1) % testi.size()]);
        g.ImpostaDimensione((c - 1) / testi.size() % 2 ? 12 : 9);
        g.ImpostaGrassetto((c - 1) / testi.size() % 4 >= 2);
    }
    return g;
}

QImage Dipinta(const Griglia& g, double k, int cifreMinime,
               const std::function<void(QPainter&)>& poi = {}) {
    const QSizeF d = DimensioneGriglia(g, k);
    QImage img(int(d.width()) + 4, int(d.height()) + 4, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter pt(&img);
    DisegnaGriglia(pt, g, k, {1, 1}, {}, cifreMinime);
    if (poi) poi(pt);
    return img;
}

std::string Leggi(const std::string& percorso) {
    std::ifstream f(percorso, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

} // namespace

class TestStampa : public QObject {
    Q_OBJECT
    QTemporaryDir cartella_;
    std::string File(const char* nome) const { return cartella_.filePath(nome).toStdString(); }

    // The test puzzle, without its solution, as a file.
    std::string SchemaSuFile() const {
        auto m = NuovoModello();
        ApplicaSchema(*m, Unico);
        const std::string percorso = File("unico.xml");
        ScriviFileSicuro(percorso, ScriviXml(*m));
        return percorso;
    }

  private slots:
    void initTestCase() {
        // The printer's PDF goes to the documents folder: keep it inside the test's folder.
        qputenv("HOME", cartella_.path().toUtf8());
    }

    // Nothing on an empty board; the dialog cancelled, then confirmed: the board on paper, centred
    // at its size, in print colours (islands and clues yellow, walls blue, the rest plain: an
    // undecided cell, a marked clue, an island under an overlay), with its digits.
    void stampaDalDialogo() {
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("a printer is installed: this test would print on paper");
        FinestraPrincipale w;
        Form1& f = w.Finestra();
        bool conferma = false;
        QStringList finestre; // every modal window, answered as conferma says
        QTimer risposta;
        connect(&risposta, &QTimer::timeout, [&] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                finestre << d->metaObject()->className();
                conferma ? d->accept() : d->reject();
            }
        });
        risposta.start(20);
        f.tlb1_ButtonClick("Stampa");
        QTest::qWait(100);
        QVERIFY(finestre.isEmpty() && !w.Stampante());
        QVERIFY(f.CaricaSchema(Unico));
        f.m.TblGioco(1, 2) = f.m.TblGioco(3, 3) = 1; // islands
        f.m.TblGioco(2, 2) = 2;                      // wall; (2, 3) stays undecided
        for (int i = 1; i <= f.m.NumEle; ++i)
            f.m.Ele[i].Marcata = f.m.Ele[i].Riga == 4; // the clue at (4, 3)
        f.VisualizzaTblGioco();
        f.Gr.Seleziona(3, 3);
        f.Gr.ImpostaSfondo(Verdeacqua);
        for (const bool c : {false, true}) {
            conferma = c;
            f.tlb1_ButtonClick("Stampa");
            QTest::qWait(100); // time for any window after the dialog
            QCOMPARE(finestre, QStringList(c ? 2 : 1, "QPrintDialog"));
            QVERIFY(w.Stampante());
            const QString pdf = w.Stampante()->outputFileName();
            QVERIFY(!pdf.isEmpty());
            QCOMPARE(QFileInfo::exists(pdf), c);
        }
        const QImage img = Pagina(w.Stampante()->outputFileName());
        // The puzzle's name heads the page, above the board.
        const int titolo = img.height() / 8;
        QVERIFY(Scuri(img, QRectF(0, 0, img.width(), titolo)) > 20);
        const QRect q = Riquadro(img, titolo);
        // Centred on the page, at the board's size (500 twips a cell at 100 dpi).
        QVERIFY(std::abs(q.center().x() - img.width() / 2) <= 2);
        QVERIFY(std::abs(q.center().y() - img.height() / 2) <= 2);
        QVERIFY(std::abs(q.width() - (30 + 5 * 500) * 100 / 1440) <= 3);
        auto fondo = [&](int r, int c) { return Fondo(img, QuadroCella(q, 5, 5, r, c, 30)); };
        for (auto [r, c] : {std::pair{1, 1}, {1, 2}})
            QVERIFY(Tinta(fondo(r, c), Qt::yellow));
        QVERIFY(Tinta(fondo(2, 2), Qt::blue));
        for (auto [r, c] : {std::pair{2, 3}, {4, 3}, {3, 3}})
            QVERIFY(Chiaro(fondo(r, c)));
        for (const Indizio& i : Unico.Isole)
            QVERIFY2(Scuri(img, QuadroCella(q, 5, 5, i.Riga, i.Colonna, 30)) > 3,
                     "clue digit drawn");
        QCOMPARE(Scuri(img, QuadroCella(q, 5, 5, 2, 3, 30)), 0);
    }

    void grandeSullaPagina() {
        for (const int lato : {50, 100}) {
            Griglia g;
            g.ImpostaRighe(lato + 1);
            g.ImpostaColonne(lato + 1);
            for (int i = 0; i <= lato; ++i) {
                g.ImpostaAltezzaRiga(i, i ? 500 : 30);
                g.ImpostaLarghezzaColonna(i, i ? 500 : 30);
            }
            g.Seleziona(lato, lato);
            g.ImpostaSfondo(Blu); // the far corner must be on paper too
            QPrinter stampante(QPrinter::HighResolution);
            PreparaStampante(stampante, cartella_.path());
            stampante.setOutputFormat(QPrinter::PdfFormat);
            stampante.setOutputFileName(cartella_.filePath("grande.pdf"));
            QVERIFY(StampaGriglia(stampante, g));
            const QImage img = Pagina(cartella_.filePath("grande.pdf"), 1, 50);
            const QRect q = Riquadro(img);
            const int margine = 15 * 50 / 25.4; // 15 mm at 50 dpi
            QVERIFY(q.left() >= margine - 2 && q.right() <= img.width() - margine + 2);
            QVERIFY(q.top() >= margine - 2 && q.bottom() <= img.height() - margine + 2);
            QVERIFY(std::abs(q.width() - q.height()) <= 2);      // scaled, not cut
            QVERIFY(q.width() >= img.width() - 2 * margine - 3); // as large as fits
            QVERIFY(Tinta(Fondo(img, QuadroCella(q, lato, lato, lato, lato, 30)), Qt::blue));
        }
    }

    // The three picture formats, with and without the solution, at 8 mm a cell.
    void immagini() {
        SchemaCarta s;
        QCOMPARE(LeggiSchemaCarta(SchemaSuFile(), true, 10, s), std::string()); // solved here
        QCOMPARE(s.Soluzione.size(), size_t(25));
        for (const QString formato : {"png", "svg", "pdf"})
            for (const bool soluzione : {false, true}) {
                const std::string uscita = File("immagine.") + formato.toStdString();
                const QString caso = formato + (soluzione ? " soluzione" : "");
                QVERIFY2(ComandoImmagine({SchemaSuFile(), uscita, soluzione, 8, 10}) == 0,
                         qPrintable(caso));
                QImage img;
                if (formato == "png") {
                    img.load(QString::fromStdString(uscita));
                    QCOMPARE(img.dotsPerMeterX(), 5906); // 150 dpi
                } else if (formato == "svg") {
                    QSvgRenderer svg(QString::fromStdString(uscita));
                    QVERIFY(svg.isValid());
                    img = QImage(svg.defaultSize() * 2, QImage::Format_RGB32);
                    img.fill(Qt::white);
                    QPainter pt(&img);
                    svg.render(&pt);
                } else {
                    img = Pagina(QString::fromStdString(uscita), 1, 150);
                }
                img = img.convertToFormat(QImage::Format_RGB32);
                const QRect q = Riquadro(img);
                // 5 cells of 8 mm and a 2 mm border on each side: 44 mm.
                if (formato != "svg") QVERIFY(std::abs(img.width() - 44 * 150 / 25.4) <= 3);
                for (int k = 0; k < 25; ++k) {
                    const bool isola = !soluzione || s.Soluzione[size_t(k)] == '1';
                    const QRgb colore = Fondo(img, QuadroCella(q, 5, 5, k / 5 + 1, k % 5 + 1));
                    QVERIFY2(isola ? Chiaro(colore) : Tinta(colore, Qt::blue),
                             qPrintable(caso + " " + QString::number(k)));
                }
                for (const Indizio& i : Unico.Isole)
                    QVERIFY(Scuri(img, QuadroCella(q, 5, 5, i.Riga, i.Colonna)) > 3);
            }
    }

    // Pages of puzzles, then pages of solutions (blue walls on the last one).
    void libretti() {
        // Puzzles, puzzles a page, with solutions, pages.
        const int casi[][4] = {
            {1, 1, 0, 1}, {5, 4, 0, 2}, {5, 4, 1, 3}, {17, 4, 1, 7}, {9, 1, 1, 12}};
        for (auto [schemi, perPagina, soluzioni, pagine] : casi) {
            OpzioniLibretto o;
            o.Uscita = File("libretto.pdf");
            o.PerPagina = perPagina;
            o.Soluzioni = soluzioni;
            o.Titolo = "Prova";
            o.File.assign(size_t(schemi), SchemaSuFile());
            QCOMPARE(ComandoLibretto(o), 0);
            QCOMPARE(PagineLibretto(schemi, perPagina, soluzioni), pagine);
            QCOMPARE(Pagine(o.Uscita), pagine);
            if (!soluzioni) continue;
            const QImage img = Pagina(QString::fromStdString(o.Uscita), pagine, 50);
            bool blu = false;
            for (int y = 0; y < img.height() && !blu; ++y)
                for (int x = 0; x < img.width() && !blu; ++x)
                    blu = Tinta(img.pixel(x, y), Qt::blue);
            QVERIFY(blu);
        }
    }

    // Numbers of one to four digits at every scale, from the smallest zoom of a 100 x 100 board
    // to print resolution: their ink stays a pixel or more inside their cell, centred, and still
    // sizeable in a cell of 20 pixels or more; a single digit is drawn as it always was.
    void numeriNellaCella() {
        const std::vector<const char*> testi = {"7", "12", "123", "1234", "10000"};
        const int colonne = 40;
        const struct {
            double k;
            int minime;
        } scale[] = {{96 / 1440.0 * ZoomMinimoPer(100, 100), 0},
                     {96 / 1440.0 * ZoomMinimoPer(100, 100), CifreLeggibili},
                     {96 / 1440.0 * ZoomMinimo, 0},
                     {96 / 1440.0, 0},
                     {96 / 1440.0 * 4, 0},
                     {150 / 1440.0, 0},
                     {600 / 1440.0, 0}};
        const Griglia g = Numeri(testi, colonne), vuota = Numeri(testi, colonne, true);
        for (const auto& s : scale) {
            // Qt draws a large glyph's first use a little differently: a first painting warms
            // its cache.
            Dipinta(g, s.k, s.minime);
            const QImage img = Dipinta(g, s.k, s.minime), fondo = Dipinta(vuota, s.k, s.minime);
            // The single digits drawn the plain way, at the font's own size.
            const QImage prima = Dipinta(vuota, s.k, 0, [&](QPainter& pt) {
                for (int c = 1; c <= colonne; ++c)
                    if (std::strlen(g.CellaIn(1, c).Testo.c_str()) == 1 && s.minime == 0) {
                        QFont f(QStringLiteral("Arial"));
                        f.setPixelSize(
                            std::max(1, int(std::lround(g.CellaIn(1, c).Dimensione * 20 * s.k))));
                        f.setBold(g.CellaIn(1, c).Grassetto);
                        pt.setFont(f);
                        pt.setPen(Qt::black);
                        pt.drawText(RettangoloCella(g, s.k, 1, c).translated(1, 1), Qt::AlignCenter,
                                    QString::fromStdString(g.CellaIn(1, c).Testo));
                    }
            });
            for (int c = 1; c <= colonne; ++c) {
                const QRectF q = RettangoloCella(g, s.k, 1, c).translated(1, 1);
                const QRect cella(int(q.left()), 0, int(q.right()) - int(q.left()) + 1,
                                  img.height());
                QRect ink;
                bool uguale = true;
                for (int y = 0; y < img.height(); ++y)
                    for (int x = cella.left(); x <= cella.right() && x < img.width(); ++x) {
                        if (img.pixel(x, y) != fondo.pixel(x, y)) ink |= QRect(x, y, 1, 1);
                        uguale = uguale && img.pixel(x, y) == prima.pixel(x, y);
                    }
                const QString dove = QStringLiteral("k %1 colonna %2").arg(s.k).arg(c);
                QVERIFY2(!ink.isEmpty(), qPrintable(dove));
                QVERIFY2(q.adjusted(1, 1, -1, -1).contains(QRectF(ink)), qPrintable(dove));
                QVERIFY2(std::abs(QRectF(ink).center().x() - q.center().x()) <=
                                 1.5 + q.width() / 20 &&
                             std::abs(QRectF(ink).center().y() - q.center().y()) <=
                                 1.5 + q.height() / 20,
                         qPrintable(dove));
                if (q.height() >= 20 && std::strlen(g.CellaIn(1, c).Testo.c_str()) <= 4)
                    QVERIFY2(ink.height() >= q.height() / 5, qPrintable(dove));
                if (s.minime == 0 && std::strlen(g.CellaIn(1, c).Testo.c_str()) == 1)
                    QVERIFY2(uguale, qPrintable(dove));
            }
        }
    }

    void scrittureFallite() {
        const std::string uscita = File("esistente.pdf");
        { std::ofstream(uscita) << "vecchio"; }
        OpzioniLibretto o;
        o.Uscita = uscita;
        o.File = {SchemaSuFile(), File("mancante.xml")}; // one refused puzzle: nothing written
        QCOMPARE(ComandoLibretto(o), 2);
        QCOMPARE(Leggi(uscita), std::string("vecchio"));
        o.File = {SchemaSuFile()};
        std::filesystem::permissions(uscita, std::filesystem::perms::owner_read);
        QPrinter stampante;
        stampante.setOutputFormat(QPrinter::PdfFormat);
        stampante.setOutputFileName(QString::fromStdString(uscita));
        std::string motivo;
        // A read-only file is refused by the booklet, the picture and the printer alike.
        QCOMPARE(ComandoLibretto(o), 2);
        QCOMPARE(ComandoImmagine({SchemaSuFile(), uscita, false, 0, 10}), 2);
        QVERIFY(!StampaGriglia(stampante, Griglia(), &motivo));
        QVERIFY(!motivo.empty());
        QCOMPARE(Leggi(uscita), std::string("vecchio"));
        // Two solutions: no solution to draw.
        auto m = NuovoModello();
        ApplicaSchema(*m, Schema{2, 2, {{2, 1, 1}}});
        ScriviFileSicuro(File("due.xml"), ScriviXml(*m));
        SchemaCarta s;
        QVERIFY(LeggiSchemaCarta(File("due.xml"), true, 10, s).find("più di una") !=
                std::string::npos);
    }
};

QTEST_MAIN(TestStampa)
#include "test_stampa.moc"
