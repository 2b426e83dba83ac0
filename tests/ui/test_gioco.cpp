// Play on the board driven headless: the cell cycle, the move list and undo, snapshots, island
// marks, and the island checks against the solution.
#include "Partita.h"

using namespace isolmar;

namespace {

TEST(Gioco, ButtonsStepTheCellCycleUndoTakesEachStepBackAndClueClicksAreNoMoves) {
    Partita g(Unico);
    // Button, cell, code and colour after the click.
    const struct {
        int tasto, r, c;
        uint8_t codice;
        Colore sfondo;
    } clic[] = {{1, 2, 2, 1, Bianco}, {1, 2, 2, 2, Blu}, {1, 2, 2, 0, Grigio},
                {2, 2, 3, 2, Blu},    {4, 2, 4, 2, Blu}, {4, 2, 4, 1, Bianco}};
    for (const auto& k : clic) {
        g.Clic(k.r, k.c, k.tasto);
        EXPECT_EQ(g.Cella(k.r, k.c), k.codice);
        EXPECT_EQ(g.Sfondo(k.r, k.c), k.sfondo);
    }
    EXPECT_EQ(g.m.NumMosseGioco, 6);
    // Undo from the last move: (2, 4) 1 -> 2 -> 0, (2, 3) 2 -> 0, (2, 2) 0 -> 2 -> 1 -> 0, then
    // nothing left to take back.
    const uint8_t dopoAnnulla[][3] = {{0, 2, 2}, {0, 2, 0}, {0, 0, 0}, {2, 0, 0},
                                      {1, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    for (const auto& atteso : dopoAnnulla) {
        g.Annulla();
        for (int c = 2; c <= 4; ++c)
            EXPECT_EQ(g.Cella(2, c), atteso[c - 2]);
    }
    EXPECT_EQ(g.m.NumMosseGioco, 0);
    // The move list grows past its first thousand moves.
    for (int k = 0; k < 3000; ++k)
        g.Clic(5, 1 + k % 5, 1 + (k % 2));
    EXPECT_EQ(g.m.NumMosseGioco, 3000);
    for (int k = 0; k < 3000; ++k)
        g.Annulla();
    EXPECT_EQ(g.Sfondi().substr(20), ".....");
    // Headers and cells beyond the puzzle do nothing; a clue opens its menu and is no move.
    for (auto [r, c] : {std::pair{0, 2}, {2, 0}, {6, 1}})
        g.Clic(r, c);
    EXPECT_TRUE(g.p.Menu.empty());
    g.Clic(1, 1, 2);
    EXPECT_EQ(g.Cella(1, 1), 1);
    EXPECT_EQ(g.m.NumMosseGioco, 0);
    EXPECT_EQ(g.p.Menu, std::vector<std::string>{"MnuAzioniGr"});
    EXPECT_EQ(g.p.Testo(controlli::mnuSmarcaMarca), "Marca");
}

TEST(Fotografie, ASnapshotTakesLaterMovesBackUndoBeforeItDropsItAndTheStripKeepsTen) {
    Partita g(Unico);
    EXPECT_FALSE(g.f.gr2.Visibile);
    g.Isola({{2, 1}, {2, 2}, {2, 3}, {2, 4}, {2, 5}});
    g.Fotografa();
    EXPECT_TRUE(g.f.gr2.Visibile);
    ASSERT_EQ(g.f.gr2.Colonne(), 2);
    EXPECT_EQ(g.f.gr2.CellaIn(0, 1).Testo, "5");
    EXPECT_EQ(g.f.gr2.CellaIn(1, 1).Testo, "\xC2\x8C"); // character 140: a black circled 1
    g.Isola({{5, 1}, {5, 2}});
    g.Fotografa();
    g.Isola({{5, 3}});
    g.Riprendi(1);
    EXPECT_EQ(g.m.NumMosseGioco, 5);
    for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(g.Cella(5, c), 0);
    EXPECT_EQ(g.Cella(2, 5), 1);
    EXPECT_EQ(g.f.gr2.Colonne(), 2); // the later snapshot is gone
    g.Isola({{5, 1}});
    g.Fotografa(); // at 6
    g.Annulla();   // back at 5: the snapshot at 5 stays, the one at 6 goes
    EXPECT_TRUE(g.f.gr2.Colonne() == 2 && g.f.gr2.Visibile);
    g.Annulla(); // before every snapshot: the strip hides
    EXPECT_TRUE(g.f.gr2.Colonne() == 1 && !g.f.gr2.Visibile);
    // A restart empties the strip; it keeps ten snapshots, the last one replacing the tenth.
    g.p.RisposteMessaggi = {Risposta::Si, Risposta::Si};
    g.f.tlb1_ButtonClick("UndoAll");
    for (int k = 1; k <= 11; ++k) {
        g.Clic(5, 1 + k % 5);
        g.Fotografa();
    }
    ASSERT_EQ(g.f.gr2.Colonne(), 11);
    EXPECT_EQ(g.f.gr2.CellaIn(0, 10).Testo, "11");
    EXPECT_EQ(g.f.gr2.CellaIn(0, 9).Testo, "9");
    EXPECT_EQ(g.f.gr2.CellaIn(1, 10).Testo, "\xC2\x95"); // character 149: a black circled 10
    g.f.tlb1_ButtonClick("UndoAll");
    EXPECT_TRUE(g.f.gr2.Colonne() == 1 && !g.f.gr2.Visibile);
    EXPECT_EQ(g.m.NumMosseGioco, 0);
}

TEST(Marche, MarkingTogglesTheClueAndTheHelpButton) {
    Partita g(Unico);
    EXPECT_FALSE(g.Aiuto());
    g.Marca(1, 1);
    EXPECT_EQ(g.Sfondo(1, 1), Giallo);
    EXPECT_TRUE(g.Aiuto());
    g.Marca(4, 3);
    g.Clic(1, 1);
    EXPECT_EQ(g.p.Testo(controlli::mnuSmarcaMarca), "Smarca");
    g.f.Clic("mnuSmarcaMarca");
    EXPECT_EQ(g.Sfondo(1, 1), Bianco);
    EXPECT_TRUE(g.Aiuto());   // (4, 3) is still marked
    g.f.CommandSoluz_Click(); // the mark survives a solve and the return to the game
    g.f.CommandVisgioco_Click();
    EXPECT_EQ(g.Sfondo(4, 3), Giallo);
    g.Marca(4, 3);
    EXPECT_FALSE(g.Aiuto());
}

TEST(Verifica, TheDrawnIslandIsComparedWithTheSolution) {
    const struct {
        const char* tavola;
        int r, c;
        bool giusta;
    } casi[] = {
        // Rows of 'O' island, '.' undecided.
        {"OO.../...../...../...../....O", 1, 1, true},  // (5, 5) is no clue's
        {"OOO../...../...../...../.....", 1, 1, false}, // one too many
        {"...../...../..OO./.OOO./.....", 4, 3, false}, // one too few
        {"...../...../..OO./.OOO./..O..", 4, 3, false}, // one cell wrong
        {"...../...O./..OO./.OOO./.....", 4, 3, true},
        {"O..../O..../O..../...../.....", 1, 1, false}, // two clues joined
        {"O..../O..../O..../...../.....", 3, 1, false},
    };
    for (const auto& k : casi) {
        SCOPED_TRACE(k.tavola);
        Partita g(Unico);
        g.Disegna(k.tavola);
        g.Clic(k.r, k.c);
        g.f.Clic("mnuVerificaConfigurazione"); // armed, run by the timer
        EXPECT_EQ(g.Label2(), "");
        g.p.EseguiTimer();
        EXPECT_EQ(g.Label2(), "La configurazione dell' isola " + std::to_string(k.r) + "," +
                                  std::to_string(k.c) +
                                  (k.giusta ? "  è corretta" : " non è corretta"));
        EXPECT_TRUE(g.f.InVisSoluzione);
    }
}

// The solution island shown as an overlay, which one click takes away; a puzzle without a
// solution says so and changes nothing.
TEST(Verifica, TheSolutionIslandIsShownAsAnOverlay) {
    Partita g(Unico);
    g.Muro(5, 5);
    g.Menu(4, 3, "mnuSoluzioneConfigurazione");
    EXPECT_EQ(g.Label2(), "Configurazione corretta dell' isola 4,3");
    EXPECT_TRUE(g.p.Visibile(controlli::CommandVisgioco));
    // The island in yellow, the walls around it in teal, the player's board elsewhere.
    EXPECT_EQ(g.Sfondi(), "o..V...VGVoVGGVVGGGV.VVV#");
    g.Clic(1, 2); // one click restores the game and acts
    EXPECT_FALSE(g.f.InVisSoluzione || g.p.Visibile(controlli::CommandVisgioco));
    EXPECT_EQ(g.Label2(), "");
    EXPECT_EQ(g.Sfondi(), "oo........o......o......#");
    EXPECT_EQ(g.Cella(1, 2), 1);

    Partita x(Impossibile);
    for (const char* voce : {"mnuSoluzioneConfigurazione", "mnuVerificaConfigurazione"})
        x.Menu(1, 1, voce);
    x.Lista();
    EXPECT_EQ(x.p.Messaggi, std::vector<std::string>(3, "Lo schema non ammette soluzioni"));
    EXPECT_EQ(x.Sfondi(), "o..o");
}

// The marked clue (4, 3) with the board drawn around it: every configuration covers the drawn
// island cells and none the drawn walls; the list is browsed round; the game comes back whole.
TEST(Configurazioni, TheListHonoursTheBoardAndBrowsesRoundIt) {
    const struct {
        const char* tavola;
        bool una; // drawn in full: one configuration, else several
    } casi[] = {{"...../...../..#../...O./.....", false}, {"...../...O./..OO./.O.O./.....", true}};
    for (const auto& [tavola, una] : casi) {
        SCOPED_TRACE(tavola);
        Partita g(Unico);
        g.Disegna(tavola);
        g.Marca(4, 3);
        g.f.Clic("cmdConfigurazioniIsoleMarcate");
        g.p.EseguiTimer();
        const int n = g.m.NumSolParz;
        std::string celle = tavola;
        std::erase(celle, '/');
        ASSERT_TRUE(una ? n == 1 : n > 2) << n;
        EXPECT_EQ(g.Label2(), std::to_string(n) + " configurazioni");
        for (Controllo b :
             {controlli::CmdPosMeno, controlli::CmdPospiu, controlli::CommandVisgioco})
            EXPECT_TRUE(g.p.Visibile(b)) << b.Nome;
        EXPECT_EQ(g.m.NumEle, 3); // the player's game is back, with all the clues
        EXPECT_EQ(g.f.Gr.CellaIn(1, 1).Testo, "2");
        for (int k = 1; k <= n + 1; ++k) {
            g.f.Clic("CmdPospiu");
            EXPECT_EQ(g.Label2(), std::to_string(k > n ? 1 : k) + "/" + std::to_string(n));
            for (int i = 0; i < 25; ++i) {
                if (celle[i] != '.') {
                    EXPECT_EQ(g.m.TblSchema(1 + i / 5, 1 + i % 5) == 1, celle[i] == 'O') << i;
                }
            }
            EXPECT_EQ(g.Sfondo(4, 3), Giallo);
        }
        g.f.Clic("CmdPosMeno");
        EXPECT_EQ(g.Label2(), std::to_string(n) + "/" + std::to_string(n));
    }
}

TEST(Configurazioni, NoneMarkedOrEscShowNoCountAndKeepTheSolution) {
    Partita g(Unico);
    g.Lista();
    EXPECT_EQ(g.Label2(), "Nessuna isola marcata");
    g.f.Clic("CmdPospiu"); // nothing to browse
    EXPECT_EQ(g.Label2(), "Nessuna isola marcata");
    g.Menu(1, 1, "mnuVerificaConfigurazione"); // the first solution is now known
    ASSERT_EQ(g.m.NumSol, 1);
    for (auto [r, c] : {std::pair{4, 3}, {3, 1}})
        g.Marca(r, c);
    g.p.DopoCessioni(1, [&] { g.m.TempoScaduto = 1; });
    g.Lista();
    EXPECT_EQ(g.Label2(), "Ricerca interrotta");
    EXPECT_EQ(g.m.NumSol, 1);
    g.f.Clic("CmdPospiu"); // nothing to browse
    EXPECT_EQ(g.Label2(), "Ricerca interrotta");
    g.Lista();
    EXPECT_GT(g.m.NumSolParz, 1);
    EXPECT_EQ(g.Label2(), std::to_string(g.m.NumSolParz) + " configurazioni");
}

TEST(Tessere, TheShapeDiagnosticRefusesIndicesOutOfRange) {
    Partita g(Unico);
    for (const std::string& indice :
         std::vector<std::string>{"0", std::to_string(g.m.NumTessere + 1), "abc", "-3"}) {
        g.p.RisposteInput.push_back(indice);
        g.f.Clic("CommandVisTessera");
    }
    EXPECT_EQ(g.p.Messaggi.size(), 4u);
    g.p.RisposteInput.push_back("1");
    g.f.Clic("CommandVisTessera");
    const std::string atteso = "02000000000\r\n21200000000\r\n02000000000\r\n";
    EXPECT_EQ(g.p.Testo(controlli::Label1).substr(0, atteso.size()), atteso);
    EXPECT_EQ(g.p.Testo(controlli::Label1).substr(13 * 11), "3 3");
    // The matrix is for one look: the next command, saying nothing itself, clears it.
    g.f.Clic("mnuMostraErrori");
    EXPECT_EQ(g.p.Testo(controlli::Label1), "");
}

} // namespace

// The print copy and the log's save of the board take what a cell is from its state: a hint's
// yellow cell is no island, and a marked clue (yellow on the board) prints white.
TEST(Gioco, PrintAndSaveReadTheCellsStateNotItsColour) {
    Partita g(Unico);
    g.Isola({{1, 2}, {3, 3}});
    g.Muro(2, 2);
    g.Marca(4, 3);
    g.f.Gr.Seleziona(3, 4);
    g.f.Gr.ImpostaStato(StatoCella::EvidenzaIsola); // a hint's cell over an undecided one
    Form4 stampa;
    stampa.VisualizzaF4(g.f.Gr);
    auto stampata = [&](int r, int c) { return stampa.gs.CellaIn(r, c).Sfondo; };
    for (auto [r, c] : {std::pair{1, 1}, {1, 2}, {3, 3}})
        EXPECT_EQ(stampata(r, c), Giallo) << r << "," << c;
    EXPECT_EQ(stampata(2, 2), Blu);
    for (auto [r, c] : {std::pair{4, 3}, {3, 4}, {2, 3}})
        EXPECT_EQ(stampata(r, c), Bianco) << r << "," << c;
    Form3 f3(g.f);
    g.m.TblGioco(1, 2) = 0;
    f3.sommasoluzTmpatlbgioco();
    EXPECT_EQ(g.Cella(1, 2) * 100 + g.Cella(2, 2) * 10 + g.Cella(3, 4), 120);
}
