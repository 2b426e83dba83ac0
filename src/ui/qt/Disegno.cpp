#include "Disegno.h"

#include <QFont>
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

} // namespace

QSizeF DimensioneGriglia(const Griglia& g, double pixelPerTwip) {
    return {g.SommaLarghezze() * pixelPerTwip, g.SommaAltezze() * pixelPerTwip};
}

void DisegnaGriglia(QPainter& pt, const Griglia& g, double k, QPointF origine) {
    pt.save();
    double y = origine.y();
    for (int r = 0; r < g.Righe(); ++r) {
        const double h = g.AltezzaRiga(r) * k;
        double x = origine.x();
        for (int c = 0; c < g.Colonne(); ++c) {
            const double w = g.LarghezzaColonna(c) * k;
            if (w > 0 && h > 0) {
                const Griglia::Cella& cella = g.CellaIn(r, c);
                const QRectF q(x, y, w, h);
                pt.fillRect(q, DaBgr(cella.Sfondo));
                pt.setPen(QPen(QColor(96, 96, 96), 0));
                pt.drawRect(q);
                if (!cella.Testo.empty()) {
                    QFont f(QString::fromStdString(cella.Font == "Wingdings" ? "DejaVu Sans"
                                                                             : cella.Font));
                    const double punti = cella.Dimensione > 0 ? cella.Dimensione : 9;
                    f.setPixelSize(std::max(1, static_cast<int>(std::lround(punti * 20 * k))));
                    f.setBold(cella.Grassetto);
                    pt.setFont(f);
                    pt.setPen(DaBgr(cella.ColoreTesto));
                    pt.drawText(q, static_cast<int>(Allineamento_(cella.Allinea)),
                                TestoCella(cella));
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

QSize VistaGriglia::sizeHint() const {
    const QSizeF s = DimensioneGriglia(g_, PixelPerTwip());
    return {static_cast<int>(std::ceil(s.width())) + 2,
            static_cast<int>(std::ceil(s.height())) + 2};
}

void VistaGriglia::ImpostaCursore(int riga, int colonna) {
    if (riga == rigaCursore_ && colonna == colonnaCursore_) return;
    rigaCursore_ = riga;
    colonnaCursore_ = colonna;
    update();
}

void VistaGriglia::paintEvent(QPaintEvent*) {
    QPainter pt(this);
    pt.fillRect(rect(), palette().window());
    DisegnaGriglia(pt, g_, PixelPerTwip());
    if (rigaCursore_ < 0 || rigaCursore_ >= g_.Righe() || colonnaCursore_ >= g_.Colonne()) return;
    // Orange on every cell colour of the board (grey, white, blue, yellow, red).
    const QRectF q = RettangoloCella(g_, PixelPerTwip(), rigaCursore_, colonnaCursore_);
    const double spessore = std::max(2.0, q.width() / 10);
    pt.setPen(QPen(QColor(255, 128, 0), spessore));
    pt.setBrush(Qt::NoBrush);
    pt.drawRect(q.adjusted(spessore / 2, spessore / 2, -spessore / 2, -spessore / 2));
}

void VistaGriglia::mousePressEvent(QMouseEvent* e) {
    int riga, colonna;
    CellaAlPunto(g_, PixelPerTwip(), e->position(), riga, colonna);
    if (riga < 0 || colonna < 0) return;
    const int pulsante = e->button() == Qt::LeftButton ? 1 : e->button() == Qt::RightButton ? 2 : 4;
    emit cellaCliccata(riga, colonna, pulsante);
}

void VistaGriglia::mouseMoveEvent(QMouseEvent* e) {
    if (e->buttons() == Qt::NoButton) return;
    int riga, colonna;
    CellaAlPunto(g_, PixelPerTwip(), e->position(), riga, colonna);
    if (riga >= 0 && colonna >= 0) emit cellaTrascinata(riga, colonna);
}

void VistaGriglia::mouseReleaseEvent(QMouseEvent*) {
    emit rilasciata();
}

} // namespace isolmar
