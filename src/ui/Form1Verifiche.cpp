// Form1: the island checks during play (one island, its solution, the marked islands) and the
// browsing of the marked islands' configurations.
#include "model/Impostazione.h"
#include "ui/Form1.h"
#include "ui/Testi.h"

#include <vector>

namespace isolmar {

namespace {
std::string TestoCella(uint8_t r, uint8_t c) {
    return TestoNumero(int{r}) + "," + TestoNumero(int{c});
}
} // namespace

void Form1::ArmaTimer1(void (Form1::*verifica)()) {
    VerificaInAttesa = verifica;
    if (timer1_) return; // already enabled: it fires once, for the latest command
    timer1_ = true;
    p.TimerUnaVolta(1, [this] { Timer1_Timer(); });
}

void Form1::mnuVerificaConfigurazione_Click() {
    ArmaTimer1(&Form1::VerificaIsola);
}
void Form1::mnuSoluzioneConfigurazione_Click() {
    ArmaTimer1(&Form1::SoluzioneIsola);
}
void Form1::cmdConfigurazioniIsoleMarcate_Click() {
    ArmaTimer1(&Form1::ElencoConfigurazioniMarcate);
}

void Form1::Timer1_Timer() {
    if (!timer1_) return;
    if (InElaborazione()) { // other work is running: try again when it has returned
        p.TimerUnaVolta(1, [this] { Timer1_Timer(); });
        return;
    }
    timer1_ = false;
    Esegui([&] {
        if (m.NumEle == 0) return;
        InVisSoluzione = Vero;
        p.ImpostaVisibile(controlli::Frame1, true);
        if (VerificaInAttesa) (this->*VerificaInAttesa)();
    });
}

bool Form1::CercaPrimaSoluzione() {
    const AvvisoRicerca avviso(*this);
    m.TempoInizio = p.Orologio();
    // The search works on TblSchema: start it from the bare clues, whatever was shown before.
    InizializzaSchema(m, Gr, p);
    return Ris.SoluzioneStart(1);
}

bool Form1::VerificaPrimaSoluzione() {
    bool cercato = true;
    if (m.NumSol == 0) cercato = CercaPrimaSoluzione();
    Ris.SalvaEleInsvele();
    VisualizzaTblGioco();
    if (m.NumSol > 0) return true;
    const EsitoRicerca e = EsitoDi(cercato, m);
    if (e == EsitoRicerca::Interrotta)
        p.ImpostaTesto(controlli::Label2, TestiVerificaIsole.Testo(e, m));
    else
        p.Messaggio(TestiVerificaIsole.Testo(e, m), Pulsanti::Ok, Icona::Avviso);
    return false;
}

void Form1::VerificaIsola() {
    if (!VerificaPrimaSoluzione()) return;
    const int16_t i = CellaDim(RigaGr, ColonnaGr);
    if (i < 1) return;
    const int R = m.NumRighe, C = m.NumColonne, n = m.Ele[i].Num;
    AzzeraTabella(m.TblVisitate);
    // Flood fill over the player's island cells. It stops once the region is larger than the
    // clue: the verdict is then "wrong" whatever lies beyond.
    std::vector<std::pair<int, int>> coda{{RigaGr, ColonnaGr}};
    m.TblVisitate(RigaGr, ColonnaGr) = 1;
    for (size_t k = 0; k < coda.size() && static_cast<int>(coda.size()) <= n; ++k) {
        const auto [r, c] = coda[k];
        for (const auto& [rr, cc] : {std::pair{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}}) {
            if (rr < 1 || rr > R || cc < 1 || cc > C) continue;
            if (m.TblGioco(rr, cc) != 1 || m.TblVisitate(rr, cc)) continue;
            m.TblVisitate(rr, cc) = 1;
            coda.emplace_back(rr, cc);
        }
    }
    bool giusta = static_cast<int>(coda.size()) == n;
    for (const auto& [r, c] : coda)
        giusta = giusta && m.Tblsol(1, r, c) == 1;
    p.ImpostaTesto(controlli::Label2, "La configurazione dell' isola " +
                                          TestoCella(RigaGr, ColonnaGr) +
                                          (giusta ? "  è corretta" : " non è corretta"));
}

void Form1::MostraIsole(const Isola* isole, int n) {
    AzzeraTabella(m.TblSchema);
    m.NoBlocchi = Vero;
    for (int k = 0; k < n; ++k) {
        const Isola& e = isole[k];
        m.TblSchema(e.Riga, e.Colonna) = 1;
        Ris.InserisciOTogli(e.Riga, e.Colonna, e.Tessera, e.TessRiga, e.TessColonna, "I");
    }
    m.NoBlocchi = Falso;
    VisualizzaTblSchemaOption();
}

void Form1::SoluzioneIsola() {
    if (!VerificaPrimaSoluzione()) return;
    if (CellaDim(RigaGr, ColonnaGr) < 1) return;
    // The island is the region of island cells of the first solution around its clue, and its
    // ring the cells beside it: read from the stored board, so no search runs again and the
    // count of known solutions stays.
    const int R = m.NumRighe, C = m.NumColonne;
    AzzeraTabella(m.TblSchema);
    std::vector<std::pair<int, int>> coda{{RigaGr, ColonnaGr}};
    m.TblSchema(RigaGr, ColonnaGr) = 1;
    for (size_t k = 0; k < coda.size(); ++k) {
        const auto [r, c] = coda[k];
        for (const auto& [rr, cc] : {std::pair{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}}) {
            if (rr < 1 || rr > R || cc < 1 || cc > C || m.TblSchema(rr, cc) == 1) continue;
            if (m.Tblsol(1, rr, cc) == 1) {
                m.TblSchema(rr, cc) = 1;
                coda.emplace_back(rr, cc);
            } else {
                m.TblSchema(rr, cc) = 2;
            }
        }
    }
    VisualizzaTblSchemaOption();
    p.ImpostaTesto(controlli::Label2,
                   "Configurazione corretta dell' isola " + TestoCella(RigaGr, ColonnaGr));
    p.ImpostaVisibile(controlli::CommandVisgioco, true);
}

void Form1::ElencoConfigurazioniMarcate() {
    if (!VerificaPrimaSoluzione()) return;
    m.NumSolParz = 0;
    SolParzVis = 0;
    ConfigurazioniSat.clear();
    if (Ris.UsaSat()) {
        ElencoConfigurazioniSat();
        return;
    }
    m.NumEle = 0;
    for (int i = 1; i <= m.svNumEle; ++i)
        if (m.svEle[i].Marcata == 1) m.Ele[++m.NumEle] = m.svEle[i];
    if (m.NumEle == 0) {
        Ris.RiprendiEleDasvEle();
        p.ImpostaTesto(controlli::Label2, "Nessuna isola marcata");
        return;
    }
    m.SoluzMultiple = Vero;
    // The reduced search never touches the stored solutions; an Esc in it would clear their count.
    const int16_t soluzioni = m.NumSol;
    bool cercato;
    {
        const AvvisoRicerca avviso(*this);
        InizializzaSchema(m, Gr, p);
        // The other clues are island cells that no marked island may cover or touch.
        for (int i = 1; i <= m.svNumEle; ++i)
            m.TblSchema(m.svEle[i].Riga, m.svEle[i].Colonna) = 1;
        cercato = Ris.SoluzioneStartVerifica();
    }
    m.SoluzMultiple = Falso;
    m.NumSol = soluzioni;
    CommandVisgioco_Click();
    InVisSoluzione = Vero;
    // NumSol is the stored solutions' again: of the outcome only a stop or too large a puzzle
    // counts here.
    const EsitoRicerca e = EsitoDi(cercato, m);
    if (e == EsitoRicerca::TroppoGrande || e == EsitoRicerca::OltreLeForme ||
        e == EsitoRicerca::Interrotta) {
        if (e == EsitoRicerca::Interrotta)
            m.NumSolParz = 0; // a partial count would read as the whole list
        p.ImpostaTesto(controlli::Label2, TestiVerificaIsole.Testo(e, m));
        return;
    }
    // A full list stopped the search: there may be more.
    p.ImpostaTesto(controlli::Label2, (m.NumSolParz >= MaxSolParz ? "almeno " : "") +
                                          TestoNumero(int{m.NumSolParz}) + " configurazioni");
    for (Controllo b : {controlli::CmdPosMeno, controlli::CmdPospiu, controlli::CommandVisgioco})
        p.ImpostaVisibile(b, true);
}

// The puzzles of the SAT engine: the configurations the marked islands take in the solutions that
// keep the player's marks.
void Form1::ElencoConfigurazioniSat() {
    std::vector<int> marcate;
    for (int i = 1; i <= m.NumEle; ++i)
        if (m.Ele[i].Marcata == 1) marcate.push_back(i);
    if (marcate.empty()) {
        p.ImpostaTesto(controlli::Label2, "Nessuna isola marcata");
        return;
    }
    ConfigurazioniIsole x;
    {
        const AvvisoRicerca avviso(*this);
        x = ConfigurazioniConSat(m, p, marcate, MaxSolParz);
    }
    CommandVisgioco_Click();
    InVisSoluzione = Vero;
    if (x.Esito == EsitoSat::Interrotta) {
        p.ImpostaTesto(controlli::Label2, TestiVerificaIsole.Testo(EsitoRicerca::Interrotta, m));
        return;
    }
    ConfigurazioniSat = std::move(x.Celle);
    m.NumSolParz = static_cast<int16_t>(ConfigurazioniSat.size());
    p.ImpostaTesto(controlli::Label2, (m.NumSolParz >= MaxSolParz ? "almeno " : "") +
                                          TestoNumero(int{m.NumSolParz}) + " configurazioni");
    for (Controllo b : {controlli::CmdPosMeno, controlli::CmdPospiu, controlli::CommandVisgioco})
        p.ImpostaVisibile(b, true);
}

void Form1::CmdPospiu_Click() {
    if (m.NumSolParz == 0) return;
    if (++SolParzVis > m.NumSolParz) SolParzVis = 1;
    VisualizzaConfigurazione();
}

void Form1::CmdPosMeno_Click() {
    if (m.NumSolParz == 0) return;
    if (--SolParzVis < 1) SolParzVis = m.NumSolParz;
    VisualizzaConfigurazione();
}

void Form1::VisualizzaConfigurazione() {
    VisualizzaTblGioco();
    p.ImpostaTesto(controlli::Label2,
                   TestoNumero(SolParzVis) + "/" + TestoNumero(int{m.NumSolParz}));
    if (ConfigurazioniSat.empty()) {
        MostraIsole(&m.Eleparz[SolParzVis][1], m.NumEleparz[SolParzVis]);
        return;
    }
    // The islands' cells, and the cells beside them as their ring.
    const std::string& celle = ConfigurazioniSat[static_cast<size_t>(SolParzVis - 1)];
    const int R = m.NumRighe, C = m.NumColonne;
    const auto isola = [&](int r, int c) {
        return r >= 1 && r <= R && c >= 1 && c <= C && celle[size_t((r - 1) * C + c - 1)] == '1';
    };
    AzzeraTabella(m.TblSchema);
    for (int r = 1; r <= R; ++r)
        for (int c = 1; c <= C; ++c)
            if (isola(r, c))
                m.TblSchema(r, c) = 1;
            else if (isola(r - 1, c) || isola(r + 1, c) || isola(r, c - 1) || isola(r, c + 1))
                m.TblSchema(r, c) = 2;
    VisualizzaTblSchemaOption();
}

} // namespace isolmar
