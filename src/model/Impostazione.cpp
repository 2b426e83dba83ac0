#include "model/Impostazione.h"

#include <string>

namespace isolmar {

namespace {
void MarcaIndizi(Griglia8& t, const Modello& m) {
    for (int i = 1; i <= m.NumEle; ++i)
        t(m.Ele[i].Riga, m.Ele[i].Colonna) = 1;
}
} // namespace

void InizializzaTblGioco(Modello& m, Griglia& gr2) {
    DimensionaTabelle(m);
    AzzeraTabella(m.TblGioco);
    MarcaIndizi(m.TblGioco, m);
    gr2.ImpostaColonne(1);
    m.NumMosseGioco = 0;
    gr2.Visibile = false;
    gr2.Aggiorna();
}

void InizializzaSchemaEle(Modello& m) {
    DimensionaTabelle(m);
    AzzeraTabella(m.TblSchema);
    MarcaIndizi(m.TblSchema, m);
}

void InizializzaSchema(Modello& m, Griglia& Gr, Piattaforma& p) {
    DimensionaTabelle(m);
    AzzeraTabella(m.TblSchema);

    Gr.ImpostaRighe(m.NumRighe + 1);
    Gr.ImpostaColonne(m.NumColonne + 1);
    Gr.ImpostaAltezzaRiga(0, 0);
    Gr.ImpostaLarghezzaColonna(0, 0);
    for (int r = 1; r <= m.NumRighe; ++r) {
        Gr.ImpostaAltezzaRiga(r, LatoCella);
        for (int c = 1; c <= m.NumColonne; ++c) {
            Gr.ImpostaLarghezzaColonna(c, LatoCella);
            Gr.Seleziona(r, c);
            Gr.ImpostaAllinea(Allineamento::CentroCentro);
            Gr.ImpostaTesto("");
            Gr.ImpostaStato(StatoCella::Indecisa);
        }
    }
    Gr.Altezza = Gr.SommaAltezze() + MargineGriglia;
    Gr.Larghezza = Gr.SommaLarghezze() + MargineGriglia;

    m.CelleLibere = static_cast<int16_t>(m.NumRighe * m.NumColonne - m.NumEle);

    for (int i = 1; i <= m.NumEle; ++i) {
        const Isola& e = m.Ele[i];
        m.TblSchema(e.Riga, e.Colonna) = 1;
        Gr.Seleziona(e.Riga, e.Colonna);
        if (m.ModoTempo == 0) Gr.ImpostaTesto(std::to_string(e.Num));
        Gr.ImpostaStato(StatoCella::Indizio);
        Gr.ImpostaColoreTesto(Gr.ColoreTestoGriglia);
        Gr.ImpostaFont("Arial");
        Gr.ImpostaDimensione(9);
    }

    Gr.Visibile = true;
    if (m.RidisegnaSchema) Gr.ImpostaRidisegno(true);
    p.Impagina();
    p.ImpostaAbilitato(controlli::CommandSoluz, true);
}

} // namespace isolmar
