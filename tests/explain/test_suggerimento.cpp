// The hint and the position check against the published solutions.
#include "explain/Suggerimento.h"
#include "solver/Regole.h"
#include "ui/Partita.h"

#include <set>

using namespace isolmar;
using namespace isolmar::prova;

namespace {
bool Giusta(const Tavola& sol, int r, int c, bool isola) {
    return (sol[r - 1][c - 1] == '1') == isola;
}
} // namespace

// From the clues, hint after hint, each applied to the player's board: every cell a step decides
// agrees with the solution, no cell is given twice, the search never touches the player's board,
// and the last hint leaves the board solved.
TEST(Suggerimento, HintsFromTheCluesReachTheSolution) {
    for (const Pubblicato& x : PuzzlePubblicati()) {
        Partita b(x.S);
        ASSERT_EQ(b.f.ContaSoluzioni(), EsitoRicerca::Una) << x.Nome;
        std::set<std::pair<int, int>> date;
        EsitoPasso e;
        PassoSuggerito passo;
        while ((e = CercaPasso(b.f.Spieg, passo)) == EsitoPasso::Trovato) {
            ASSERT_FALSE(passo.Celle.empty());
            for (const CellaPasso& k : passo.Celle) {
                EXPECT_TRUE(Giusta(x.Soluzione, k.Riga, k.Colonna, k.Isola)) << x.Nome;
                EXPECT_TRUE(date.insert({k.Riga, k.Colonna}).second)
                    << x.Nome << TestoCodice(passo.C.Codice);
                EXPECT_EQ(b.m.TblGioco(k.Riga, k.Colonna), 0);
                b.m.TblGioco(k.Riga, k.Colonna) = k.Isola ? 1 : 2;
            }
        }
        EXPECT_EQ(e, EsitoPasso::Nessuno) << x.Nome;
        EXPECT_TRUE(b.f.SchemaRisolto()) << x.Nome;
    }
}

// One wrong mark, an island where the solution has wall and the reverse: the check names exactly
// that cell, the hint shows it, the rating is the clean puzzle's, and an explanation from the
// position sets it aside and concludes nothing against the solution.
TEST(Suggerimento, AWrongMarkIsFoundFirstAndNeverUsed) {
    for (const Pubblicato& x : PuzzlePubblicati())
        for (const bool isola : {true, false}) {
            Partita pulita(x.S);
            pulita.f.tlb1_ButtonClick("Valuta");
            Partita b(x.S);
            ASSERT_EQ(b.f.ContaSoluzioni(), EsitoRicerca::Una);
            int r = 0, c = 0; // the first cell of the other kind, not a clue
            for (int i = 1; i <= b.m.NumRighe && !r; ++i)
                for (int j = 1; j <= b.m.NumColonne && !r; ++j)
                    if (!Giusta(x.Soluzione, i, j, isola) &&
                        b.f.CellaDim(uint8_t(i), uint8_t(j)) < 1)
                        r = i, c = j;
            ASSERT_GT(r, 0);
            b.m.TblGioco(r, c) = isola ? 1 : 2;
            const std::vector<std::pair<int, int>> attese{{r, c}};
            EXPECT_EQ(CelleSbagliate(b.m), attese) << x.Nome;
            b.f.tlb1_ButtonClick("Suggerimento");
            EXPECT_EQ(b.Label2(), "La posizione contiene 1 errore: la cella " + std::to_string(r) +
                                      "," + std::to_string(c))
                << x.Nome;
            EXPECT_EQ(b.Sfondo(r, c), Colore{0x0000FF});
            b.f.tlb1_ButtonClick("Valuta");
            EXPECT_EQ(b.p.Messaggi, pulita.p.Messaggi) << x.Nome;
            const Griglia8 gioco = b.m.TblGioco;
            ASSERT_TRUE(b.f.TogliErrori(false));
            EXPECT_EQ(b.m.TblGioco(r, c), 0);
            RelatoreMuto muto;
            ASSERT_TRUE(b.f.Spieg.EseguiLog(muto, true));
            for (int i = 1; i <= b.m.NumRighe; ++i)
                for (int j = 1; j <= b.m.NumColonne; ++j)
                    if (b.f.Spieg.Decisa(i, j)) {
                        EXPECT_TRUE(Giusta(x.Soluzione, i, j, b.m.TblSchema(i, j) < 2))
                            << x.Nome << " " << i << "," << j;
                    }
            b.m.TblGioco = gioco;
        }
}

// A puzzle with several solutions or none is neither rated, explained nor hinted; a solved board
// says so.
TEST(Suggerimento, OnlyAPuzzleWithOneSolution) {
    for (const auto& [s, testo] : {std::pair{DueSoluzioni, "Lo schema non ha una soluzione unica"},
                                   std::pair{Impossibile, "Lo schema non ammette soluzioni"}})
        for (const char* chiave : {"Valuta", "Mostra", "Suggerimento"}) {
            Partita b(s);
            b.f.tlb1_ButtonClick(chiave);
            EXPECT_EQ(b.p.Messaggi, std::vector<std::string>{testo}) << chiave;
            EXPECT_FALSE(b.p.Visibile(controlli::CmdApplica));
        }
    Partita b(Unico);
    b.Disegna(SoluzioneUnico);
    b.p.Messaggi.clear();
    b.f.tlb1_ButtonClick("Suggerimento");
    EXPECT_EQ(b.Label2(), "Lo schema è già risolto");
}

// "Mostra" on a wrong mark shows it first and, on "Sì", explains from the clues and the right
// marks to the clean level; the player's board comes back with the mark.
TEST(Suggerimento, MostraShowsTheErrorFirst) {
    Partita b("janko-0052");
    b.Clic(3, 3); // island; the solution has wall there
    b.p.RisposteMessaggi = {Risposta::Si};
    b.Mostra([](int) {});
    EXPECT_EQ(b.Messaggi(),
              (std::vector<std::string>{"La posizione contiene 1 errore.", "Fine del log "}));
    EXPECT_EQ(b.p.Messaggi.back(), "Fine del log \n Il livello di difficoltà è 1");
    EXPECT_EQ(b.Cella(3, 3), 1);
    EXPECT_EQ(b.Sfondo(3, 3), Bianco);
}

// In the window: the step's cells over the game and its rows in the label; "Applica" of a step
// over several cells is one move, taken back by Undo and redone whole.
TEST(Suggerimento, ApplicaIsOneMove) {
    Partita b("janko-0052");
    b.f.tlb1_ButtonClick("Suggerimento");
    EXPECT_EQ(b.Label2(), "Suggerimento (livello 0): la cella 1,2 deve essere muro perché non "
                          "può appartenere a nessuna isola.");
    EXPECT_EQ(b.Sfondo(1, 2), Verdeacqua);
    EXPECT_TRUE(b.p.Visibile(controlli::CmdApplica));
    for (int passi = 0; b.f.Suggerito.Celle.size() < 2 && passi < 100; ++passi) {
        b.f.Clic("CmdApplica");
        b.f.tlb1_ButtonClick("Suggerimento");
    }
    const auto celle = b.f.Suggerito.Celle;
    ASSERT_GE(celle.size(), 2u);
    const int32_t mosse = b.m.NumMosseGioco;
    b.f.Clic("CmdApplica");
    EXPECT_FALSE(b.p.Visibile(controlli::CmdApplica));
    for (const CellaPasso& k : celle)
        EXPECT_EQ(b.Cella(k.Riga, k.Colonna), k.Isola ? 1 : 2);
    b.Annulla();
    EXPECT_EQ(b.m.NumMosseGioco, mosse);
    for (const CellaPasso& k : celle)
        EXPECT_EQ(b.Cella(k.Riga, k.Colonna), 0);
    b.f.Clic("mnuRipeti");
    EXPECT_EQ(b.m.NumMosseGioco, mosse + static_cast<int32_t>(celle.size()));
    for (const CellaPasso& k : celle)
        EXPECT_EQ(b.Cella(k.Riga, k.Colonna), k.Isola ? 1 : 2);
}
