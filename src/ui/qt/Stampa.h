// Printing and paged output of a grid: the printer dialog (with a PDF file when no printer is
// installed) and the placement of a grid on a page, centred and scaled down to fit. Every page
// is painted by DisegnaGriglia, so paper shows what the window shows.
#pragma once

#include "view/Griglia.h"

#include <QRectF>

#include <string>

class QPainter;
class QPrinter;
class QWidget;

namespace isolmar {

// Device units per twip that fit g inside area: k when it already fits, less when it does not.
double ScalaAdatta(const Griglia& g, double k, const QSizeF& area);
// Paints g centred in area at k device units per twip, scaled down when it would not fit.
// Returns the rectangle it covers.
QRectF DisegnaCentrata(QPainter& pt, const Griglia& g, double k, const QRectF& area);

// Prepares a printer with the usual margins; without any installed printer it writes a PDF
// file (schema.pdf in cartella) so that printing still produces something.
void PreparaStampante(QPrinter& stampante, const QString& cartella);
// The printer dialog on stampante; true when the user confirmed it.
bool ScegliStampante(QPrinter& stampante, QWidget* genitore);
// Prints g on one page of stampante, at its size in twips, centred in the printable area and
// scaled down when larger. A PDF file is written through ScriviFileSicuro, like every save.
// False, with the reason in motivo, when the printer could not start or the file not be written.
// A titolo is printed at the top of the page; the board then keeps a band of its height clear
// above and below, so that it stays centred.
bool StampaGriglia(QPrinter& stampante, const Griglia& g, std::string* motivo = nullptr,
                   const QString& titolo = {});

} // namespace isolmar
