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

// Size of the whole grid when one twip is pixelPerTwip device units.
QSizeF DimensioneGriglia(const Griglia& g, double pixelPerTwip);
// Paints every visible cell of g (background, border, text in its font, size, bold and
// alignment) with the grid's top-left corner at origine. Font sizes scale with pixelPerTwip
// (a point is 20 twips), so a zoomed or printed board keeps its proportions.
void DisegnaGriglia(QPainter& pt, const Griglia& g, double pixelPerTwip, QPointF origine = {});
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
};

} // namespace isolmar
