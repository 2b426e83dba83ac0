// Form1: play on the board, the move list with undo, snapshots and island marks.
#include "model/Impostazione.h"
#include "ui/Form1.h"
#include "ui/Testi.h"

#include <algorithm>

namespace isolmar {

namespace {

constexpr int MaxFotografie = 10;

// Text of a cell holding the symbol-font character with the given code (as a code point).
std::string Carattere(int codice) {
    return {static_cast<char>(0xC0 | (codice >> 6)), static_cast<char>(0x80 | (codice & 0x3F))};
}

uint8_t Passo(uint8_t codice, bool avanti) {
    return static_cast<uint8_t>(avanti ? (codice + 1) % 3 : (codice + 2) % 3);
}

// The move count stored in a snapshot column: the leading digits of its row 0 ("" gives 0).
int32_t MosseFotografia(const Griglia& gr2, int colonna) {
    int32_t n = 0;
    for (char ch : gr2.CellaIn(0, colonna).Testo) {
        if (ch < '0' || ch > '9' || n > 100000000) break;
        n = n * 10 + (ch - '0');
    }
    return n;
}

} // namespace

void Form1::RiprendiGioco() {
    if (!InVisSoluzione) return;
    InVisSoluzione = Falso;
    NascondiSuggerimento();
    CommandVisgioco_Click();
    SpegniBottoniPiuMeno();
    p.ImpostaVisibile(controlli::CommandVisgioco, false);
    p.ImpostaTesto(controlli::Label2, "");
}

void Form1::Gr_MouseDown(int tasto) {
    Esegui([&] { ClicCella(tasto); });
}

void Form1::ClicCella(int tasto, bool daTastiera) {
    trascina_ = -1;
    RiprendiGioco();
    const int riga = Gr.MouseRiga, colonna = Gr.MouseColonna;
    if (riga <= 0 || colonna <= 0 || riga > m.NumRighe || colonna > m.NumColonne) return;
    RigaGr = static_cast<uint8_t>(riga);
    ColonnaGr = static_cast<uint8_t>(colonna);
    CursoreRiga = riga;
    CursoreColonna = colonna;
    if (InComposizione) { // a click chooses the cell to type on; another button clears it
        Comp.FineNumero();
        CursoreVisibile = true;
        if (tasto != 1) ComponiSuCursore(-1);
        Gr.Aggiorna();
        return;
    }
    if (CellaDim(RigaGr, ColonnaGr) > 0) {
        VisualizzaMenuGr(daTastiera);
        return;
    }
    RegistraMossa(RigaGr, ColonnaGr, static_cast<uint8_t>(tasto));
    // A drag from here gives the cells it passes the state this one took.
    trascina_ = m.TblGioco(RigaGr, ColonnaGr);
    rigaTrascina_ = riga;
    colonnaTrascina_ = colonna;
    DopoMossa();
}

void Form1::RegistraMossa(uint8_t riga, uint8_t colonna, uint8_t tasto) {
    MosseAnnullate.clear();
    const int32_t k = ++m.NumMosseGioco;
    if (static_cast<size_t>(k) >= m.MosseGioco.size()) m.MosseGioco.resize(2 * k);
    m.MosseGioco[k] = {riga, colonna, tasto};
    AggiornaGioco(tasto, riga, colonna);
}

void Form1::AggiornaGioco(int16_t tasto, uint8_t riga, uint8_t colonna) {
    uint8_t& codice = m.TblGioco(riga, colonna);
    codice = Passo(codice, tasto == 1);
    Gr.Seleziona(riga, colonna);
    Gr.ImpostaStato(StatoGioco(codice));
    Gr.Aggiorna();
}

void Form1::VisualizzaMenuGr(bool daTastiera) {
    const int16_t i = CellaDim(RigaGr, ColonnaGr);
    if (i < 1) return;
    p.ImpostaTesto(controlli::mnuSmarcaMarca, m.Ele[i].Marcata == 1 ? "Smarca" : "Marca");
    if (daTastiera)
        p.MenuPopup(controlli::MnuAzioniGr, RigaGr, ColonnaGr);
    else
        p.MenuPopup(controlli::MnuAzioniGr);
}

void Form1::mnuSmarcaMarca_Click() {
    const int16_t i = CellaDim(RigaGr, ColonnaGr);
    if (i < 1) return;
    Isola& e = m.Ele[i];
    e.Marcata = static_cast<uint8_t>(1 - e.Marcata);
    // The saved copy is what the game is restored from after a solve: it keeps the mark too.
    for (int j = 1; j <= m.svNumEle; ++j)
        if (m.svEle[j].Riga == e.Riga && m.svEle[j].Colonna == e.Colonna)
            m.svEle[j].Marcata = e.Marcata;
    Gr.Seleziona(e.Riga, e.Colonna);
    Gr.ImpostaStato(e.Marcata == 1 ? StatoCella::IndizioMarcato : StatoCella::Indizio);
    Gr.Aggiorna();
    AggiornaAiuto();
}

void Form1::AggiornaAiuto() {
    bool marcata = false;
    for (int i = 1; i <= m.NumEle && !marcata; ++i)
        marcata = m.Ele[i].Marcata == 1;
    p.AbilitaPulsanteBarra(controlli::Aiuto, marcata);
}

void Form1::UndoMosse(int32_t da) {
    da = std::max(da, int32_t{1});
    if (da > m.NumMosseGioco) return;
    for (int32_t k = m.NumMosseGioco; k >= da; --k) {
        const MossaGioco& mo = m.MosseGioco[k];
        // The opposite step: a left-button move is taken back backwards, any other forwards.
        AggiornaGioco(mo.Tasto == 1 ? 2 : 1, mo.Riga, mo.Colonna);
        MosseAnnullate.push_back(mo);
    }
    m.NumMosseGioco = da - 1;
    DopoMossa();
}

void Form1::AggiornaIndiceSituazione() {
    for (int k = 1; k < gr2.Colonne(); ++k)
        if (MosseFotografia(gr2, k) > m.NumMosseGioco) {
            gr2.ImpostaColonne(k);
            break;
        }
    if (gr2.Colonne() <= 1) gr2.Visibile = false;
    gr2.Aggiorna();
}

void Form1::SalvaSituazione() {
    int k = gr2.Colonne();
    if (k <= MaxFotografie)
        gr2.ImpostaColonne(k + 1);
    else
        k = MaxFotografie;
    gr2.ImpostaLarghezzaColonna(k, Gr.LarghezzaColonna(1));
    gr2.Seleziona(0, k);
    gr2.ImpostaTesto(TestoNumero(m.NumMosseGioco));
    gr2.ImpostaAllinea(Allineamento::CentroCentro);
    gr2.Seleziona(1, k);
    gr2.ImpostaTesto(Carattere(139 + k));
    gr2.ImpostaFont("Wingdings");
    gr2.ImpostaDimensione(14);
    gr2.ImpostaColoreTesto(Tavolozza::TestoFotografia);
    gr2.ImpostaAllinea(Allineamento::CentroCentro);
    gr2.Visibile = true;
    gr2.Aggiorna();
}

void Form1::gr2_Click() {
    Esegui([&] {
        const int k = gr2.MouseColonna;
        if (k < 0 || k >= gr2.Colonne()) return;
        RiprendiGioco();
        UndoMosse(MosseFotografia(gr2, k) + 1);
        gr2.ImpostaColonne(k + 1);
        gr2.Seleziona(0, k);
        // Column 0 holds no snapshot: with none left the strip is hidden.
        if (k == 0) gr2.Visibile = false;
        gr2.Aggiorna();
    });
}

void Form1::CommandVisTessera_Click() {
    const std::string risposta = p.InputBox("tessera", "");
    if (risposta.empty()) return; // cancelled
    long t = 0;
    const bool numero =
        risposta.size() <= 6 && std::all_of(risposta.begin(), risposta.end(),
                                            [](char ch) { return ch >= '0' && ch <= '9'; });
    if (numero) t = std::stol(risposta);
    if (!numero || t < 1 || t > m.NumTessere) {
        p.Messaggio("Tessera inesistente: scrivere un numero da 1 a " + TestoNumero(m.NumTessere),
                    Pulsanti::Ok, Icona::Errore);
        return;
    }
    const Tessera& s = m.Tessere[t];
    std::string disegno;
    for (int r = 1; r <= 11; ++r) {
        for (int c = 1; c <= 11; ++c)
            disegno += static_cast<char>('0' + s.Cella[r][c]);
        disegno += "\r\n";
    }
    p.ImpostaTesto(controlli::Label1,
                   disegno + TestoNumero(s.Righe) + " " + TestoNumero(s.Colonne));
    tesseraInEtichetta_ = true;
}

} // namespace isolmar
