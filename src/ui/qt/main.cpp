#include "FinestraPrincipale.h"

#include <QApplication>
#include <QIcon>
#include <QStringList>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(ISOLMAR_VERSIONE));
    // The icon an install puts among the system's icons.
    QApplication::setDesktopFileName(QStringLiteral("isolmar"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("isolmar")));
    isolmar::FinestraPrincipale::ParlaItaliano();
    // The whole command line after the program name, as one text.
    const std::string riga = QApplication::arguments().mid(1).join(' ').toStdString();
    isolmar::FinestraPrincipale finestra(riga);
    switch (isolmar::ModoAvvio(finestra)) {
    case isolmar::Avvio::Termina:
        return 0;
    case isolmar::Avvio::Produzione:
        finestra.Finestra().m.ModoAuto = isolmar::Vero;
        break;
    case isolmar::Avvio::Interattivo:
        break;
    }
    finestra.show();
    finestra.Colloca();
    // A puzzle file given on the command line (as a file manager does) is opened at once; one
    // that cannot be read says why.
    if (!riga.empty() && riga != "/prod") finestra.Finestra().ApriFile(riga);
    return app.exec();
}
