// Form1: printing the board through the hidden print window Form4.
#include "model/Impostazione.h"
#include "ui/Form1.h"

namespace isolmar {

namespace {
constexpr int LatoIntestazione = 30; // twips: the header row and column all but vanish on paper
}

void Form4::VisualizzaF4(const Griglia& Gr) {
    gs.ImpostaRighe(Gr.Righe());
    gs.ImpostaColonne(Gr.Colonne());
    gs.Larghezza = Gr.Larghezza;
    gs.Altezza = Gr.Altezza;
    for (int r = 0; r < Gr.Righe(); ++r) {
        gs.ImpostaAltezzaRiga(r, Gr.AltezzaRiga(r));
        for (int c = 0; c < Gr.Colonne(); ++c) {
            gs.ImpostaLarghezzaColonna(c, Gr.LarghezzaColonna(c));
            const Griglia::Cella& da = Gr.CellaIn(r, c);
            gs.Seleziona(r, c);
            gs.ImpostaAllinea(da.Allinea);
            gs.ImpostaTesto(da.Testo);
            gs.ImpostaFont(da.Font);
            gs.ImpostaDimensione(da.Dimensione);
            gs.ImpostaSfondo(StatoBianco(da.Stato)          ? Tavolozza::StampaIsola
                             : da.Stato == StatoCella::Muro ? Tavolozza::StampaMuro
                                                            : Tavolozza::StampaAltro);
        }
    }
    gs.ImpostaLarghezzaColonna(0, LatoIntestazione);
    gs.ImpostaAltezzaRiga(0, LatoIntestazione);
}

bool Form1::Sceglistampante() {
    return p.ImpostaStampante();
}

void Form1::StampaSchema() {
    if (!Sceglistampante()) return;
    F4 = std::make_unique<Form4>();
    F4->VisualizzaF4(Gr);
    p.StampaFinestra("Form4");
    F4.reset();
}

} // namespace isolmar
