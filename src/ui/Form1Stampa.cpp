// Form1: printing the board through the hidden print window Form4.
#include "model/Impostazione.h"
#include "ui/Form1.h"

namespace isolmar {

namespace {
constexpr int LatoIntestazione = 30; // twips: the header row and column all but vanish on paper
}

namespace {
Colore ColoreStampa(StatoCella s) {
    return StatoBianco(s)          ? Tavolozza::StampaIsola
           : s == StatoCella::Muro ? Tavolozza::StampaMuro
                                   : Tavolozza::StampaAltro;
}
} // namespace

void Form4::MostraGioco(const Modello& m) {
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            gs.Seleziona(r, c);
            if (!gs.Testo().empty()) continue; // a clue
            gs.ImpostaSfondo(ColoreStampa(StatoGioco(m.TblGioco(r, c))));
        }
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
            gs.ImpostaSfondo(ColoreStampa(da.Stato));
        }
    }
    gs.ImpostaLarghezzaColonna(0, LatoIntestazione);
    gs.ImpostaAltezzaRiga(0, LatoIntestazione);
}

bool Form1::Sceglistampante() {
    return p.ImpostaStampante();
}

void Form1::StampaSchema() {
    // With a solution on the board the player says which of the two goes on paper.
    bool gioco = false;
    if (InVisSoluzione) {
        const Risposta r = p.Messaggio("Stampare lo schema (Sì) o la soluzione mostrata (No)?",
                                       Pulsanti::SiNoAnnulla);
        if (r == Risposta::Annulla) return;
        gioco = r == Risposta::Si;
    }
    if (!Sceglistampante()) return;
    F4 = std::make_unique<Form4>();
    F4->VisualizzaF4(Gr);
    if (gioco) F4->MostraGioco(m);
    F4->Titolo = NomeSchema();
    p.StampaFinestra("Form4");
    F4.reset();
}

} // namespace isolmar
