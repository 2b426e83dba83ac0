#include "Stampa.h"

#include "Disegno.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace isolmar {

double ScalaAdatta(const Griglia& g, double k, const QSizeF& area) {
    const QSizeF s = DimensioneGriglia(g, k);
    if (s.width() <= 0 || s.height() <= 0) return k;
    return k * std::min({1.0, area.width() / s.width(), area.height() / s.height()});
}

QRectF DisegnaCentrata(QPainter& pt, const Griglia& g, double k, const QRectF& area) {
    const double scala = ScalaAdatta(g, k, area.size());
    const QSizeF s = DimensioneGriglia(g, scala);
    const QPointF origine(area.x() + (area.width() - s.width()) / 2,
                          area.y() + (area.height() - s.height()) / 2);
    DisegnaGriglia(pt, g, scala, origine);
    return {origine, s};
}

void PreparaStampante(QPrinter& stampante, const QString& cartella) {
    stampante.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        stampante.setOutputFormat(QPrinter::PdfFormat);
        stampante.setOutputFileName(cartella + "/schema.pdf");
    }
}

bool ScegliStampante(QPrinter& stampante, QWidget* genitore) {
    QPrintDialog d(&stampante, genitore);
    d.setOption(QAbstractPrintDialog::PrintSelection, false);
    d.setOption(QAbstractPrintDialog::PrintPageRange, false);
    d.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    d.setOption(QAbstractPrintDialog::PrintToFile, true);
    return d.exec() == QDialog::Accepted;
}

bool StampaGriglia(QPrinter& stampante, const Griglia& g) {
    QPainter pt;
    if (!pt.begin(&stampante)) return false;
    const QRectF area(QPointF(0, 0),
                      stampante.pageLayout().paintRectPixels(stampante.resolution()).size());
    DisegnaCentrata(pt, g, stampante.resolution() / 1440.0, area);
    return pt.end();
}

} // namespace isolmar
