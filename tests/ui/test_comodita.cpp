// Comfort of play, headless: "solved" by the rules and said once, the whole-board check, redo,
// drag painting, the keyboard, the save question, "Ricomincia", "Nuovo schema" and the zoom.
#include "Partita.h"

using namespace isolmar;

namespace {

TEST(Risolto, JudgedByTheRulesAndSaidOncePerGame) {
    // Boards as rows of 'O' island, '#' wall, '.' undecided.
    const struct {
        const char *caso, *celle;
        bool risolto;
    } casi[] = {{"the solution", SoluzioneUnico, true},
                {"one cell wrong", "OO######O#O#OO##OOO#####O", false},
                {"one cell undecided", "OO######O#O#OO##OOO#####.", false},
                {"a 2 x 2 wall", "OO########O#O###OOO######", false}};
    for (const auto& k : casi) {
        SCOPED_TRACE(k.caso);
        Partita g(Unico);
        // A stored solution of another puzzle: only the rules decide.
        g.m.NumSol = 1;
        g.m.Tblsol = {};
        g.p.FissaOrologio(1000);
        g.f.NuovaPartita();
        g.p.AvanzaOrologio(125);
        g.Disegna(k.celle);
        g.p.EseguiTimer();
        EXPECT_EQ(g.f.SchemaRisolto(), k.risolto);
        const std::string detto =
            "Schema risolto! " + std::to_string(g.m.NumMosseGioco) + " mosse in 2:05";
        EXPECT_EQ(g.Label2() == detto, k.risolto) << g.Label2();
        EXPECT_EQ(g.p.Messaggi,
                  k.risolto ? std::vector<std::string>{detto} : std::vector<std::string>{});
    }
    // Undone and solved again: nothing more is said.
    Partita g(Unico);
    g.Disegna(SoluzioneUnico);
    g.Annulla();
    g.f.RipetiMossa();
    g.p.EseguiTimer();
    EXPECT_TRUE(g.f.SchemaRisolto());
    EXPECT_EQ(g.p.Messaggi.size(), 1u);
}

TEST(Verifica, TheWholeBoardCheckCountsAndShowsTheWrongCells) {
    const struct {
        const char *celle, *rosse, *testo;
    } casi[] = {{"OO#O######O#OO##OOO#.###O", "---R----R---------------R", "3 celle sbagliate"},
                {"OOO#####O#O#OO##OOO######", "--R----------------------", "1 cella sbagliata"},
                {"OO######O#O#OO##OOO#..###", "-------------------------",
                 "Nessuna cella sbagliata; 2 celle da decidere"},
                {SoluzioneUnico, "-------------------------", "Nessuna cella sbagliata"}};
    auto rosse = [](const Partita& g) {
        std::string s = g.Sfondi();
        for (char& c : s)
            c = c == 'R' ? 'R' : '-';
        return s;
    };
    for (const auto& k : casi) {
        SCOPED_TRACE(k.testo);
        Partita g(Unico);
        g.Disegna(k.celle);
        ASSERT_EQ(g.m.NumSol, 0);
        g.f.Clic("mnuVerificaSchema"); // solves first
        EXPECT_EQ(g.m.NumSol, 1);
        EXPECT_EQ(g.Label2(), k.testo);
        EXPECT_EQ(rosse(g), k.rosse);
        const int mosse = g.m.NumMosseGioco;
        g.Clic(5, 1); // the next click puts the game's colours back, and acts
        EXPECT_EQ(rosse(g), std::string(25, '-'));
        EXPECT_EQ(g.m.NumMosseGioco, mosse + 1);
    }
}

TEST(Ripeti, RedoRestoresTheUndoneMovesUntilANewMove) {
    Partita g(Unico);
    g.Isola({{2, 2}, {2, 3}});
    g.Muro(5, 5);
    g.Fotografa();
    g.Clic(5, 4);
    g.Riprendi(1); // one move back
    g.Annulla();   // and one more
    ASSERT_EQ(g.m.NumMosseGioco, 2);
    const uint8_t dopo[][3] = {{2, 0, 2}, {2, 1, 1}}; // (5, 5), (5, 4), the move's button
    for (int k = 0; k < 2; ++k) {
        g.f.Clic("mnuRipeti");
        EXPECT_EQ(g.m.NumMosseGioco, 3 + k);
        EXPECT_EQ(g.Cella(5, 5), dopo[k][0]);
        EXPECT_EQ(g.Cella(5, 4), dopo[k][1]);
        EXPECT_EQ(g.m.MosseGioco[3 + k].Tasto, dopo[k][2]);
    }
    g.f.Clic("mnuRipeti"); // nothing left
    EXPECT_EQ(g.m.NumMosseGioco, 4);
    g.Annulla();
    g.Clic(1, 5); // a new move
    g.f.Clic("mnuRipeti");
    EXPECT_EQ(g.m.NumMosseGioco, 4);
    EXPECT_EQ(g.Cella(5, 4), 0);
}

TEST(Trascina, EveryCellPassedTakesTheFirstCellsState) {
    Partita g(Unico);
    g.Clic(2, 3); // island already: the drag leaves it
    g.Muro(5, 1);
    g.Passa(5, 5); // one event far away: the cells between count too
    for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(g.Cella(5, c), 2) << c;
    EXPECT_EQ(g.m.NumMosseGioco, 6);
    for (auto [r, c] : {std::pair{4, 5}, {3, 5}, {2, 5}, {2, 4}, {2, 3}, {2, 2}, {1, 2}, {1, 1}})
        g.Passa(r, c);
    g.f.Gr_MouseUp();
    EXPECT_EQ(g.m.NumMosseGioco, 13); // (1, 1) is a clue
    EXPECT_EQ(g.Cella(2, 3), 2);
    EXPECT_EQ(g.Cella(1, 1), 1);
    g.Passa(3, 3); // after the release: nothing
    EXPECT_EQ(g.Cella(3, 3), 0);
    g.Clic(1, 1); // a press on a clue opens its menu and starts no drag
    g.Passa(3, 3);
    EXPECT_EQ(g.Cella(3, 3), 0);
}

TEST(Tastiera, ArrowsMoveTheCursorWithinTheBoardAndKeysSetTheCell) {
    Partita g(Unico);
    const struct {
        TastoGioco tasto;
        int riga, colonna, codice; // cursor after the key, code of the cell under it
    } passi[] = {
        {TastoGioco::Su, 1, 1, 1},     {TastoGioco::Sinistra, 1, 1, 1},
        {TastoGioco::Giu, 2, 1, 0},    {TastoGioco::Isola, 2, 1, 1},
        {TastoGioco::Muro, 2, 1, 2},   {TastoGioco::Indeciso, 2, 1, 0},
        {TastoGioco::Avanti, 2, 1, 1}, {TastoGioco::Destra, 2, 2, 0},
        {TastoGioco::Muro, 2, 2, 2},   {TastoGioco::Sinistra, 2, 1, 1},
        {TastoGioco::Giu, 3, 1, 1},    {TastoGioco::Muro, 3, 1, 1}, // a clue stays
    };
    for (const auto& k : passi) {
        EXPECT_TRUE(g.f.Tavola_KeyDown(k.tasto));
        EXPECT_EQ(g.f.CursoreRiga, k.riga);
        EXPECT_EQ(g.f.CursoreColonna, k.colonna);
        EXPECT_EQ(g.Cella(k.riga, k.colonna), k.codice);
    }
    EXPECT_EQ(g.m.NumMosseGioco, 5);
    EXPECT_TRUE(g.f.CursoreVisibile);
    // The clue menu opens at the cell from the keyboard, at the pointer from the mouse.
    g.f.Tavola_KeyDown(TastoGioco::Avanti);
    g.Clic(1, 1);
    EXPECT_EQ(g.p.CelleMenu, (std::vector<std::pair<int, int>>{{3, 1}, {0, 0}}));
    for (int k = 0; k < 9; ++k)
        g.f.Tavola_KeyDown(TastoGioco::Giu);
    EXPECT_EQ(g.f.CursoreRiga, 5);
    Partita vuota; // no puzzle: the keys mean nothing
    EXPECT_FALSE(vuota.f.Tavola_KeyDown(TastoGioco::Giu));
}

TEST(Salvare, TheQuestionOnlyWhenThereIsSomethingToLose) {
    const std::string salvato = testing::TempDir() + "isolmar-comodita.xml";
    // Steps after opening: M one left click on the first cell without a clue, U undo, S save.
    for (auto [passi, chiede] : {std::pair{"", false}, {"M", true}, {"MU", true}, {"MS", false}}) {
        SCOPED_TRACE(passi);
        Partita g("janko-0107");
        for (const char* x = passi; *x; ++x) {
            for (int k = 0; *x == 'M' && g.m.NumMosseGioco == 0; ++k)
                g.Clic(1 + k / g.m.NumColonne, 1 + k % g.m.NumColonne);
            if (*x == 'U') g.Annulla();
            g.p.PercorsiSalva = {salvato};
            if (*x == 'S') g.f.tlb1_ButtonClick("Salva");
        }
        g.p.RisposteMessaggi = {Risposta::Annulla};
        EXPECT_EQ(g.f.Form_QueryUnload(), chiede);
        EXPECT_EQ(g.p.Messaggi.size(), chiede ? 1u : 0u);
    }
}

TEST(Ricomincia, AsksBeforeWipingMovesAndNeverOtherwise) {
    Partita g(Unico);
    g.f.tlb1_ButtonClick("UndoAll"); // no moves: no question
    EXPECT_TRUE(g.p.Messaggi.empty());
    g.Isola({{2, 2}, {2, 3}});
    g.p.RisposteMessaggi = {Risposta::Annulla, Risposta::No, Risposta::Si};
    for (int mosse : {2, 2, 0}) {
        g.f.tlb1_ButtonClick("UndoAll");
        EXPECT_EQ(g.m.NumMosseGioco, mosse);
    }
    EXPECT_EQ(g.p.Messaggi,
              std::vector<std::string>(3, "Ricominciare da capo cancella 2 mosse. Continuare?"));
    EXPECT_EQ(g.Cella(2, 2), 0);
    g.f.Clic("mnuRipeti"); // a restart is not undone move by move
    EXPECT_EQ(g.Cella(2, 2), 0);
    // A position opened from a file has no moves, and is asked about too.
    const std::string percorso = testing::TempDir() + "isolmar-posizione.xml";
    g.Clic(2, 2);
    g.p.PercorsiSalva = {percorso};
    g.f.tlb1_ButtonClick("Salva");
    Partita f;
    ASSERT_TRUE(f.f.ApriFile(percorso));
    f.f.tlb1_ButtonClick("UndoAll");
    // Every kind of thing cleared is named: moves, snapshots, marks and the loaded position.
    f.Clic(2, 2);
    f.f.tlb1_ButtonClick("Camera");
    f.Marca(1, 1);
    f.Marca(4, 3);
    f.f.tlb1_ButtonClick("UndoAll");
    f.p.RisposteMessaggi = {Risposta::Si};
    f.f.tlb1_ButtonClick("UndoAll");
    f.f.tlb1_ButtonClick("UndoAll"); // nothing left to clear: no question
    EXPECT_EQ(f.p.Messaggi,
              (std::vector<std::string>{
                  "Ricominciare da capo cancella la posizione caricata dal file. Continuare?",
                  "Ricominciare da capo cancella 1 mossa, 1 fotografia, i segni su 2 isole e la "
                  "posizione caricata dal file. Continuare?",
                  "Ricominciare da capo cancella 1 mossa, 1 fotografia, i segni su 2 isole e la "
                  "posizione caricata dal file. Continuare?"}));
}

TEST(Stampa, WithASolutionShownAsksWhatToPrintAndNamesThePuzzle) {
    Partita g(Unico);
    std::vector<std::string> stampate; // title, then the printed colour of (2, 2)
    g.p.SuStampa = [&] {
        g.f.F4->gs.Seleziona(2, 2);
        stampate.push_back(g.f.F4->Titolo + (g.f.F4->gs.Sfondo() == Blu ? " muro" : " altro"));
    };
    g.p.RisposteStampante = {true, true, true};
    g.f.tlb1_ButtonClick("Stampa"); // the game: no question
    g.f.tlb1_ButtonClick("Risolvi");
    ASSERT_TRUE(g.f.InVisSoluzione);
    g.p.Messaggi.clear();
    g.p.RisposteMessaggi = {Risposta::Annulla, Risposta::Si, Risposta::No};
    for (int k = 0; k < 3; ++k)
        g.f.tlb1_ButtonClick("Stampa");
    EXPECT_EQ(g.p.Messaggi,
              std::vector<std::string>(3, "Stampare lo schema (Sì) o la soluzione mostrata (No)?"));
    EXPECT_EQ(stampate, (std::vector<std::string>{"Senza nome altro", "Senza nome altro",
                                                  "Senza nome muro"}));
}

TEST(NuovoSchema, AsksTheSizeGeneratesAUniquePuzzleAndRemembers) {
    Partita g;
    g.f.Gen.ImpostaSeme(11);
    g.p.RisposteNumeri = {{6, 7, 3}};
    g.f.Clic("CommandNuovo");
    EXPECT_TRUE(g.m.NumRighe == 6 && g.m.NumColonne == 7 && g.f.DaSalvare);
    EXPECT_NE(g.p.Testo(controlli::Label1).find(" s, "), std::string::npos);
    // By default it looks composed: clues in half-turn pairs, one as large as allowed.
    int maggiore = 0;
    std::set<std::pair<int, int>> celle;
    for (int i = 1; i <= g.m.NumEle; ++i) {
        celle.insert({g.m.Ele[i].Riga, g.m.Ele[i].Colonna});
        maggiore = std::max<int>(maggiore, g.m.Ele[i].Num);
    }
    EXPECT_EQ(maggiore, 3);
    for (auto [r, c] : celle)
        EXPECT_TRUE(celle.count({7 - r, 8 - c})) << r << "," << c;
    for (int i = 1; i <= g.m.NumEle; ++i) { // a fresh game with the numbers shown
        const Isola& e = g.m.Ele[i];
        EXPECT_EQ(g.f.Gr.CellaIn(e.Riga, e.Colonna).Testo, std::to_string(e.Num));
        EXPECT_EQ(g.Cella(e.Riga, e.Colonna), 1);
    }
    g.f.Clic("CommandSoluz3");
    EXPECT_EQ(g.Label2(), "Esiste una sola soluzione");
    // Cancelled: the dialog showed the values of last time, nothing changes. Too large for one
    // solution to be found: the previous puzzle stays, at its size.
    g.f.Clic("CommandNuovo");
    const auto isole = Isole(g.m);
    g.p.RisposteNumeri = {{99, 50, 7}};
    g.p.RisposteMessaggi = {Risposta::No};
    g.f.Clic("CommandNuovo");
    ASSERT_EQ(g.p.DialoghiNumeri.size(), 3u);
    EXPECT_EQ(g.p.DialoghiNumeri[1][1].Valore * 10 + g.p.DialoghiNumeri[1][2].Valore, 73);
    EXPECT_EQ(g.f.NuovoRighe, 50); // kept within its range
    EXPECT_TRUE(g.m.NumRighe == 6 && g.m.NumColonne == 7 && g.m.NumSol == 1);
    EXPECT_EQ(Isole(g.m), isole);
}

TEST(NuovoSchema, AtALevelWhileTheWindowYieldsAndEscStops) {
    Partita g;
    g.f.Gen.ImpostaSeme(5);
    g.p.RisposteNumeri = {{6, 6, 4, 1}};
    g.f.Clic("CommandNuovo");
    EXPECT_EQ(g.p.DialoghiNumeri[0][3].Speciale, "qualsiasi");
    ASSERT_EQ(g.Label2(), "Schema di livello 1");
    EXPECT_TRUE(g.m.NumRighe == 6 && g.m.NumSol == 1 && g.f.DaSalvare);
    g.f.Clic("CommandSoluz3");
    EXPECT_EQ(g.Label2(), "Esiste una sola soluzione");
    // Esc during a long search for level 5: the puzzle before stays.
    const auto isole = Isole(g.m);
    g.f.ImpostaDaSalvare(false);
    g.p.RisposteNumeri = {{12, 12, 5, 5}};
    g.p.DopoCessioni(3, [&] { g.f.Form_KeyPress(27); });
    g.f.Clic("CommandNuovo");
    EXPECT_EQ(g.Label2(), "Generazione interrotta");
    EXPECT_EQ(Isole(g.m), isole);
    EXPECT_EQ(g.f.NuovoLivello, 5); // remembered for the next time
}

TEST(Zoom, TheBoardFitsItsSpaceWithinTheReadableSizes) {
    const struct {
        double l, a, sl, sa, minimo, zoom;
    } zoom[] = {{100, 100, 200, 300, ZoomMinimo, 2},
                {100, 50, 150, 150, ZoomMinimo, 1.5},
                {100, 100, 10, 10, ZoomMinimo, ZoomMinimo},
                {100, 100, 10, 10, 0.25, 0.25},
                {100, 100, 30, 40, 0.25, 0.3},
                {10, 10, 1000, 1000, ZoomMinimo, ZoomMassimo},
                {0, 0, 10, 10, ZoomMinimo, 1}};
    for (const auto& z : zoom)
        EXPECT_DOUBLE_EQ(ZoomAdatto(z.l, z.a, z.sl, z.sa, z.minimo), z.zoom) << z.l << " " << z.sl;
    // Up to 40 cells a side the floor is ZoomMinimo; 50 x 50 and 100 x 100 cells of 500 twips
    // fit 880 pixels at 96 dpi.
    const struct {
        int righe, colonne;
        double minimo;
    } lati[] = {{5, 5, ZoomMinimo},
                {40, 40, ZoomMinimo},
                {50, 50, ZoomMinimo * 0.8},
                {51, 10, ZoomMinimo * 40 / 51},
                {30, 100, ZoomMinimo * 0.4}};
    for (const auto& x : lati)
        EXPECT_DOUBLE_EQ(ZoomMinimoPer(x.righe, x.colonne), x.minimo) << x.righe;
    EXPECT_LE(100 * 500 * 96 / 1440.0 * ZoomMinimoPer(100, 100), 880 + 1e-9);
}

} // namespace
