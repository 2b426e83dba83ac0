// Form1: the solve commands, solution browsing and the board painters.
#include "model/Impostazione.h"
#include "ui/Form1.h"
#include "ui/Testi.h"

#include <algorithm>
#include <cmath>

namespace isolmar {

void Form1::CommandSoluz_Click() {
    if (m.NumEle == 0) return;
    bool cercato = true;
    if (m.NumSol < 1)
        cercato = CercaPrimaSoluzione();
    else
        m.TempoInizio = p.Orologio(); // a known solution is shown at once
    // A solution found is shown even if the search was stopped after it.
    const EsitoRicerca esito = cercato && m.NumSol >= 1 ? EsitoRicerca::Una : EsitoDi(cercato, m);
    Gr.ImpostaRidisegno(true);
    SolVis = 0;
    CommandSoluzPiu_Click();
    SpegniBottoniPiuMeno();
    p.ImpostaVisibile(controlli::CommandVisgioco, true);
    p.ImpostaTesto(controlli::Label2, TestiPrimaSoluzione.Testo(esito, m));
    p.ImpostaTesto(controlli::Label1, TestoDurata(SecondiTrascorsi(m.TempoInizio, p.Orologio())));
    InVisSoluzione = Vero;
    p.CursoreOccupato(false);
}

void Form1::CommandSoluz3_Click() {
    if (m.NumEle == 0) return;
    const AvvisoRicerca avviso(*this);
    // A solution already known (from the file, or an earlier search) survives an interrupted
    // search for more.
    const int16_t note = m.NumSol;
    const auto soluzioni = m.Tblsol;
    InizializzaSchema(m, Gr, p);
    const EsitoRicerca esito = EsitoDi(Ris.SoluzioneStart(SoluzioniCercate), m);
    if (esito == EsitoRicerca::Interrotta || esito == EsitoRicerca::OltreLeForme) {
        m.NumSol = note;
        m.Tblsol = soluzioni;
        Ris.RiprendiEleDasvEle();
        InizializzaSchema(m, Gr, p);
        VisualizzaTblGioco();
        SpegniBottoniPiuMeno();
        p.ImpostaTesto(controlli::Label2, TestiTreSoluzioni.Testo(esito, m));
        return;
    }
    Gr.ImpostaRidisegno(true);
    SolVis = 0;
    CommandSoluzPiu_Click();
    InVisSoluzione = Vero;
    SpegniBottoniPiuMeno();
    p.ImpostaVisibile(controlli::CommandVisgioco, true);
    if (esito == EsitoRicerca::Piu) {
        p.ImpostaVisibile(controlli::CommandSoluzMeno, true);
        p.ImpostaVisibile(controlli::CommandSoluzPiu, true);
    } else {
        p.ImpostaTesto(controlli::Label2, TestiTreSoluzioni.Testo(esito, m));
        if (esito == EsitoRicerca::Una) {
            Ris.RiprendiEleDasvEle();
            VisualizzaTblGioco();
        }
    }
}

void Form1::MostraSoluzione(int delta) {
    if (m.NumSol < 1) {
        // No solution of this puzzle is known (Tblsol holds nothing of it): show the game.
        SolVis = 0;
        VisualizzaTblGioco();
        return;
    }
    SolVis = static_cast<int16_t>(SolVis + delta);
    if (SolVis > m.NumSol) SolVis = 1;
    if (SolVis < 1) SolVis = m.NumSol;
    Gr.ImpostaRidisegno(false);
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            Gr.Seleziona(r, c);
            Gr.ImpostaStato(m.Tblsol(SolVis, r, c) == 1 ? StatoCella::Isola : StatoCella::Muro);
            // Where the solutions found part, so that the browsing shows what changes.
            for (int k = 2; k <= std::min<int>(m.NumSol, MaxSol); ++k)
                if ((m.Tblsol(k, r, c) == 1) != (m.Tblsol(1, r, c) == 1)) {
                    Gr.ImpostaSegni(segni::Diversa);
                    break;
                }
        }
    Gr.ImpostaRidisegno(true);
    // A search that stopped at its limit does not know how many more there are.
    const std::string su = m.NumSol >= SoluzioniCercate
                               ? " di almeno " + std::to_string(m.NumSol) + " soluzioni"
                               : " di  " + std::to_string(m.NumSol);
    p.ImpostaTesto(controlli::Label2, "Soluzione " + std::to_string(SolVis) + su);
}

void Form1::CommandSoluzPiu_Click() {
    MostraSoluzione(+1);
}
void Form1::CommandSoluzMeno_Click() {
    MostraSoluzione(-1);
}

void Form1::SpegniBottoniPiuMeno() {
    for (Controllo b : {controlli::CmdPosMeno, controlli::CmdPospiu, controlli::CommandSoluzMeno,
                        controlli::CommandSoluzPiu})
        p.ImpostaVisibile(b, false);
}

void Form1::CommandVisgioco_Click() {
    Ris.RiprendiEleDasvEle();
    InizializzaSchema(m, Gr, p);
    VisualizzaTblGioco();
    if (!p.Visibile(controlli::CmdPosMeno)) {
        p.ImpostaVisibile(controlli::CommandVisgioco, false);
        p.ImpostaTesto(controlli::Label2, "");
    }
    p.ImpostaVisibile(controlli::CommandSoluzMeno, false);
    p.ImpostaVisibile(controlli::CommandSoluzPiu, false);
    InVisSoluzione = Falso;
}

// ---- Board painters -------------------------------------------------------------------------

void Form1::VisualizzaTblGioco() {
    Gr.ImpostaRidisegno(false);
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            Gr.Seleziona(r, c);
            if (m.TblGioco(r, c) <= 2) Gr.ImpostaStato(StatoGioco(m.TblGioco(r, c)));
        }
    for (int i = 1; i <= m.NumEle; ++i)
        if (m.Ele[i].Marcata == 1) {
            Gr.Seleziona(m.Ele[i].Riga, m.Ele[i].Colonna);
            Gr.ImpostaStato(StatoCella::IndizioMarcato);
        }
    AggiornaSegni();
    Gr.ImpostaRidisegno(true);
}

void Form1::VisualizzaTblSchemaOption() {
    Gr.ImpostaRidisegno(false);
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            const uint8_t v = m.TblSchema(r, c);
            if (v == 0) continue;
            Gr.Seleziona(r, c);
            Gr.ImpostaStato(v == 1 ? StatoCella::EvidenzaIsola : StatoCella::EvidenzaMuro);
        }
    Gr.ImpostaRidisegno(true);
}

void Form1::Vissche() {
    Gr.ImpostaRidisegno(false); // left suspended: the next painter refreshes the grid
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            Gr.Seleziona(r, c);
            Gr.ImpostaFont("Arial");
            const std::string& t = Gr.Testo();
            if (t == "*" || t == "O" || t == "X" || t == "n" || t == "p") {
                Gr.ImpostaTesto("");
                Gr.ImpostaDimensione(9);
                Gr.ImpostaColoreTesto(Gr.ColoreTestoGriglia);
            }
            if (Gr.Dimensione() > 9 && Gr.Evidenziato()) {
                Gr.ImpostaDimensione(9);
                Gr.ImpostaColoreTesto(Gr.ColoreTestoGriglia);
            }
            if (!m.NoColori) {
                const uint8_t v = m.TblSchema(r, c);
                Gr.ImpostaStato(v == 1   ? StatoCella::Isola
                                : v == 0 ? StatoCella::Indecisa
                                         : StatoCella::Muro);
            }
        }
}

int16_t Form1::CellaDim(uint8_t riga, uint8_t colonna) const {
    for (int i = 1; i <= m.NumEle; ++i)
        if (m.Ele[i].Riga == riga && m.Ele[i].Colonna == colonna) return static_cast<int16_t>(i);
    return -1;
}

} // namespace isolmar
