// Form1: what the explanation checks before it starts (exactly one solution, no wrong mark), and
// the hint "Suggerimento" with its "Applica".
#include "model/Impostazione.h"
#include "ui/Form1.h"
#include "ui/Testi.h"

#include <algorithm>

namespace isolmar {

namespace {

std::string TestoCella(int r, int c) {
    return TestoNumero(r) + "," + TestoNumero(c);
}

// The puzzle as its size and clues: the solution count belongs to it.
std::string ChiaveSchema(const Modello& m) {
    std::string s = TestoCella(m.NumRighe, m.NumColonne);
    std::vector<std::string> indizi;
    for (int i = 1; i <= m.NumEle; ++i)
        indizi.push_back(TestoCella(m.Ele[i].Riga, m.Ele[i].Colonna) + ":" +
                         TestoNumero(m.Ele[i].Num));
    std::sort(indizi.begin(), indizi.end());
    for (const std::string& x : indizi)
        s += ";" + x;
    return s;
}

} // namespace

std::string TestoErrori(int n) {
    return "La posizione contiene " + TestoNumero(n) + (n == 1 ? " errore" : " errori");
}

std::string TestoPrimoErrore(const std::vector<std::pair<int, int>>& errori) {
    const auto [r, c] = errori.front();
    return TestoErrori(static_cast<int>(errori.size())) +
           (errori.size() == 1 ? ": la cella " : "; la prima è la cella ") + TestoCella(r, c);
}

EsitoRicerca Form1::ContaSoluzioni() {
    const std::string chiave = ChiaveSchema(m);
    if (chiave == chiaveSoluzioni_ && (soluzioniContate_ == EsitoRicerca::Nessuna || m.NumSol >= 1))
        return soluzioniContate_;
    // A search stopped by Esc keeps whatever solutions were known before it.
    const int16_t note = m.NumSol;
    const auto soluzioni = m.Tblsol;
    bool cercato;
    {
        const AvvisoRicerca avviso(*this);
        m.TempoInizio = p.Orologio();
        InizializzaSchema(m, Gr, p);
        cercato = Ris.SoluzioneStart(2);
    }
    const EsitoRicerca n = EsitoDi(cercato, m);
    if (n == EsitoRicerca::TroppoGrande || n == EsitoRicerca::OltreLeForme ||
        n == EsitoRicerca::Interrotta) {
        m.NumSol = note;
        m.Tblsol = soluzioni;
    } else {
        chiaveSoluzioni_ = chiave;
        soluzioniContate_ = n;
    }
    Ris.RiprendiEleDasvEle();
    InizializzaSchema(m, Gr, p);
    VisualizzaTblGioco();
    return n;
}

bool Form1::SoluzioneUnica() {
    const EsitoRicerca n = ContaSoluzioni();
    if (n == EsitoRicerca::Una) return true;
    if (n == EsitoRicerca::Interrotta)
        p.ImpostaTesto(controlli::Label2, TestiRicerca.Testo(n, m));
    else
        p.Messaggio(TestiRicerca.Testo(n, m), Pulsanti::Ok, Icona::Avviso);
    return false;
}

bool Form1::TogliErrori(bool chiedi) {
    const auto errori = CelleSbagliate(m);
    if (errori.empty()) return true;
    if (chiedi) {
        VerificaSchema(); // the wrong cells in red, as "Verifica schema" shows them
        if (p.Messaggio(TestoErrori(static_cast<int>(errori.size())) +
                            ".\nContinuare dai numeri dello schema e dalle sole caselle giuste?",
                        Pulsanti::SiNoAnnulla) != Risposta::Si)
            return false;
    }
    for (const auto& [r, c] : errori)
        m.TblGioco(r, c) = 0;
    return true;
}

void Form1::NascondiSuggerimento() {
    suggerimentoPronto_ = false;
    p.ImpostaVisibile(controlli::CmdApplica, false);
}

void Form1::Suggerimento_Click() {
    if (m.NumEle == 0) return;
    RiprendiGioco();
    NascondiSuggerimento();
    if (const std::string no = SpiegazioneNonDisponibile(m); !no.empty()) {
        p.Messaggio(no, Pulsanti::Ok, Icona::Avviso);
        return;
    }
    if (!SoluzioneUnica()) return;
    const auto errori = CelleSbagliate(m);
    if (!errori.empty()) {
        VerificaSchema();
        const auto [r, c] = errori.front();
        CursoreRiga = r;
        CursoreColonna = c;
        CursoreVisibile = true;
        p.ImpostaTesto(controlli::Label2, TestoPrimoErrore(errori));
        Gr.Aggiorna();
        return;
    }
    if (PosizioneCompleta(m)) {
        p.ImpostaTesto(controlli::Label2, TestoGiaRisolto);
        return;
    }
    EsitoPasso esito;
    {
        const AvvisoRicerca avviso(*this);
        esito = CercaPasso(Spieg, Suggerito);
    }
    CommandVisgioco_Click(); // the engine's tables back to the clues, the game on the board
    if (esito != EsitoPasso::Trovato) {
        p.ImpostaTesto(controlli::Label2, esito == EsitoPasso::Interrotto
                                              ? TestoSuggerimentoInterrotto
                                          : esito == EsitoPasso::Nessuno ? TestoNessunSuggerimento
                                                                         : TestoTroppoGrande);
        return;
    }
    // The cells of the step over the game, and the clue of the island it rests on.
    Gr.ImpostaRidisegno(false);
    for (const CellaPasso& k : Suggerito.Celle) {
        Gr.Seleziona(k.Riga, k.Colonna);
        Gr.ImpostaStato(k.Isola ? StatoCella::EvidenzaIsola : StatoCella::EvidenzaMuro);
    }
    const Conclusione& x = Suggerito.C;
    if (x.RigaIsola > 0) {
        Gr.Seleziona(x.RigaIsola, x.ColonnaIsola);
        Gr.EvidenziaIndizio();
    }
    Gr.ImpostaRidisegno(true);
    p.ImpostaTesto(controlli::Label2, "Suggerimento (livello " + TestoNumero(x.Livello) + "): " +
                                          FraseDelPasso(x, Suggerito.Righe, Suggerito.Serie));
    InVisSoluzione = Vero; // the next click puts the plain game back
    suggerimentoPronto_ = true;
    p.ImpostaVisibile(controlli::CmdApplica, true);
}

void Form1::CmdApplica_Click() {
    if (InComposizione && PropostaComposizione) { // the proposed clue goes on the board
        Comp.Applica(*PropostaComposizione);
        PropostaComposizione.reset();
        ImpostaDaSalvare(true);
        VerificaComposizione();
        return;
    }
    if (!suggerimentoPronto_) return;
    NascondiSuggerimento();
    RiprendiGioco();
    // One move: the first cell opens it, the others join it, and Undo takes them back together.
    const int32_t prima = m.NumMosseGioco;
    for (const CellaPasso& k : Suggerito.Celle) {
        const auto r = static_cast<uint8_t>(k.Riga), c = static_cast<uint8_t>(k.Colonna);
        if (!ImpostaCella(r, c, k.Isola ? 1 : 2)) continue;
        if (m.NumMosseGioco > prima + 1) m.MosseGioco[m.NumMosseGioco].Insieme = 1;
    }
    if (m.NumMosseGioco > prima) DopoMossa();
}

} // namespace isolmar
