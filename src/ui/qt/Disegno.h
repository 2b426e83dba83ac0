// The one painter of a Griglia: the window's board and strip, the log grid, the printer and the
// picture files all draw through it, so what is printed or exported is what the window shows.
#pragma once

#include "view/Griglia.h"

#include <QColor>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QWidget>

class QPainter;

namespace isolmar {

// A grid colour 0x00BBGGRR as a QColor.
QColor DaBgr(Colore c);
// A cell's text as shown: symbol-font characters ("Wingdings") become the Unicode characters
// they stand for. The only place where that mapping lives.
QString TestoCella(const Griglia::Cella& c);

// A text as drawn in the log: runs of blanks become one, no blank after an apostrophe, no blank
// or line break at either end.
QString TestoCompatto(const QString& t);

// Cells of a column that read as one sentence: the drawn text is the words of colonnaPrima, the
// cell's own text made compact, then the words of colonnaDopo (both columns stay hidden).
struct Frase {
    int Colonna = -1, ColonnaPrima = -1, ColonnaDopo = -1;
};

// Size of the whole grid when one twip is pixelPerTwip device units.
QSizeF DimensioneGriglia(const Griglia& g, double pixelPerTwip);
// The smallest pixel size at which a number's digits read on screen.
inline constexpr int CifreLeggibili = 7;
// A number (digits only) centred in cella, in font f: the pixel size is lowered, when the
// number does not fit, until its ink keeps a tenth of the cell (at least a pixel) off every
// side, so that several digits never run over the borders; when cifreMinime is larger than f's
// size it is raised to that first, as far as the cell allows. A number that fits keeps f.
void AdattaNumero(QFont& f, const QRectF& cella, const QString& testo, QPaintDevice* d,
                  int cifreMinime = 0);
// Paints every visible cell of g (background, border, text in its font, size, bold and
// alignment) with the grid's top-left corner at origine. Font sizes scale with pixelPerTwip
// (a point is 20 twips), so a zoomed or printed board keeps its proportions; a centred number
// is fitted to its cell by AdattaNumero, with cifreMinime as its floor.
// Cells outside the painter's clip rectangle are skipped.
void DisegnaGriglia(QPainter& pt, const Griglia& g, double pixelPerTwip, QPointF origine = {},
                    const Frase& frase = {}, int cifreMinime = 0);
// The rectangle of cell (riga, colonna) of the painted grid, relative to its origine.
QRectF RettangoloCella(const Griglia& g, double pixelPerTwip, int riga, int colonna);
// Row and column under a point of the painted grid (relative to its origine); -1 when outside.
void CellaAlPunto(const Griglia& g, double pixelPerTwip, QPointF p, int& riga, int& colonna);

// A widget that paints a Griglia at the screen's resolution times a zoom factor and reports
// clicks on its cells.
class VistaGriglia : public QWidget {
    Q_OBJECT
  public:
    explicit VistaGriglia(const Griglia& g, QWidget* genitore = nullptr);
    QSize sizeHint() const override;
    // Pixels of a length in twips on this screen, at the current zoom.
    int Pixel(int twips) const;
    double PixelPerTwip() const;
    double Zoom() const { return zoom_; }
    const Griglia& GrigliaMostrata() const { return g_; }
    void ImpostaZoom(double zoom);
    // The keyboard cursor: a frame drawn around cell (riga, colonna); riga < 0 draws none.
    void ImpostaCursore(int riga, int colonna);
    // The cell a log step talks about: a second frame, in another colour; riga < 0 none.
    void ImpostaSegno(int riga, int colonna);
    // Row numbers along the left edge and column numbers along the top, in a band of Margine
    // twips; the grid then starts at Origine().
    void ImpostaNumeri(bool numeri);
    bool Numeri() const { return numeri_; }
    static constexpr int Margine = 360;
    int MargineTwip() const { return numeri_ ? Margine : 0; }
    QPointF Origine() const;
    // The rectangle of cell (riga, colonna) in this widget's pixels.
    QRectF Cella(int riga, int colonna) const;
    // The size in pixels at zoom 1, the numbers' band included.
    QSizeF DimensioneNaturale() const;
    void ImpostaFrase(const Frase& f) { frase_ = f; }
    // The floor of the numbers' pixel size (AdattaNumero); 0 lets them scale with the zoom.
    void ImpostaCifreMinime(int pixel) { cifreMinime_ = pixel; }

  signals:
    void cellaCliccata(int riga, int colonna, int pulsante);
    // With a button held after a press: the cell under the pointer, and the release.
    void cellaTrascinata(int riga, int colonna);
    void rilasciata();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    // The second press of a double click is no further click.
    void mouseDoubleClickEvent(QMouseEvent*) override {}

  private:
    const Griglia& g_;
    double zoom_ = 1.0;
    int rigaCursore_ = -1, colonnaCursore_ = -1;
    int rigaSegno_ = -1, colonnaSegno_ = -1;
    bool numeri_ = false;
    Frase frase_;
    int cifreMinime_ = 0;
    void Cornice(QPainter& pt, int riga, int colonna, const QColor& colore, double spessore);
};

} // namespace isolmar
