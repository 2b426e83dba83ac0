// The main window driven headless: start-up, solve commands and browsing, Esc, the command guard
// and the close question.
#include "Partita.h"
#include "io/PuzzLink.h"

#include <filesystem>
#include <fstream>

using namespace isolmar;

TEST(Avvio, OnlyTheExactSwitchWithItsFileSelectsProductionMode) {
    PiattaformaHeadless p;
    p.Cartella = "/nonexistent-folder";
    p.Comando = "/prod";
    EXPECT_EQ(ModoAvvio(p), Avvio::Termina);
    for (const char* riga : {"/PROD", " /prod", "/prod ", "", "schema.xml"}) {
        p.Comando = riga;
        EXPECT_EQ(ModoAvvio(p), Avvio::Interattivo) << riga;
    }
    p.Cartella = ISOLMAR_TEST_DIR;
    p.Comando = "/prod";
    EXPECT_EQ(ModoAvvio(p), Avvio::Produzione);
    // Installed: the file is in ../share/isolmar, unless one lies beside the program.
    namespace fs = std::filesystem;
    const fs::path radice = fs::path(testing::TempDir()) / "isolmar-installato";
    fs::create_directories(radice / "bin");
    fs::create_directories(radice / "share/isolmar");
    std::ofstream(radice / "share/isolmar/Isolmar.ini") << "<REGOLA>\r\n";
    p.Cartella = (radice / "bin").string();
    EXPECT_EQ(ModoAvvio(p), Avvio::Produzione);
    EXPECT_EQ(PercorsoRisorsa(p, "Isolmar.ini"), p.Cartella + "/../share/isolmar/Isolmar.ini");
    EXPECT_EQ(PercorsoRisorsa(p, "Isolmar.html"), p.Cartella + "/Isolmar.html");
    std::ofstream(radice / "bin/Isolmar.ini") << "<REGOLA>\r\n";
    EXPECT_EQ(PercorsoRisorsa(p, "Isolmar.ini"), p.Cartella + "/Isolmar.ini");
    fs::remove_all(radice);
}

TEST(Avvio, ActivationBuildsOnceAndProductionModeReadsItsRules) {
    Partita w;
    EXPECT_FALSE(w.f.Gr.Visibile);
    const int32_t tessere = w.m.NumTessere;
    w.f.Form_Activate(); // a second activation builds nothing again
    EXPECT_EQ(w.m.NumTessere, tessere);
    w.m.ModoAuto = Vero;
    w.p.Cartella = ISOLMAR_TEST_DIR; // its Isolmar.ini holds one rule
    w.f.Form_Activate();
    EXPECT_TRUE(w.m.SecSolunica == 10 && w.m.SecSu2 == 45 && w.p.Messaggi.empty());
    EXPECT_EQ(w.m.NumRegole, 1);
    EXPECT_EQ(w.m.Regole[1].Row, 8);
}

// Each search says what it found; only a found solution is painted, the game stays otherwise.
TEST(Soluzione, EachSearchLabelsItsResultAndPaintsOnlyASolutionShown) {
    const struct {
        const Schema& schema;
        const char *comando, *testo;
        bool mostrata;
    } casi[] = {
        {Unico, "CommandSoluz", "Soluzione schema", true},
        {Unico, "CommandSoluz3", "Esiste una sola soluzione", false},
        {Impossibile, "CommandSoluz", "Non trovata nessuna soluzione", false},
        {Impossibile, "CommandSoluz3", "Non trovata nessuna soluzione", false},
        {DueSoluzioni, "CommandSoluz3", "Soluzione 1 di  2", true},
        {QuattroSoluzioni, "CommandSoluz3", "Soluzione 1 di almeno 3 soluzioni", true},
    };
    for (const auto& k : casi) {
        SCOPED_TRACE(std::string(k.comando) + " " + k.testo);
        Partita w(k.schema);
        w.f.Clic(k.comando);
        EXPECT_EQ(w.Label2(), k.testo);
        EXPECT_EQ(w.p.Visibile(controlli::CommandSoluzPiu), w.m.NumSol >= 2);
        EXPECT_FALSE(w.p.Occupato);
        for (int r = 1; r <= w.m.NumRighe; ++r)
            for (int c = 1; c <= w.m.NumColonne; ++c)
                if (k.mostrata) {
                    EXPECT_EQ(w.Sfondo(r, c), w.m.Tblsol(1, r, c) == 1 ? Bianco : Blu);
                } else if (w.Cella(r, c) == 0) {
                    EXPECT_EQ(w.Sfondo(r, c), Grigio); // the player's board
                }
    }
    Partita vuota; // no puzzle: nothing happens
    vuota.p.ImpostaTesto(controlli::Label2, "prima");
    vuota.f.CommandSoluz_Click();
    vuota.f.CommandSoluz3_Click();
    vuota.f.tlb1_ButtonClick("Risolvi");
    EXPECT_EQ(vuota.Label2(), "prima");
    EXPECT_EQ(vuota.m.NumProve, 0);
}

TEST(Soluzione, TwoAreBrowsedWithWrapAroundAndAKnownOneIsNotSearchedAgain) {
    Partita w(DueSoluzioni);
    w.f.Clic("CommandSoluz3");
    ASSERT_EQ(w.m.NumSol, 2);
    const Colore prima = w.Sfondo(2, 1);
    for (auto [comando, vista] :
         {std::pair{"CommandSoluzPiu", 2}, {"CommandSoluzPiu", 1}, {"CommandSoluzMeno", 2}}) {
        w.f.Clic(comando);
        EXPECT_EQ(w.Label2(), "Soluzione " + std::to_string(vista) + " di  2");
        EXPECT_EQ(w.Sfondo(2, 1) == prima, vista == 1);
    }
    w.f.Clic("CommandVisgioco");
    EXPECT_EQ(w.Label2(), "");
    EXPECT_FALSE(w.p.Visibile(controlli::CommandVisgioco) ||
                 w.p.Visibile(controlli::CommandSoluzPiu));
    EXPECT_EQ(w.Sfondo(2, 1), Grigio);
    const int64_t prove = w.m.NumProve;
    w.f.tlb1_ButtonClick("Risolvi"); // redrawn, not searched again
    EXPECT_EQ(w.m.NumProve, prove);
    EXPECT_EQ(w.Label2(), "Soluzione schema");
}

// Every search says it runs, with the busy pointer, refuses other commands meanwhile, and Esc
// stops it: "interrupted", never "no solution" nor a count; the next command is accepted.
TEST(Esc, ASearchSaysItRunsRefusesOtherCommandsAndStops) {
    for (const char* comando : {"CommandSoluz", "CommandSoluz3", "mnuVerificaSchema"}) {
        SCOPED_TRACE(comando);
        Partita w(Unico);
        std::string durante, interrotta;
        bool occupato = false, rifiutati = false;
        w.p.FissaOrologio(1000);
        w.p.DopoCessioni(0, [&] { // at the first attempt of the search, 2.3 s after its start
            w.p.AvanzaOrologio(2.3);
            durante = w.Label2();
            occupato = w.p.Occupato;
            const int64_t prove = w.m.NumProve;
            w.f.Clic("CommandSoluz");
            w.f.tlb1_ButtonClick("Risolvi");
            rifiutati = w.m.NumProve == prove && w.f.InElaborazione();
            w.f.Form_KeyPress(27);
            interrotta = w.p.Testo(controlli::Label1);
        });
        w.f.Clic(comando);
        EXPECT_EQ(durante, "Ricerca in corso… (Esc per interrompere)");
        EXPECT_TRUE(occupato && rifiutati && !w.p.Occupato && !w.f.InElaborazione());
        EXPECT_EQ(w.m.NumSol, 0);
        EXPECT_EQ(interrotta, "Ricerca interrotta dopo 2,3 s");
        EXPECT_EQ(w.p.Testo(controlli::Label1), interrotta);
        EXPECT_EQ(w.Label2(), "Ricerca interrotta");
        w.f.Clic("CommandSoluz");
        EXPECT_EQ(w.Label2(), "Soluzione schema");
    }
}

TEST(Chiusura, TheSaveQuestionsFourAnswersAndTheSavedFileReadsBack) {
    Partita w;
    EXPECT_FALSE(w.f.Form_QueryUnload()); // nothing to save: no question
    EXPECT_TRUE(w.p.Messaggi.empty());
    ASSERT_TRUE(w.f.CaricaSchema(Unico));
    w.f.CommandSoluz_Click();
    const std::string percorso = testing::TempDir() + "isolmar-form1.xml";
    // Cancel; Yes with the save dialog cancelled; No; Yes and saved: the window may close.
    w.p.RisposteMessaggi = {Risposta::Annulla, Risposta::Si, Risposta::No, Risposta::Si};
    for (bool annulla : {true, true, false})
        EXPECT_EQ(w.f.Form_QueryUnload(), annulla);
    w.p.PercorsiSalva = {percorso};
    EXPECT_FALSE(w.f.Form_QueryUnload());
    EXPECT_TRUE(w.f.SchemaSalvato);
    EXPECT_EQ(w.p.Messaggi, std::vector<std::string>(4, "Salvare lo schema attuale?"));
    w.f.tlb1_ButtonClick("Uscita"); // saved: no question
    EXPECT_EQ(w.p.Chiusure, 1);
    EXPECT_TRUE(w.f.Chiusa());
    Partita altra;
    ASSERT_TRUE(altra.f.ApriFile(percorso));
    EXPECT_EQ(altra.m.NumEle, 3);
    EXPECT_EQ(altra.m.NumSol, 1);
    altra.f.CommandSoluz_Click();
    EXPECT_EQ(altra.Sfondo(4, 3), Bianco);
}

// Ctrl+S writes the game back to the file it came from when its form holds the game, and asks
// otherwise; the name asked gets the chosen filter's extension and decides the form; the title
// names the file and marks what is unsaved.
TEST(File, SaveInPlaceAsksOnlyWhenItMustAndTheTitleFollows) {
    namespace fs = std::filesystem;
    const std::string cartella = testing::TempDir() + "isolmar-salva";
    fs::remove_all(cartella);
    fs::create_directories(cartella);
    for (const char* est : {".xml", ".txt"})
        fs::copy_file(std::string(ISOLMAR_PUZZLES_DIR) + "/janko-0107" + est,
                      cartella + "/janko-0107" + est);
    auto forma = [](const std::string& percorso) {
        std::string dati;
        EXPECT_TRUE(LeggiFile(percorso, dati)) << percorso;
        const EsitoLettura e = LeggiSchema(dati);
        return std::pair{e.Letto.Forma, e.Letto.Posizione};
    };
    Partita w;
    // A wall on the first cell that is not a clue; the board as the files hold it.
    auto mossa = [&w] {
        for (int k = 0;; ++k)
            if (const int r = 1 + k / w.m.NumColonne, c = 1 + k % w.m.NumColonne;
                w.m.TblGioco(r, c) == 0)
                return w.Muro(r, c);
    };
    auto tavola = [&w] {
        std::string t;
        for (int r = 1; r <= w.m.NumRighe; ++r)
            for (int c = 1; c <= w.m.NumColonne; ++c)
                t += static_cast<char>('0' + w.m.TblGioco(r, c));
        return t;
    };
    EXPECT_EQ(w.p.Titolo, "");
    ASSERT_TRUE(w.f.ApriFile(cartella + "/janko-0107.xml"));
    EXPECT_EQ(w.p.Titolo, "janko-0107.xml — Isolmar");
    mossa();
    EXPECT_EQ(w.p.Titolo, "*janko-0107.xml — Isolmar");
    w.f.tlb1_ButtonClick("Salva");
    EXPECT_TRUE(w.p.FiltriDialoghi.empty()) << "saved in place";
    EXPECT_EQ(forma(cartella + "/janko-0107.xml"), std::pair(FormaSchema::Xml, tavola()));
    EXPECT_EQ(w.p.Titolo, "janko-0107.xml — Isolmar");

    // The text form cannot hold the game: the name is asked, beside the file, as XML first.
    ASSERT_TRUE(w.f.ApriFile(cartella + "/janko-0107.txt"));
    mossa();
    w.p.PercorsiSalva = {cartella + "/partita", cartella + "/condiviso", cartella + "/lista.txt"};
    w.p.FiltriScelti = {0, 1, 0};
    w.f.tlb1_ButtonClick("Salva");
    EXPECT_EQ(w.p.Proposti.back(), cartella + "/janko-0107.xml");
    EXPECT_EQ(forma(cartella + "/partita.xml").first, FormaSchema::Xml);
    EXPECT_EQ(w.p.Titolo, "partita.xml — Isolmar");
    w.f.Clic("mnuSalvaConNome"); // always asks; the pzprv3 filter chosen
    EXPECT_EQ(w.p.Proposti.back(), cartella + "/partita.xml");
    EXPECT_EQ(forma(cartella + "/condiviso.pzpr"), std::pair(FormaSchema::Pzprv3, tavola()));
    w.f.Clic("mnuSalvaConNome"); // a name with an extension keeps it: the text form
    EXPECT_EQ(forma(cartella + "/lista.txt").first, FormaSchema::Testo);
    EXPECT_EQ(w.p.Titolo, "*lista.txt — Isolmar") << "the moves are not in the text form";
    EXPECT_EQ(w.p.FileUsati,
              (std::vector<std::string>{cartella + "/janko-0107.xml", cartella + "/janko-0107.xml",
                                        cartella + "/janko-0107.txt", cartella + "/partita.xml",
                                        cartella + "/condiviso.pzpr", cartella + "/lista.txt"}));
    // A pasted puzzle has no file: unsaved and unnamed.
    w.p.Appunti = ScriviLink(Unico);
    w.p.RisposteMessaggi = {Risposta::No};
    w.f.tlb1_ButtonClick("Incolla");
    EXPECT_EQ(w.p.Titolo, "*Senza nome — Isolmar");
}

// The close box or "Uscita" during a search: the search stops first, then the question.
TEST(Chiusura, DuringASearchStopsItFirstThenAsks) {
    for (bool barra : {false, true}) {
        SCOPED_TRACE(barra ? "Uscita" : "close box");
        Partita w(Unico);
        w.p.RisposteMessaggi = {Risposta::No};
        w.p.DopoCessioni(0, [&] {
            if (barra)
                w.f.tlb1_ButtonClick("Uscita");
            else
                EXPECT_TRUE(w.f.Form_QueryUnload()); // refused now, closed once stopped
        });
        w.f.Clic("CommandSoluz3");
        EXPECT_EQ(w.m.NumSol, 0);
        EXPECT_EQ(w.p.Messaggi, std::vector<std::string>{"Salvare lo schema attuale?"});
        EXPECT_EQ(w.p.Chiusure, 1);
    }
}

// A refused file, the short form read back, a clipboard text with a wrong check code: the
// previous puzzle and the player's marks stay.
TEST(File, RefusedInputKeepsThePreviousPuzzle) {
    Partita w(Unico);
    w.f.CommandSoluz_Click();
    w.m.TblGioco(2, 2) = 2;
    EXPECT_FALSE(w.f.ApriFile(std::string(ISOLMAR_PUZZLES_DIR) + "/README.md"));
    EXPECT_FALSE(w.f.ApriFile("/nonexistent/schema.xml"));
    EXPECT_NE(w.p.Messaggi[1].find("non esiste"), std::string::npos); // the reason below
    // With no file opened yet the short form goes among the user's documents, never beside
    // the program.
    w.p.Cartella = "/nonexistent-program-folder";
    w.p.Documenti = testing::TempDir();
    w.p.RisposteInput = {"isolmar-breve.txt"};
    w.f.Clic("CommandSalva");
    EXPECT_NE(w.p.Domande.back().find("non è una partita"), std::string::npos);
    const std::string breve = testing::TempDir() + "/isolmar-breve.txt";
    EXPECT_EQ(w.Label2(), "Elenco degli indizi salvato in " + breve);
    EXPECT_FALSE(w.f.ApriFile(breve)); // the short form has no check code
    w.p.Appunti = "SS000S,000000,2,3,1,1,2,2,3,1";
    w.p.RisposteMessaggi = {Risposta::No}; // do not save the current puzzle first
    w.f.tlb1_ButtonClick("Incolla");
    const std::string errato = "File inesistente o dati errati";
    EXPECT_EQ(w.Messaggi(),
              (std::vector<std::string>{errato, errato, errato, "Salvare lo schema attuale?",
                                        "Dati errati"}));
    EXPECT_TRUE(w.m.NumRighe == 5 && w.m.NumEle == 3 && w.m.NumSol == 1);
    EXPECT_EQ(w.m.TblGioco(2, 2), 2);
    // A link in place of a file name (the command line): a bad one is refused the same way, a
    // good one opens.
    EXPECT_FALSE(w.f.ApriFile("https://puzz.link/p?nurikabe/2/1/a1"));
    EXPECT_EQ(w.p.Messaggi.back().substr(0, 16), "Link non valido\n");
    EXPECT_TRUE(w.m.NumRighe == 5 && w.m.NumEle == 3 && w.m.TblGioco(2, 2) == 2);
    EXPECT_TRUE(w.f.ApriFile("https://puzz.link/p?nurikabe/4/3/g5k2j"));
    EXPECT_TRUE(w.m.NumRighe == 3 && w.m.NumColonne == 4 && w.m.NumEle == 2);
}
