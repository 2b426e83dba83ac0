#include "Disegno.h"

#include <QFont>
#include <QFontMetricsF>
#include <QMap>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace isolmar {

QColor DaBgr(Colore c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QString TestoCella(const Griglia::Cella& c) {
    const QString t = QString::fromStdString(c.Testo);
    if (QString::fromStdString(c.Font).compare("Wingdings", Qt::CaseInsensitive) != 0) return t;
    static const QMap<QChar, QChar> simboli = {
        {'n', QChar(0x25A0)},        // black square
        {'o', QChar(0x25A1)},        // white square
        {'p', QChar(0x25FB)},        // white medium square
        {'l', QChar(0x25CF)},        // black circle
        {'3', QChar(0x2750)},        // page (log rows)
        {QChar(200), QChar(0x27A6)}, // arrow curving up and right (a heading with records)
        {QChar(202), QChar(0x27A5)}, // arrow curving down and right (a record's row)
    };
    QString s;
    for (QChar ch : t) {
        const char16_t u = ch.unicode();
        if (u >= 140 && u <= 149) // black circled digits 1..10 of the snapshot strip
            s += QChar(0x2776 + (u - 140));
        else
            s += simboli.value(ch, ch);
    }
    return s;
}

namespace {

Qt::Alignment Allineamento_(Allineamento a) {
    switch (a) {
    case Allineamento::SinistraCentro:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case Allineamento::DestraCentro:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignCenter;
    }
}

// The marks of a board cell (segni::) over its fill: a dot in a cell the player made island; the
// rule errors in orange and vermillion, which stay apart from the board's blue, grey and white
// for every kind of colour vision, each kind with a shape of its own besides: a cross over the
// walls of a 2 x 2 block, stripes over walls cut off, and over an island's cells a tint with a
// sign in the corner ("!" two clues, "+" too large, "−" closed too small, "?" closed without a
// clue); a frame of black and yellow dashes where the solutions found differ.
void DisegnaSegni(QPainter& pt, const QRectF& q, uint16_t s) {
    if (s == 0) return;
    static const QColor arancio(0xE6, 0x9F, 0x00), vermiglio(0xD5, 0x5E, 0x00);
    const double lato = std::min(q.width(), q.height());
    const double tratto = std::max(1.5, lato / 10);
    pt.save();
    pt.setRenderHint(QPainter::Antialiasing);
    pt.setClipRect(q);
    const uint16_t isola =
        segni::DueIndizi | segni::IsolaGrande | segni::IsolaPiccola | segni::IsolaSenzaIndizio;
    if (s & isola) {
        QColor tinta = vermiglio;
        tinta.setAlpha(70);
        pt.fillRect(q, tinta);
        pt.setPen(QPen(vermiglio, tratto));
        pt.setBrush(Qt::NoBrush);
        pt.drawRect(q.adjusted(tratto / 2, tratto / 2, -tratto / 2, -tratto / 2));
        QString segno;
        if (s & segni::DueIndizi) segno += '!';
        if (s & segni::IsolaGrande) segno += '+';
        if (s & segni::IsolaPiccola) segno += QChar(0x2212);
        if (s & segni::IsolaSenzaIndizio) segno += '?';
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setBold(true);
        f.setPixelSize(std::max(6, static_cast<int>(lato * 0.38)));
        pt.setFont(f);
        pt.setPen(vermiglio);
        pt.drawText(q.adjusted(0, tratto * 0.6, -tratto * 1.4, 0), Qt::AlignRight | Qt::AlignTop,
                    segno);
    }
    if (s & segni::MuroDiviso) {
        pt.setPen(QPen(arancio, tratto));
        for (int k = -3; k <= 3; ++k) { // stripes rising to the right, a third of a cell apart
            const double d = k * lato / 3;
            pt.drawLine(QPointF(q.left() + d, q.bottom()), QPointF(q.left() + d + lato, q.top()));
        }
    }
    if (s & segni::Muro2x2) {
        pt.setPen(QPen(arancio, tratto * 1.4, Qt::SolidLine, Qt::RoundCap));
        const QRectF x = q.adjusted(lato / 5, lato / 5, -lato / 5, -lato / 5);
        pt.drawLine(x.topLeft(), x.bottomRight());
        pt.drawLine(x.topRight(), x.bottomLeft());
    }
    if (s & segni::Diversa) { // black and yellow dashes: they show on white and on blue alike
        const double t = std::max(2.0, lato / 12);
        const QRectF cornice = q.adjusted(t / 2, t / 2, -t / 2, -t / 2);
        pt.setBrush(Qt::NoBrush);
        pt.setPen(QPen(Qt::black, t));
        pt.drawRect(cornice);
        pt.setPen(QPen(QColor(0xF0, 0xE4, 0x42), t, Qt::DashLine, Qt::FlatCap));
        pt.drawRect(cornice);
    }
    // Composing: bluish green (apart from the errors' orange for every colour vision) tints a
    // clue that could go, and a thick dashed frame of it shows where a proposed clue goes.
    static const QColor verde(0x00, 0x9E, 0x73);
    if (s & segni::Rimovibile) {
        QColor tinta = verde;
        tinta.setAlpha(90);
        pt.fillRect(q, tinta);
    }
    if (s & segni::Proposto) {
        const double t = std::max(2.5, lato / 9);
        pt.setBrush(Qt::NoBrush);
        pt.setPen(QPen(verde, t, Qt::DashLine, Qt::FlatCap));
        pt.drawRect(q.adjusted(t / 2, t / 2, -t / 2, -t / 2));
    }
    if (s & segni::Punto) {
        const double raggio = std::max(1.5, lato / 10);
        pt.setPen(Qt::NoPen);
        pt.setBrush(QColor(0x40, 0x40, 0x40));
        pt.drawEllipse(q.center(), raggio, raggio);
    }
    pt.restore();
}

bool SoloCifre(const QString& t) {
    return !t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

} // namespace

QSizeF DimensioneGriglia(const Griglia& g, double pixelPerTwip) {
    return {g.SommaLarghezze() * pixelPerTwip, g.SommaAltezze() * pixelPerTwip};
}

QString TestoCompatto(const QString& t) {
    QString s = t.simplified();
    s.replace(QStringLiteral("' "), QStringLiteral("'"));
    return s;
}

void AdattaNumero(QFont& f, const QRectF& cella, const QString& testo, QPaintDevice* d,
                  int cifreMinime) {
    const double margine = std::max(1.0, std::min(cella.width(), cella.height()) / 10);
    const QRectF dentro = cella.adjusted(margine, margine, -margine, -margine);
    // The ink where drawText puts it: the line box centred both ways in the cell.
    auto inchiostro = [&](int pixel) {
        f.setPixelSize(pixel);
        const QFontMetricsF fm(f, d);
        return fm.tightBoundingRect(testo).translated(
            cella.center().x() - fm.horizontalAdvance(testo) / 2,
            cella.center().y() - fm.height() / 2 + fm.ascent());
    };
    const int proprio = f.pixelSize();
    int pixel = std::max(proprio, cifreMinime);
    QRectF q = inchiostro(pixel);
    if (dentro.contains(q)) return;
    if (dentro.width() <= 0 || dentro.height() <= 0 || q.isEmpty()) {
        f.setPixelSize(proprio);
        return;
    }
    // Scaled down in proportion first, then a pixel at a time where hinting rounds up.
    const double scala = std::min(dentro.width() / q.width(), dentro.height() / q.height());
    pixel = std::max(1, std::min(pixel - 1, static_cast<int>(pixel * scala)));
    while (!dentro.contains(inchiostro(pixel)) && pixel > 1)
        --pixel;
}

void DisegnaGriglia(QPainter& pt, const Griglia& g, double k, QPointF origine, const Frase& frase,
                    int cifreMinime) {
    pt.save();
    const QRectF visibile = pt.hasClipping() ? pt.clipBoundingRect() : QRectF();
    double y = origine.y();
    for (int r = 0; r < g.Righe(); ++r) {
        const double h = g.AltezzaRiga(r) * k;
        double x = origine.x();
        const bool fuori = !visibile.isNull() && (y > visibile.bottom() || y + h < visibile.top());
        for (int c = 0; c < g.Colonne() && !fuori; ++c) {
            const double w = g.LarghezzaColonna(c) * k;
            if (w > 0 && h > 0) {
                const Griglia::Cella& cella = g.CellaIn(r, c);
                const QRectF q(x, y, w, h);
                pt.fillRect(q, DaBgr(cella.Sfondo));
                pt.setPen(QPen(DaBgr(Tavolozza::BordoCella), 0));
                pt.drawRect(q);
                DisegnaSegni(pt, q, cella.Segni);
                QString testo = TestoCella(cella);
                if (c == frase.Colonna) {
                    QStringList parti;
                    for (int x : {frase.ColonnaPrima, -1, frase.ColonnaDopo}) {
                        const QString p =
                            x < 0 ? TestoCompatto(testo)
                            : x < g.Colonne()
                                ? TestoCompatto(QString::fromStdString(g.CellaIn(r, x).Testo))
                                : QString();
                        if (!p.isEmpty()) parti << p;
                    }
                    testo = parti.join(' ');
                    // The sentence's punctuation sticks to the word before it.
                    for (const char* segno : {" ,", " ;", " :", " ."})
                        testo.replace(QString::fromLatin1(segno), QString::fromLatin1(segno + 1));
                }
                if (!testo.isEmpty()) {
                    QFont f(QString::fromStdString(cella.Font == "Wingdings" ? "DejaVu Sans"
                                                                             : cella.Font));
                    const double punti = cella.Dimensione > 0 ? cella.Dimensione : 9;
                    f.setPixelSize(std::max(1, static_cast<int>(std::lround(punti * 20 * k))));
                    f.setBold(cella.Grassetto);
                    if (cella.Allinea == Allineamento::CentroCentro && SoloCifre(testo))
                        AdattaNumero(f, q, testo, pt.device(), cifreMinime);
                    pt.setFont(f);
                    pt.setPen(DaBgr(cella.ColoreTesto));
                    // A text against a side keeps off the cell's border.
                    const double margine =
                        cella.Allinea == Allineamento::CentroCentro ? 0 : std::min(3.0, w / 8);
                    pt.drawText(q.adjusted(margine, 0, -margine, 0),
                                static_cast<int>(Allineamento_(cella.Allinea)), testo);
                }
            }
            x += w;
        }
        y += h;
    }
    pt.restore();
}

QRectF RettangoloCella(const Griglia& g, double k, int riga, int colonna) {
    double x = 0, y = 0;
    for (int c = 0; c < colonna && c < g.Colonne(); ++c)
        x += g.LarghezzaColonna(c) * k;
    for (int r = 0; r < riga && r < g.Righe(); ++r)
        y += g.AltezzaRiga(r) * k;
    return {x, y, g.LarghezzaColonna(colonna) * k, g.AltezzaRiga(riga) * k};
}

void CellaAlPunto(const Griglia& g, double k, QPointF p, int& riga, int& colonna) {
    riga = colonna = -1;
    double y = 0;
    for (int r = 0; r < g.Righe() && riga < 0; ++r) {
        y += g.AltezzaRiga(r) * k;
        if (p.y() >= 0 && p.y() < y) riga = r;
    }
    double x = 0;
    for (int c = 0; c < g.Colonne() && colonna < 0; ++c) {
        x += g.LarghezzaColonna(c) * k;
        if (p.x() >= 0 && p.x() < x) colonna = c;
    }
}

// ---- VistaGriglia ---------------------------------------------------------------------------

VistaGriglia::VistaGriglia(const Griglia& g, QWidget* genitore) : QWidget(genitore), g_(g) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

double VistaGriglia::PixelPerTwip() const {
    return logicalDpiX() / 1440.0 * zoom_;
}

int VistaGriglia::Pixel(int twips) const {
    return static_cast<int>(twips * PixelPerTwip() + 0.5);
}

void VistaGriglia::ImpostaZoom(double zoom) {
    zoom_ = zoom;
    updateGeometry();
    update();
}

QPointF VistaGriglia::Origine() const {
    const double m = MargineTwip() * PixelPerTwip();
    return {m, m};
}

QSizeF VistaGriglia::DimensioneNaturale() const {
    const double k = PixelPerTwip() / zoom_;
    return DimensioneGriglia(g_, k) + QSizeF(MargineTwip(), MargineTwip()) * k;
}

void VistaGriglia::ImpostaNumeri(bool numeri) {
    if (numeri == numeri_) return;
    numeri_ = numeri;
    updateGeometry();
    update();
}

void VistaGriglia::ImpostaSegno(int riga, int colonna) {
    if (riga == rigaSegno_ && colonna == colonnaSegno_) return;
    rigaSegno_ = riga;
    colonnaSegno_ = colonna;
    update();
}

QSize VistaGriglia::sizeHint() const {
    const QSizeF s = DimensioneGriglia(g_, PixelPerTwip()) +
                     QSizeF(MargineTwip(), MargineTwip()) * PixelPerTwip();
    return {static_cast<int>(std::ceil(s.width())) + 2,
            static_cast<int>(std::ceil(s.height())) + 2};
}

void VistaGriglia::ImpostaCursore(int riga, int colonna) {
    if (riga == rigaCursore_ && colonna == colonnaCursore_) return;
    rigaCursore_ = riga;
    colonnaCursore_ = colonna;
    update();
}

QRectF VistaGriglia::Cella(int riga, int colonna) const {
    return RettangoloCella(g_, PixelPerTwip(), riga, colonna).translated(Origine());
}

void VistaGriglia::Cornice(QPainter& pt, int riga, int colonna, const QColor& colore,
                           double spessore) {
    if (riga < 0 || colonna < 0 || riga >= g_.Righe() || colonna >= g_.Colonne()) return;
    const QRectF q = RettangoloCella(g_, PixelPerTwip(), riga, colonna).translated(Origine());
    pt.setPen(QPen(colore, spessore));
    pt.setBrush(Qt::NoBrush);
    pt.drawRect(q.adjusted(spessore / 2, spessore / 2, -spessore / 2, -spessore / 2));
}

void VistaGriglia::paintEvent(QPaintEvent*) {
    QPainter pt(this);
    pt.fillRect(rect(), palette().window());
    const double k = PixelPerTwip();
    const QPointF o = Origine();
    DisegnaGriglia(pt, g_, k, o, frase_, cifreMinime_);
    if (numeri_) {
        // Row numbers on the left, column numbers on top, each centred on its row or column.
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(8 * 20 * k))));
        // One size for every number: the one the largest fits in its column's share of the band.
        AdattaNumero(f, QRectF(0, 0, RettangoloCella(g_, k, 1, 1).width(), o.y()),
                     QString::number(std::max(g_.Righe(), g_.Colonne()) - 1), this, cifreMinime_);
        pt.setFont(f);
        pt.setPen(palette().windowText().color());
        for (int r = 1; r < g_.Righe(); ++r) {
            const QRectF q = RettangoloCella(g_, k, r, 0).translated(o);
            pt.drawText(QRectF(0, q.top(), o.x() - 2, q.height()),
                        Qt::AlignRight | Qt::AlignVCenter, QString::number(r));
        }
        for (int c = 1; c < g_.Colonne(); ++c) {
            const QRectF q = RettangoloCella(g_, k, 0, c).translated(o);
            pt.drawText(QRectF(q.left(), 0, q.width(), o.y() - 1),
                        Qt::AlignHCenter | Qt::AlignBottom, QString::number(c));
        }
    }
    const double lato = RettangoloCella(g_, k, 1, 1).width();
    // Magenta for the log's cell, orange for the keyboard cursor: both show on every cell
    // colour of the board (grey, white, blue, yellow, teal, red), and on each other.
    Cornice(pt, rigaSegno_, colonnaSegno_, DaBgr(Tavolozza::CorniceLog), std::max(3.0, lato / 7));
    Cornice(pt, rigaCursore_, colonnaCursore_, DaBgr(Tavolozza::CorniceCursore),
            std::max(2.0, lato / 10));
}

void VistaGriglia::mousePressEvent(QMouseEvent* e) {
    int riga, colonna;
    CellaAlPunto(g_, PixelPerTwip(), e->position() - Origine(), riga, colonna);
    if (riga < 0 || colonna < 0) return;
    const int pulsante = e->button() == Qt::LeftButton ? 1 : e->button() == Qt::RightButton ? 2 : 4;
    emit cellaCliccata(riga, colonna, pulsante);
}

void VistaGriglia::mouseMoveEvent(QMouseEvent* e) {
    if (e->buttons() == Qt::NoButton) return;
    int riga, colonna;
    CellaAlPunto(g_, PixelPerTwip(), e->position() - Origine(), riga, colonna);
    if (riga >= 0 && colonna >= 0) emit cellaTrascinata(riga, colonna);
}

void VistaGriglia::mouseReleaseEvent(QMouseEvent*) {
    emit rilasciata();
}

} // namespace isolmar
