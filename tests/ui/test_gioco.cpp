// Play on the board driven headless: the cell cycle, the move list and undo, snapshots, island
// marks, and the island checks against the solution.
#include "io/Letture.h"
#include "model/Impostazione.h"
#include "model/Schema.h"
#include "solver/Tessere.h"
#include "ui/Form1.h"
#include "view/PiattaformaHeadless.h"

#include <gtest/gtest.h>

using namespace isolmar;

namespace {

// Its only solution ('O' island, '#' wall):
//   OO###
//   ###O#
//   O#OO#
//   #OOO#
//   #####
const Schema Unico{5, 5, {{2, 1, 1}, {1, 3, 1}, {6, 4, 3}}};
const Schema Impossibile{2, 2, {{1, 1, 1}, {1, 2, 2}}};

struct Partita {
    PiattaformaHeadless p;
    Form1 f{p};
    explicit Partita(const Schema& s = Unico) {
        f.Form_Load();
        f.Form_Activate();
        EXPECT_TRUE(f.CaricaSchema(s));
    }
    void Clic(int r, int c, int tasto = 1) {
        f.Gr.MouseRiga = r;
        f.Gr.MouseColonna = c;
        f.Gr_MouseDown(tasto);
    }
    // Left clicks that make each cell an island (from undecided) or a wall (two clicks).
    void Isola(std::initializer_list<std::pair<int, int>> celle) {
        for (auto [r, c] : celle)
            Clic(r, c);
    }
    void Muro(int r, int c) { Clic(r, c, 2); }
    void Fotografa() { f.tlb1_ButtonClick("Camera"); }
    void Annulla() { f.tlb1_ButtonClick("Undo"); }
    void Riprendi(int colonna) {
        f.gr2.MouseColonna = colonna;
        f.gr2_Click();
    }
    // A popup-menu command on the clue at (r, c), run as the window runs it: the click, the
    // menu entry, then the timer.
    void Menu(int r, int c, const std::string& voce) {
        Clic(r, c);
        f.Clic(voce);
        p.EseguiTimer();
    }
    // "Lista configurazioni isole marcate" from the toolbar, then the timer.
    void Lista() {
        f.tlb1_ButtonClick("Aiuto");
        p.EseguiTimer();
    }
    uint8_t Cella(int r, int c) const { return f.m.TblGioco(r, c); }
    Colore Sfondo(int r, int c) const { return f.Gr.CellaIn(r, c).Sfondo; }
    std::string Label2() const { return p.Testo("Label2"); }
    bool Aiuto() { return p.AbilitatiBarra["Aiuto"]; }
};

TEST(Gioco, ButtonsStepTheCellCycleAndUndoTakesEachStepBack) {
    Partita g;
    const uint8_t avanti[] = {1, 2, 0};
    for (uint8_t atteso : avanti) {
        g.Clic(2, 2);
        EXPECT_EQ(g.Cella(2, 2), atteso);
    }
    EXPECT_EQ(g.Sfondo(2, 2), Grigio);
    g.Clic(2, 3, 2);
    EXPECT_EQ(g.Cella(2, 3), 2);
    EXPECT_EQ(g.Sfondo(2, 3), Blu);
    g.Clic(2, 4, 4);
    g.Clic(2, 4, 4);
    EXPECT_EQ(g.Cella(2, 4), 1);
    EXPECT_EQ(g.Sfondo(2, 4), Bianco);
    EXPECT_EQ(g.f.m.NumMosseGioco, 6);

    // Undo from the last move: (2, 4) 1 -> 2 -> 0, (2, 3) 2 -> 0, (2, 2) 0 -> 2 -> 1 -> 0.
    const uint8_t dopoAnnulla[][3] = {{0, 2, 2}, {0, 2, 0}, {0, 0, 0}, {2, 0, 0}, {1, 0, 0}};
    for (const auto& atteso : dopoAnnulla) {
        g.Annulla();
        EXPECT_EQ(g.Cella(2, 2), atteso[0]);
        EXPECT_EQ(g.Cella(2, 3), atteso[1]);
        EXPECT_EQ(g.Cella(2, 4), atteso[2]);
    }
    g.Annulla();
    EXPECT_EQ(g.Cella(2, 2), 0);
    EXPECT_EQ(g.f.m.NumMosseGioco, 0);
    g.Annulla(); // nothing left to take back
    EXPECT_EQ(g.f.m.NumMosseGioco, 0);
    EXPECT_EQ(g.Cella(2, 2), 0);
}

TEST(Gioco, HeaderAndClueClicksRecordNothing) {
    Partita g;
    g.Clic(0, 2);
    g.Clic(2, 0);
    g.Clic(6, 1); // beyond the puzzle
    EXPECT_TRUE(g.p.Menu.empty());
    g.Clic(1, 1, 2);
    EXPECT_EQ(g.Cella(1, 1), 1);
    EXPECT_EQ(g.f.m.NumMosseGioco, 0);
    ASSERT_EQ(g.p.Menu.size(), 1u);
    EXPECT_EQ(g.p.Menu[0], "MnuAzioniGr");
    EXPECT_EQ(g.p.Testo("mnuSmarcaMarca"), "Marca");
}

TEST(Gioco, TheMoveListGrowsPastAThousandMoves) {
    Partita g;
    for (int k = 0; k < 3000; ++k)
        g.Clic(5, 1 + k % 5, 1 + (k % 2));
    EXPECT_EQ(g.f.m.NumMosseGioco, 3000);
    for (int k = 0; k < 3000; ++k)
        g.Annulla();
    for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(g.Cella(5, c), 0) << c;
}

TEST(Gioco, AClickOnAShownSolutionRestoresTheGameAndActs) {
    Partita g;
    g.f.CommandSoluz_Click();
    ASSERT_TRUE(g.f.InVisSoluzione);
    EXPECT_EQ(g.Sfondo(5, 5), Blu);
    g.Clic(2, 2);
    EXPECT_FALSE(g.f.InVisSoluzione);
    EXPECT_EQ(g.Cella(2, 2), 1);
    EXPECT_EQ(g.Sfondo(2, 2), Bianco);
    EXPECT_EQ(g.Sfondo(5, 5), Grigio);
    EXPECT_EQ(g.Label2(), "");
    EXPECT_FALSE(g.p.Visibile("CommandVisgioco"));
}

TEST(Fotografie, ASnapshotTakesLaterMovesBack) {
    Partita g;
    EXPECT_FALSE(g.f.gr2.Visibile);
    g.Isola({{2, 1}, {2, 2}, {2, 3}, {2, 4}, {2, 5}});
    g.Fotografa();
    EXPECT_TRUE(g.f.gr2.Visibile);
    ASSERT_EQ(g.f.gr2.Colonne(), 2);
    EXPECT_EQ(g.f.gr2.CellaIn(0, 1).Testo, "5");
    const Griglia::Cella& simbolo = g.f.gr2.CellaIn(1, 1);
    EXPECT_EQ(simbolo.Testo, "\xC2\x8C"); // character 140: a black circled 1
    EXPECT_EQ(simbolo.Font, "Wingdings");
    EXPECT_EQ(simbolo.Dimensione, 14);
    EXPECT_EQ(simbolo.ColoreTesto, Blu);
    EXPECT_EQ(g.f.gr2.LarghezzaColonna(1), g.f.Gr.LarghezzaColonna(1));
    g.Isola({{5, 1}, {5, 2}});
    g.Fotografa();
    g.Isola({{5, 3}});
    g.Riprendi(1);
    EXPECT_EQ(g.f.m.NumMosseGioco, 5);
    for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(g.Cella(5, c), 0);
    EXPECT_EQ(g.Cella(2, 5), 1);
    EXPECT_EQ(g.f.gr2.Colonne(), 2); // the later snapshot is gone
    EXPECT_TRUE(g.f.gr2.Visibile);
}

TEST(Fotografie, UndoBeforeASnapshotDropsIt) {
    Partita g;
    g.Isola({{2, 1}, {2, 2}, {2, 3}});
    g.Fotografa(); // at 3
    g.Isola({{2, 4}, {2, 5}});
    g.Fotografa(); // at 5
    g.Annulla();
    EXPECT_EQ(g.f.gr2.Colonne(), 2);
    EXPECT_TRUE(g.f.gr2.Visibile);
    g.Annulla(); // back at 3: that snapshot stays
    EXPECT_EQ(g.f.gr2.Colonne(), 2);
    g.Annulla();
    EXPECT_EQ(g.f.gr2.Colonne(), 1);
    EXPECT_FALSE(g.f.gr2.Visibile);
}

TEST(Fotografie, TheStripKeepsTenAndRestartEmptiesIt) {
    Partita g;
    for (int k = 1; k <= 11; ++k) {
        g.Clic(5, 1 + k % 5);
        g.Fotografa();
    }
    ASSERT_EQ(g.f.gr2.Colonne(), 11);
    EXPECT_EQ(g.f.gr2.CellaIn(0, 10).Testo, "11");
    EXPECT_EQ(g.f.gr2.CellaIn(0, 9).Testo, "9");
    EXPECT_EQ(g.f.gr2.CellaIn(1, 10).Testo, "\xC2\x95"); // character 149: a black circled 10
    g.f.tlb1_ButtonClick("UndoAll");
    EXPECT_EQ(g.f.gr2.Colonne(), 1);
    EXPECT_FALSE(g.f.gr2.Visibile);
    EXPECT_EQ(g.f.m.NumMosseGioco, 0);
    for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(g.Cella(5, c), 0);
}

TEST(Marche, MarkingTogglesTheClueAndTheHelpButton) {
    Partita g;
    EXPECT_FALSE(g.Aiuto());
    g.Clic(1, 1);
    g.f.Clic("mnuSmarcaMarca");
    EXPECT_EQ(g.Sfondo(1, 1), Giallo);
    EXPECT_TRUE(g.Aiuto());
    g.Clic(4, 3);
    g.f.Clic("mnuSmarcaMarca");
    g.Clic(1, 1);
    EXPECT_EQ(g.p.Testo("mnuSmarcaMarca"), "Smarca");
    g.f.Clic("mnuSmarcaMarca");
    EXPECT_EQ(g.Sfondo(1, 1), Bianco);
    EXPECT_TRUE(g.Aiuto()); // (4, 3) is still marked
    // The mark survives a solve and the return to the game.
    g.f.CommandSoluz_Click();
    g.f.CommandVisgioco_Click();
    EXPECT_EQ(g.Sfondo(4, 3), Giallo);
    g.Clic(4, 3);
    g.f.Clic("mnuSmarcaMarca");
    EXPECT_FALSE(g.Aiuto());
}

TEST(Verifica, TheDrawnIslandIsComparedWithTheSolution) {
    Partita g;
    g.Isola({{1, 2}, {5, 5}});             // (5, 5) is wrong, but belongs to no clue
    g.f.Clic("mnuVerificaConfigurazione"); // armed, not run
    g.Clic(1, 1);
    g.f.Clic("mnuVerificaConfigurazione");
    EXPECT_EQ(g.Label2(), "");
    g.p.EseguiTimer();
    EXPECT_EQ(g.Label2(), "La configurazione dell' isola 1,1  è corretta");
    EXPECT_TRUE(g.f.InVisSoluzione);

    g.Isola({{1, 3}}); // one too many
    g.Menu(1, 1, "mnuVerificaConfigurazione");
    EXPECT_EQ(g.Label2(), "La configurazione dell' isola 1,1 non è corretta");

    g.Isola({{4, 2}, {4, 4}, {3, 3}, {3, 4}}); // one too few
    g.Menu(4, 3, "mnuVerificaConfigurazione");
    EXPECT_EQ(g.Label2(), "La configurazione dell' isola 4,3 non è corretta");
    g.Isola({{5, 3}}); // right size, one wrong cell
    g.Menu(4, 3, "mnuVerificaConfigurazione");
    EXPECT_EQ(g.Label2(), "La configurazione dell' isola 4,3 non è corretta");
    g.Annulla();
    g.Isola({{2, 4}});
    g.Menu(4, 3, "mnuVerificaConfigurazione");
    EXPECT_EQ(g.Label2(), "La configurazione dell' isola 4,3  è corretta");
}

TEST(Verifica, TwoCluesJoinedByIslandCellsAreBothWrong) {
    Partita g;
    g.Isola({{2, 1}});
    for (auto [r, c] : {std::pair{1, 1}, {3, 1}}) {
        g.Menu(r, c, "mnuVerificaConfigurazione");
        EXPECT_NE(g.Label2().find(" non è corretta"), std::string::npos) << r;
    }
}

TEST(Verifica, APuzzleWithoutSolutionSaysSoAndChangesNothing) {
    Partita g(Impossibile);
    for (const char* voce : {"mnuSoluzioneConfigurazione", "mnuVerificaConfigurazione"}) {
        g.p.Messaggi.clear();
        g.Menu(1, 1, voce);
        ASSERT_EQ(g.p.Messaggi.size(), 1u) << voce;
        EXPECT_EQ(g.p.Messaggi[0], "Lo schema non ammette soluzioni");
        EXPECT_EQ(g.Sfondo(2, 1), Grigio);
        EXPECT_EQ(g.Sfondo(1, 1), Bianco);
    }
    g.Lista();
    EXPECT_EQ(g.p.Messaggi.size(), 2u);
}

TEST(Verifica, TheSolutionIslandIsShownAsAnOverlay) {
    Partita g;
    g.Muro(5, 5);
    g.Menu(4, 3, "mnuSoluzioneConfigurazione");
    EXPECT_EQ(g.Label2(), "Configurazione corretta dell' isola 4,3");
    EXPECT_TRUE(g.p.Visibile("CommandVisgioco"));
    for (auto [r, c] : {std::pair{2, 4}, {3, 3}, {3, 4}, {4, 2}, {4, 3}, {4, 4}})
        EXPECT_EQ(g.Sfondo(r, c), Giallo) << r << "," << c;
    for (auto [r, c] : {std::pair{1, 4}, {2, 3}, {5, 3}, {4, 1}, {3, 2}})
        EXPECT_EQ(g.Sfondo(r, c), Verdeacqua) << r << "," << c;
    EXPECT_EQ(g.Sfondo(5, 5), Blu); // the player's board elsewhere
    EXPECT_EQ(g.Sfondo(1, 2), Grigio);
    g.Clic(1, 2); // back to the game, and the click counts
    EXPECT_EQ(g.Sfondo(2, 4), Grigio);
    EXPECT_EQ(g.Cella(1, 2), 1);
}

TEST(Verifica, TheSolutionOfAFileIsNotTakenFromStaleIslandRecords) {
    Partita g;
    std::string dati;
    const std::string percorso = std::string(ISOLMAR_PUZZLES_DIR) + "/janko-0389.xml";
    ASSERT_TRUE(LeggiFile(percorso, dati));
    ASSERT_TRUE(g.f.ApriFile(percorso));
    ASSERT_EQ(g.f.m.NumSol, 1);
    const Modello& m = g.f.m;
    // The biggest clue: its island is the one most easily drawn wrong.
    int grande = 1;
    for (int i = 1; i <= m.NumEle; ++i)
        if (m.Ele[i].Num > m.Ele[grande].Num) grande = i;
    const int R = m.Ele[grande].Riga, C = m.Ele[grande].Colonna, n = m.Ele[grande].Num;
    const auto soluzione = m.Tblsol[1];
    g.Menu(R, C, "mnuSoluzioneConfigurazione");
    int gialle = 0;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            if (g.Sfondo(r, c) == Giallo) {
                ++gialle;
                EXPECT_EQ(soluzione(r, c), 1) << r << "," << c;
            }
    EXPECT_EQ(gialle, n);
}

TEST(Configurazioni, AFullyDrawnMarkedIslandHasOneConfiguration) {
    Partita g;
    g.Isola({{2, 4}, {3, 3}, {3, 4}, {4, 2}, {4, 4}});
    g.Clic(4, 3);
    g.f.Clic("mnuSmarcaMarca");
    g.Lista();
    EXPECT_EQ(g.Label2(), "1 configurazioni");
    for (const char* b : {"CmdPosMeno", "CmdPospiu", "CommandVisgioco"})
        EXPECT_TRUE(g.p.Visibile(b)) << b;
    // The player's game is back on the board, with all the clues.
    EXPECT_EQ(g.f.m.NumEle, 3);
    EXPECT_EQ(g.f.Gr.CellaIn(1, 1).Testo, "2");
    EXPECT_EQ(g.Sfondo(4, 3), Giallo);
}

TEST(Configurazioni, ConfigurationsHonourTheBoardAndBrowseRoundTheList) {
    Partita g;
    g.Muro(3, 3);
    g.Isola({{4, 4}});
    g.Clic(4, 3);
    g.f.Clic("mnuSmarcaMarca");
    g.f.Clic("cmdConfigurazioniIsoleMarcate");
    g.p.EseguiTimer();
    const int n = g.f.m.NumSolParz;
    ASSERT_GT(n, 2);
    EXPECT_EQ(g.Label2(), std::to_string(n) + " configurazioni");
    for (int k = 1; k <= n; ++k) {
        g.f.Clic("CmdPospiu");
        EXPECT_EQ(g.Label2(), std::to_string(k) + "/" + std::to_string(n));
        EXPECT_EQ(g.f.m.TblSchema(4, 4), 1) << k; // drawn island cell: covered
        EXPECT_NE(g.f.m.TblSchema(3, 3), 1) << k; // drawn wall: never island
        EXPECT_EQ(g.Sfondo(4, 3), Giallo);
    }
    g.f.Clic("CmdPospiu");
    EXPECT_EQ(g.Label2(), "1/" + std::to_string(n));
    g.f.Clic("CmdPosMeno");
    EXPECT_EQ(g.Label2(), std::to_string(n) + "/" + std::to_string(n));
}

TEST(Configurazioni, EscDuringTheListShowsNoPartialCountAndKeepsTheSolution) {
    Partita g;
    g.Menu(1, 1, "mnuVerificaConfigurazione"); // the first solution is now known
    ASSERT_EQ(g.f.m.NumSol, 1);
    for (auto [r, c] : {std::pair{4, 3}, {3, 1}}) {
        g.Clic(r, c);
        g.f.Clic("mnuSmarcaMarca");
    }
    g.p.DopoCessioni(1, [&] { g.f.m.TempoScaduto = 1; });
    g.Lista();
    EXPECT_EQ(g.Label2(), "Ricerca interrotta");
    EXPECT_EQ(g.f.m.NumSol, 1);
    g.f.Clic("CmdPospiu"); // nothing to browse
    EXPECT_EQ(g.Label2(), "Ricerca interrotta");
    g.Lista();
    EXPECT_GT(g.f.m.NumSolParz, 1);
    EXPECT_EQ(g.Label2(), std::to_string(g.f.m.NumSolParz) + " configurazioni");
}

TEST(Configurazioni, NoMarkedIslandIsSaidPlainly) {
    Partita g;
    g.f.Clic("cmdConfigurazioniIsoleMarcate");
    g.p.EseguiTimer();
    EXPECT_EQ(g.Label2(), "Nessuna isola marcata");
    EXPECT_EQ(g.f.m.NumEle, 3);
    g.f.Clic("CmdPospiu"); // nothing to browse
    EXPECT_EQ(g.Label2(), "Nessuna isola marcata");
}

TEST(Tessere, TheShapeDiagnosticRefusesIndicesOutOfRange) {
    Partita g;
    for (const std::string& indice :
         std::vector<std::string>{"0", std::to_string(g.f.m.NumTessere + 1), "abc", "-3"}) {
        g.p.RisposteInput.push_back(indice);
        g.f.Clic("CommandVisTessera");
    }
    EXPECT_EQ(g.p.Messaggi.size(), 4u);
    g.p.RisposteInput.push_back("1");
    g.f.Clic("CommandVisTessera");
    const std::string atteso = "02000000000\r\n21200000000\r\n02000000000\r\n";
    EXPECT_EQ(g.p.Testo("Label1").substr(0, atteso.size()), atteso);
    EXPECT_EQ(g.p.Testo("Label1").substr(13 * 11), "3 3");
}

} // namespace
