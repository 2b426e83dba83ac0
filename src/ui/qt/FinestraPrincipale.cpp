#include "FinestraPrincipale.h"

#include "solver/Tessere.h"

#include <QLabel>
#include <QStatusBar>

namespace isolmar {

FinestraPrincipale::FinestraPrincipale(QWidget* genitore)
    : QMainWindow(genitore), modello_(NuovoModello()) {
    setWindowTitle(QStringLiteral("Isolmar"));
    GeneraTessere(*modello_, 7);
    auto* etichetta = new QLabel(this);
    etichetta->setObjectName(QStringLiteral("Label2"));
    statusBar()->addWidget(etichetta);
    resize(640, 520);
}

} // namespace isolmar
