#include "Stampa.h"

#include "Disegno.h"

#include "io/Letture.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
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

bool StampaGriglia(QPrinter& stampante, const Griglia& g, std::string* motivo,
                   const QString& titolo) {
    const int dpi = stampante.resolution();
    auto disegna = [&](QPaintDevice& d, const QPageLayout& pagina) {
        QPainter pt;
        if (!pt.begin(&d)) return false;
        QRectF area(QPointF(0, 0), pagina.paintRectPixels(dpi).size());
        if (!titolo.isEmpty()) {
            QFont f(QStringLiteral("Arial"));
            f.setPixelSize(std::max(1, dpi * 14 / 72)); // 14 points
            pt.setFont(f);
            pt.setPen(Qt::black);
            const double banda = 2.0 * f.pixelSize();
            const QRectF riga(area.x(), area.y(), area.width(), banda);
            pt.drawText(riga, Qt::AlignHCenter | Qt::AlignTop,
                        pt.fontMetrics().elidedText(titolo, Qt::ElideMiddle,
                                                    static_cast<int>(area.width())));
            area.adjust(0, banda, 0, -banda);
        }
        DisegnaCentrata(pt, g, dpi / 1440.0, area);
        return pt.end();
    };
    const QString file = stampante.outputFileName();
    if (stampante.outputFormat() != QPrinter::PdfFormat || file.isEmpty()) {
        if (disegna(stampante, stampante.pageLayout())) return true;
        if (motivo) *motivo = "la stampante non risponde";
        return false;
    }
    // The PDF is made in memory, then written whole over the file.
    QByteArray byte;
    QBuffer buffer(&byte);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(dpi);
        pdf.setPageLayout(stampante.pageLayout());
        if (!disegna(pdf, pdf.pageLayout())) return false;
    }
    return ScriviFileSicuro(file.toStdString(),
                            std::string_view(byte.constData(), static_cast<size_t>(byte.size())),
                            motivo);
}

} // namespace isolmar
