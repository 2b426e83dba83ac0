// Nothing lost, nothing false: interrupted and refused commands leave the game as it was, and a
// solution shown or saved is always one of the puzzle on the board.
#include "Partita.h"

using namespace isolmar;

TEST(Salvaguardie, APuzzleNeverSolvedIsSavedAndReopenedWithoutASolution) {
    Partita w("janko-0870");              // its solution is in the table
    ASSERT_TRUE(w.f.CaricaSchema(Unico)); // a puzzle without one, as a paste brings it
    const std::string percorso = testing::TempDir() + "isolmar-mai-risolto.xml";
    w.p.PercorsiSalva = {percorso};
    w.f.Clic("CmdSalvaxml");
    ASSERT_TRUE(w.f.ApriFile(percorso));
    EXPECT_EQ(w.m.NumSol, 0);
    w.f.Clic("CommandSoluz"); // solved now, to a real solution
    EXPECT_EQ(w.Label2(), "Soluzione schema");
    EXPECT_TRUE(w.SoluzioneGiusta());
    Partita vuota; // nothing to save: refused with a message, no dialog
    vuota.f.Clic("CmdSalvaxml");
    EXPECT_EQ(vuota.p.Messaggi, std::vector<std::string>{"Nessuno schema da salvare"});
    EXPECT_EQ(vuota.p.Icone, std::vector{Icona::Avviso});
    EXPECT_TRUE(vuota.p.FiltriDialoghi.empty());
}

TEST(Salvaguardie, EscDuringGenerationPutsThePreviousGameBackWhole) {
    Partita w(Unico);
    w.m.TblGioco(5, 5) = 2;
    w.p.RisposteMessaggi = {Risposta::No}; // do not save first
    w.EscDopo(3);
    w.f.Gen.ImpostaSeme(11);
    w.f.Clic("CommandGenera");
    EXPECT_EQ(w.Label2(), "Generazione interrotta");
    EXPECT_EQ(SchemaDa(w.m).Isole.size(), 3u);
    EXPECT_EQ(w.m.Ele[3].Num, 6);
    EXPECT_EQ(w.m.TblGioco(5, 5), 2);
    EXPECT_EQ(w.f.Gr.CellaIn(4, 3).Testo, "6");
    w.f.Clic("CommandSoluz");
    EXPECT_TRUE(w.SoluzioneGiusta());
    // A size no puzzle can be generated for gives up with its reason and lays out nothing.
    Partita piccola;
    piccola.m.NumRighe = piccola.m.NumColonne = 2;
    DimensionaTabelle(piccola.m);
    EXPECT_FALSE(piccola.f.CommandGenera_Click());
    EXPECT_NE(piccola.p.Messaggi.back().find("2 x 2"), std::string::npos);
    EXPECT_EQ(piccola.m.NumEle, 0);
}

TEST(Salvaguardie, InterruptedSearchesKeepAKnownSolutionAndSayTheyWereInterrupted) {
    Partita w("janko-0870");
    ASSERT_EQ(w.m.NumSol, 1);
    const std::string nota = w.Soluzione();
    w.EscDopo(0);
    w.f.Clic("CommandSoluz3");
    EXPECT_EQ(w.Label2(), "Ricerca interrotta");
    EXPECT_EQ(w.m.NumSol, 1);
    EXPECT_EQ(w.Soluzione(), nota);
    // A known solution is shown at once, and the time shown is that of no search.
    ASSERT_TRUE(w.f.CaricaSchema(Unico));
    w.f.Clic("CommandSoluz");
    w.p.FissaOrologio(50000);
    w.f.Clic("CommandSoluz");
    EXPECT_EQ(w.p.Testo(controlli::Label1), "0 s");
}

TEST(Salvaguardie, TheSolutionIslandComesFromTheStoredSolutionWithoutASearch) {
    Partita w("janko-0870");
    const int64_t prove = w.m.NumProve;
    const Isola e = w.m.Ele[1];
    w.Menu(e.Riga, e.Colonna, "mnuSoluzioneConfigurazione");
    EXPECT_EQ(w.m.NumProve, prove);
    int gialle = 0;
    for (int r = 1; r <= w.m.NumRighe; ++r)
        for (int c = 1; c <= w.m.NumColonne; ++c)
            gialle += w.Sfondo(r, c) == Giallo;
    EXPECT_EQ(gialle, e.Num);
    // After two solutions were found, a check keeps both.
    ASSERT_TRUE(w.f.CaricaSchema(DueSoluzioni));
    w.f.Clic("CommandSoluz3");
    ASSERT_EQ(w.m.NumSol, 2);
    w.Menu(1, 1, "mnuSoluzioneConfigurazione");
    w.Menu(1, 1, "mnuVerificaConfigurazione");
    EXPECT_EQ(w.m.NumSol, 2);
}

TEST(Salvaguardie, EveryCommandThatReplacesTheGameAsksFirst) {
    for (const char* comando : {"CommandLoadXmL", "CommandLoad", "CommandGenera"}) {
        SCOPED_TRACE(comando);
        Partita w(Unico);
        w.p.RisposteMessaggi = {Risposta::Annulla};
        w.f.Clic(comando);
        EXPECT_EQ(w.p.Messaggi, std::vector<std::string>{"Salvare lo schema attuale?"});
        EXPECT_TRUE(w.p.FiltriDialoghi.empty());
        EXPECT_EQ(w.m.NumRighe, 5);
    }
}

TEST(Salvaguardie, AFullListOfConfigurationsSaysAtLeast) {
    for (auto [file, atteso] : {std::pair{"janko-0319", "almeno 200 configurazioni"},
                                {"janko-0052", "180 configurazioni"}}) {
        Partita w(file);
        for (int i = 1; i <= w.m.NumEle; ++i)
            if (w.m.Ele[i].Num >= 3) w.m.Ele[i].Marcata = w.m.svEle[i].Marcata = 1;
        w.f.cmdConfigurazioniIsoleMarcate_Click();
        w.p.EseguiTimer();
        EXPECT_EQ(w.Label2(), atteso);
    }
}

TEST(Salvaguardie, AHugePasteIsRefusedAndTheGameStays) {
    Partita w(Unico);
    w.m.TblGioco(5, 5) = 2;
    w.p.Appunti = std::string(20 << 20, ','); // a spreadsheet copied by mistake
    w.f.IncollaSchema();
    EXPECT_EQ(w.p.Messaggi, std::vector<std::string>{"dati errati\nIl testo negli appunti è "
                                                     "troppo grande (più di 1024 KiB): non è "
                                                     "uno schema"});
    EXPECT_EQ(w.p.Icone, std::vector{Icona::Errore});
    EXPECT_EQ(SchemaDa(w.m).Isole.size(), 3u);
    EXPECT_EQ(w.m.TblGioco(5, 5), 2);
}
