#include "Immagini.h"

#include "io/PuzzLink.h"

#include "Disegno.h"
#include "Stampa.h"

#include "io/Letture.h"
#include "model/Impostazione.h"
#include "ui/ProgrammaSenzaFinestra.h"
#include "ui/Testi.h"
#include "view/PiattaformaHeadless.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <filesystem>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace isolmar {

namespace {

constexpr double TwipPerMm = 1440.0 / 25.4;
constexpr double DpiPng = 150, DpiSvg = 96, DpiPdf = 600, DpiLibretto = 300;
constexpr double MargineMm = 2; // white border around a single picture
constexpr double MargineLibrettoMm = 15;
constexpr double CellaMaxLibrettoMm = 10; // a puzzle never grows beyond this on a booklet page

bool Finisce(const std::string& s, const std::string& fine) {
    return s.size() >= fine.size() && s.compare(s.size() - fine.size(), fine.size(), fine) == 0;
}

// The board as a player gets it on paper (clues on white cells) or its solution (islands
// white, walls blue), with the window's cell sizes and fonts and no header row or column.
Griglia GrigliaCarta(const SchemaCarta& s, bool soluzione) {
    static thread_local std::unique_ptr<Modello> m = NuovoModello();
    PiattaformaHeadless p;
    Griglia g;
    ApplicaSchema(*m, s.S);
    m->ModoTempo = 0;
    InizializzaSchema(*m, g, p);
    for (int r = 1; r <= s.S.Righe; ++r)
        for (int c = 1; c <= s.S.Colonne; ++c) {
            g.Seleziona(r, c);
            const size_t i = static_cast<size_t>((r - 1) * s.S.Colonne + (c - 1));
            const bool isola = !soluzione || (i < s.Soluzione.size() && s.Soluzione[i] == '1') ||
                               !g.Testo().empty();
            g.ImpostaStato(isola ? StatoCella::Isola : StatoCella::Muro);
        }
    return g;
}

// Device units per twip for a cell of cellaMm (0: the screen's 500 twips) at dpi.
double Scala(double dpi, double cellaMm) {
    const double k = dpi / 1440.0;
    return cellaMm > 0 ? k * cellaMm * TwipPerMm / LatoCella : k;
}

std::string Byte(const QByteArray& b) {
    return {b.constData(), static_cast<size_t>(b.size())};
}

// Solves a puzzle without a stored solution, asking for two: only a unique solution is printed.
std::string Risolvi(SchemaCarta& s, int limite) {
    ProgrammaSenzaFinestra w;
    Form1& f = w.f;
    if (!f.CaricaSchema(s.S)) return w.p.Messaggi.empty() ? TestoDatiErrati : w.p.Messaggi.back();
    w.LimiteSecondi(limite);
    const EsitoRicerca e = EsitoDi(f.Ris.SoluzioneStart(2), f.m);
    w.LimiteSecondi(0);
    if (e == EsitoRicerca::Interrotta)
        return TestiStampa.Testo(e, f.m) + ": limite di tempo raggiunto (" +
               std::to_string(limite) + " s)";
    if (e != EsitoRicerca::Una) return TestiStampa.Testo(e, f.m);
    s.Soluzione = CelleSoluzione(f.m);
    return {};
}

void Testo(QPainter& pt, const QRectF& q, const QString& t, double punti, bool grassetto,
           double dpi, int allinea = Qt::AlignHCenter | Qt::AlignTop) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(punti * dpi / 72))));
    f.setBold(grassetto);
    pt.setFont(f);
    pt.setPen(Qt::black);
    pt.drawText(q, allinea, t);
}

QString Didascalia(int numero, const SchemaCarta& s, bool soluzione) {
    QString t = QStringLiteral("Schema %1").arg(numero);
    if (soluzione) return t;
    t += QStringLiteral(" · %1 x %2").arg(s.S.Righe).arg(s.S.Colonne);
    if (s.Livello >= 0) t += QStringLiteral(" · livello %1").arg(s.Livello);
    return t;
}

} // namespace

void AvviaGrafica() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's note about a missing runtime folder says nothing to someone making pictures.
    static const QtMessageHandler predefinito = qInstallMessageHandler(
        [](QtMsgType tipo, const QMessageLogContext& contesto, const QString& testo) {
            if (!testo.startsWith(QLatin1String("QStandardPaths:")))
                predefinito(tipo, contesto, testo);
        });
    static int argc = 1;
    static char nome[] = "isolmar-cli";
    static char* argv[] = {nome, nullptr};
    static QGuiApplication app(argc, argv);
}

std::string LeggiSchemaCarta(const std::string& percorso, bool serveSoluzione, int limite,
                             SchemaCarta& s) {
    std::string dati, motivo;
    std::error_code ec;
    const bool link = SembraLink(percorso) && !std::filesystem::exists(percorso, ec);
    if (!link && !LeggiFile(percorso, dati, &motivo))
        return std::string(TestoFileErrato) + "\n" + motivo;
    const EsitoLettura e = link ? LeggiLink(percorso) : LeggiSchema(dati);
    if (!e.Ok()) return e.Testo();
    s = {e.Letto.S, e.Letto.HaSoluzione ? e.Letto.Soluzione : "", -1};
    if (serveSoluzione && s.Soluzione.empty()) return Risolvi(s, limite);
    return {};
}

std::string DisegnaImmagine(const SchemaCarta& s, const std::string& nome, bool soluzione,
                            double cellaMm) {
    AvviaGrafica();
    const Griglia g = GrigliaCarta(s, soluzione);
    QByteArray byte;
    QBuffer buffer(&byte);
    buffer.open(QIODevice::WriteOnly);
    auto dimensione = [&](double dpi, double& k, double& margine) {
        k = Scala(dpi, cellaMm);
        // Without a cell size, a board over 50 cells a side is drawn as large as a 50-cell one
        // (44 cm a side), its cells smaller, rather than growing past any page or memory.
        const int lato = std::max(s.S.Righe, s.S.Colonne);
        if (cellaMm <= 0 && lato > 50) k *= 50.0 / lato;
        margine = MargineMm * dpi / 25.4;
        const QSizeF d = DimensioneGriglia(g, k);
        return QSize(static_cast<int>(std::ceil(d.width() + 2 * margine)),
                     static_cast<int>(std::ceil(d.height() + 2 * margine)));
    };
    double k = 0, margine = 0;
    if (Finisce(nome, ".png")) {
        const QSize d = dimensione(DpiPng, k, margine);
        QImage img(d, QImage::Format_RGB32);
        img.fill(DaBgr(Tavolozza::Carta));
        img.setDotsPerMeterX(static_cast<int>(std::lround(DpiPng / 0.0254)));
        img.setDotsPerMeterY(img.dotsPerMeterX());
        QPainter pt(&img);
        pt.setRenderHint(QPainter::TextAntialiasing);
        DisegnaGriglia(pt, g, k, {margine, margine});
        pt.end();
        img.save(&buffer, "PNG");
    } else if (Finisce(nome, ".svg")) {
        const QSize d = dimensione(DpiSvg, k, margine);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setResolution(static_cast<int>(DpiSvg));
        svg.setSize(d);
        svg.setViewBox(QRect(QPoint(0, 0), d));
        svg.setTitle(QStringLiteral("Isolmar %1 x %2").arg(s.S.Righe).arg(s.S.Colonne));
        QPainter pt(&svg);
        pt.fillRect(QRect(QPoint(0, 0), d), DaBgr(Tavolozza::Carta));
        DisegnaGriglia(pt, g, k, {margine, margine});
    } else if (Finisce(nome, ".pdf")) {
        const QSize d = dimensione(DpiPdf, k, margine);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(static_cast<int>(DpiPdf));
        pdf.setPageMargins({});
        pdf.setPageSize(QPageSize(QSizeF(d.width() * 25.4 / DpiPdf, d.height() * 25.4 / DpiPdf),
                                  QPageSize::Millimeter));
        pdf.setTitle(QStringLiteral("Isolmar"));
        QPainter pt(&pdf);
        DisegnaCentrata(pt, g, k, QRectF(QPointF(0, 0), QSizeF(pdf.width(), pdf.height())));
    } else {
        return {};
    }
    return Byte(byte);
}

int PagineLibretto(int n, int perPagina, bool soluzioni) {
    auto pagine = [](int n, int k) { return (n + k - 1) / k; };
    return pagine(n, perPagina) + (soluzioni ? pagine(n, 4 * perPagina) : 0);
}

std::string DisegnaLibretto(const OpzioniLibretto& o, const std::vector<SchemaCarta>& schemi) {
    AvviaGrafica();
    QByteArray byte;
    QBuffer buffer(&byte);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(static_cast<int>(DpiLibretto));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(
        QMarginsF(MargineLibrettoMm, MargineLibrettoMm, MargineLibrettoMm, MargineLibrettoMm),
        QPageLayout::Millimeter);
    pdf.setTitle(o.Titolo.empty() ? QStringLiteral("Isolmar") : QString::fromStdString(o.Titolo));
    QPainter pt(&pdf);
    const QRectF pagina(0, 0, pdf.width(), pdf.height());
    const double mm = DpiLibretto / 25.4;
    bool primaPagina = true;
    // Puzzles (or solutions) in slots of colonne x righe a page, each with its caption.
    auto sezione = [&](int perPagina, bool soluzione, const QString& intestazione) {
        const int colonne = static_cast<int>(std::ceil(std::sqrt(perPagina)));
        const int righe = (perPagina + colonne - 1) / colonne;
        const double altezzaDidascalia = (soluzione ? 5 : 7) * mm;
        for (size_t i = 0; i < schemi.size(); ++i) {
            const int posto = static_cast<int>(i) % perPagina;
            QRectF area = pagina;
            if (posto == 0) {
                if (!primaPagina) pdf.newPage();
                primaPagina = false;
            }
            if (!intestazione.isEmpty()) { // a heading band on every page of the section
                Testo(pt, QRectF(area.x(), area.y(), area.width(), 12 * mm), intestazione, 16, true,
                      DpiLibretto);
                area.setTop(area.top() + 14 * mm);
            }
            const double w = area.width() / colonne, h = area.height() / righe;
            const QRectF cella(area.x() + (posto % colonne) * w, area.y() + (posto / colonne) * h,
                               w, h);
            const QRectF spazio =
                cella.adjusted(3 * mm, 2 * mm, -3 * mm, -(altezzaDidascalia + 2 * mm));
            const Griglia g = GrigliaCarta(schemi[i], soluzione);
            const QRectF q = DisegnaCentrata(pt, g, Scala(DpiLibretto, CellaMaxLibrettoMm), spazio);
            Testo(pt, QRectF(cella.x(), q.bottom() + 1 * mm, w, altezzaDidascalia),
                  Didascalia(static_cast<int>(i) + 1, schemi[i], soluzione), soluzione ? 7 : 10,
                  false, DpiLibretto);
        }
    };
    sezione(o.PerPagina, false, QString::fromStdString(o.Titolo));
    if (o.Soluzioni) sezione(4 * o.PerPagina, true, QStringLiteral("Soluzioni"));
    pt.end();
    return Byte(byte);
}

std::string ScriviLibretto(const OpzioniLibretto& o, const std::vector<SchemaCarta>& schemi) {
    if (schemi.empty()) return "Nessuno schema per il libretto";
    if (o.Soluzioni)
        for (size_t i = 0; i < schemi.size(); ++i)
            if (schemi[i].Soluzione.empty())
                return "Schema " + std::to_string(i + 1) + ": soluzione non nota";
    std::string motivo;
    if (!ScriviFileSicuro(o.Uscita, DisegnaLibretto(o, schemi), &motivo))
        return "Impossibile scrivere il file\n" + motivo;
    return {};
}

int ComandoImmagine(const OpzioniImmagine& o) {
    if (!Finisce(o.Uscita, ".png") && !Finisce(o.Uscita, ".svg") && !Finisce(o.Uscita, ".pdf")) {
        std::cerr << o.Uscita << ": l'immagine va in un file .png, .svg o .pdf\n";
        return 2;
    }
    if (o.CellaMm < 0 || o.CellaMm > 50) {
        std::cerr << "--cell-mm vuole un numero da 1 a 50\n";
        return 2;
    }
    SchemaCarta s;
    if (const std::string e = LeggiSchemaCarta(o.File, o.Soluzione, o.Limite, s); !e.empty()) {
        std::cerr << o.File << ": " << e << "\n";
        return 2;
    }
    std::string motivo;
    if (!ScriviFileSicuro(o.Uscita, DisegnaImmagine(s, o.Uscita, o.Soluzione, o.CellaMm),
                          &motivo)) {
        std::cerr << o.Uscita << ": Impossibile scrivere il file\n" << motivo << "\n";
        return 2;
    }
    return 0;
}

int ComandoLibretto(const OpzioniLibretto& o) {
    if (!Finisce(o.Uscita, ".pdf")) {
        std::cerr << "--out vuole un file .pdf\n";
        return 2;
    }
    if (o.PerPagina < 1 || o.PerPagina > MaxPerPagina) {
        std::cerr << "--per-page vuole un numero da 1 a " << MaxPerPagina << "\n";
        return 2;
    }
    if (o.File.empty()) {
        std::cerr << "Nessuno schema per il libretto\n";
        return 2;
    }
    std::vector<SchemaCarta> schemi(o.File.size());
    int esito = 0;
    for (size_t i = 0; i < o.File.size(); ++i)
        if (const std::string e = LeggiSchemaCarta(o.File[i], o.Soluzioni, o.Limite, schemi[i]);
            !e.empty()) {
            std::cerr << o.File[i] << ": " << e << "\n";
            esito = 2;
        }
    if (esito) return esito; // nothing is written for a booklet with a refused puzzle
    if (const std::string e = ScriviLibretto(o, schemi); !e.empty()) {
        std::cerr << o.Uscita << ": " << e << "\n";
        return 2;
    }
    return 0;
}

} // namespace isolmar
