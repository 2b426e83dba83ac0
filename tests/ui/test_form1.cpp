// The main window driven headless: start-up, solve commands and browsing, Esc, the command guard
// and the close question.
#include "model/Impostazione.h"
#include "model/Schema.h"
#include "solver/Tessere.h"
#include "ui/Form1.h"
#include "view/PiattaformaHeadless.h"

#include <gtest/gtest.h>

using namespace isolmar;

namespace {

struct Finestra {
    PiattaformaHeadless p;
    Form1 f{p};
    Finestra() {
        f.Form_Load();
        f.Form_Activate();
    }
    // Lays a puzzle out as the loaders do.
    void Carica(const Schema& s) { ASSERT_TRUE(f.CaricaSchema(s)); }
    std::string Label2() const { return p.Testo("Label2"); }
    // The first line of each message shown: the program's message, without its reason.
    std::vector<std::string> Messaggi() const {
        std::vector<std::string> v;
        for (const std::string& t : p.Messaggi)
            v.push_back(t.substr(0, t.find('\n')));
        return v;
    }
    Colore Sfondo(int r, int c) const { return f.Gr.CellaIn(r, c).Sfondo; }
};

const Schema Unico{5, 5, {{2, 1, 1}, {1, 3, 1}, {6, 4, 3}}};
const Schema DueSoluzioni{2, 2, {{2, 1, 1}}};
const Schema Impossibile{2, 2, {{1, 1, 1}, {1, 2, 2}}};

} // namespace

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
}

TEST(Avvio, LoadAndActivationSetTheWindowUp) {
    Finestra w;
    EXPECT_EQ(w.p.MinimoBarra, 0);
    EXPECT_EQ(w.p.MassimoBarra, 90);
    EXPECT_EQ(w.Label2(), "");
    for (const char* b :
         {"CommandVisgioco", "CmdPosMeno", "CmdPospiu", "CommandSoluzMeno", "CommandSoluzPiu"})
        EXPECT_FALSE(w.p.Visibile(b)) << b;
    EXPECT_EQ(w.f.m.NumRighe, 10);
    EXPECT_EQ(w.f.Gr.Righe(), 11);
    EXPECT_FALSE(w.f.Gr.Visibile);
    EXPECT_FALSE(w.p.Abilitati["CommandSoluz"]);
    EXPECT_EQ(w.f.m.SecSolunica, 5);
    EXPECT_EQ(w.f.m.SecSu2, 30);
    const int32_t tessere = w.f.m.NumTessere;
    EXPECT_GT(tessere, 1000);
    w.f.Form_Activate(); // a second activation builds nothing again
    EXPECT_EQ(w.f.m.NumTessere, tessere);
    w.f.m.ModoAuto = Vero;
    w.p.Cartella = ISOLMAR_TEST_DIR; // its Isolmar.ini holds one rule
    w.f.Form_Activate();
    EXPECT_EQ(w.f.m.SecSolunica, 10);
    EXPECT_EQ(w.f.m.SecSu2, 45);
    EXPECT_TRUE(w.p.Messaggi.empty());
    EXPECT_EQ(w.f.m.NumRegole, 1);
    EXPECT_EQ(w.f.m.Regole[1].Row, 8);
}

TEST(Barra, EighteenEntriesInOrderWithSpacers) {
    const auto& b = BarraStrumenti();
    ASSERT_EQ(b.size(), 18u);
    std::string chiavi;
    for (const auto& x : b)
        chiavi += x.Chiave + (x.Spaziatore() ? "_ " : " ");
    EXPECT_EQ(chiavi, "Apri Salva s00_ Incolla s0_ Risolvi Mostra s2_ Aiuto UndoAll Undo Camera "
                      "s4_ Valuta s3_ Stampa s33_ Uscita ");
    EXPECT_EQ(b[0].Suggerimento, "Apri ");
    EXPECT_EQ(b[13].Immagine, "valuta");
}

TEST(Soluzione, SolvesOncePaintsSolutionOneAndLabelsTheResult) {
    Finestra w;
    w.Carica(Unico);
    w.f.Clic("CommandSoluz");
    EXPECT_EQ(w.f.m.NumSol, 1);
    EXPECT_EQ(w.Label2(), "Soluzione schema");
    EXPECT_FALSE(w.p.Testo("Label1").empty());
    EXPECT_TRUE(w.p.Visibile("CommandVisgioco"));
    EXPECT_TRUE(w.f.InVisSoluzione);
    EXPECT_FALSE(w.p.Occupato);
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 5; ++c)
            EXPECT_EQ(w.Sfondo(r, c), w.f.m.Tblsol(1, r, c) == 1 ? Bianco : Blu);
    const int64_t prove = w.f.m.NumProve;
    w.f.tlb1_ButtonClick("Risolvi"); // known solution: redrawn, not searched again
    EXPECT_EQ(w.f.m.NumProve, prove);
    EXPECT_EQ(w.Label2(), "Soluzione schema");
}

TEST(Soluzione, NoSolutionIsReportedAndTheGameStaysOnTheBoard) {
    Finestra w;
    w.Carica(Impossibile);
    w.f.CommandSoluz_Click();
    EXPECT_EQ(w.Label2(), "Non trovata nessuna soluzione");
    EXPECT_EQ(w.Sfondo(1, 2), Grigio);
    w.f.CommandSoluz3_Click();
    EXPECT_EQ(w.Label2(), "Non trovata nessuna soluzione");
}

TEST(Soluzione, EmptyPuzzleDoesNothing) {
    Finestra w;
    w.p.ImpostaTesto("Label2", "prima");
    w.f.CommandSoluz_Click();
    w.f.CommandSoluz3_Click();
    w.f.tlb1_ButtonClick("Risolvi");
    EXPECT_EQ(w.Label2(), "prima");
    EXPECT_EQ(w.f.m.NumProve, 0);
}

TEST(SoluzMult, UniqueLeavesTheGameTwoAreBrowsedWithWrapAround) {
    Finestra w;
    w.Carica(Unico);
    w.f.CommandSoluz3_Click();
    EXPECT_EQ(w.Label2(), "Esiste una sola soluzione");
    EXPECT_EQ(w.Sfondo(2, 2), Grigio); // the player's board, not the solution
    EXPECT_FALSE(w.p.Visibile("CommandSoluzPiu"));

    w.Carica(DueSoluzioni);
    w.f.Clic("CommandSoluz3");
    ASSERT_EQ(w.f.m.NumSol, 2);
    EXPECT_EQ(w.Label2(), "Soluzione 1 di  2");
    EXPECT_TRUE(w.p.Visibile("CommandSoluzPiu"));
    EXPECT_TRUE(w.p.Visibile("CommandSoluzMeno"));
    const Colore prima = w.Sfondo(2, 1);
    w.f.Clic("CommandSoluzPiu");
    EXPECT_EQ(w.Label2(), "Soluzione 2 di  2");
    EXPECT_NE(w.Sfondo(2, 1), prima);
    w.f.Clic("CommandSoluzPiu");
    EXPECT_EQ(w.Label2(), "Soluzione 1 di  2");
    w.f.Clic("CommandSoluzMeno");
    EXPECT_EQ(w.Label2(), "Soluzione 2 di  2");

    w.f.Clic("CommandVisgioco");
    EXPECT_EQ(w.Label2(), "");
    EXPECT_FALSE(w.p.Visibile("CommandVisgioco"));
    EXPECT_FALSE(w.p.Visibile("CommandSoluzPiu"));
    EXPECT_EQ(w.Sfondo(2, 1), Grigio);
}

TEST(Esc, StopsTheSearchAndRefusesOtherCommandsMeanwhile) {
    Finestra w;
    w.Carica(Unico);
    bool rifiutati = false;
    w.p.DopoCessioni(0, [&] { // at the first attempt of the search
        const int64_t prove = w.f.m.NumProve;
        w.f.Clic("CommandSoluz");
        w.f.tlb1_ButtonClick("Risolvi");
        rifiutati = w.f.m.NumProve == prove && w.f.InElaborazione();
        w.f.Form_KeyPress(27);
    });
    w.f.Clic("CommandSoluz3");
    EXPECT_TRUE(rifiutati);
    EXPECT_EQ(w.f.m.NumSol, 0);
    EXPECT_EQ(w.p.Testo("Label1").rfind("chiudi   ", 0), 0u);
    EXPECT_EQ(w.Label2(), "Ricerca interrotta");
    EXPECT_FALSE(w.f.InElaborazione());
    w.f.Clic("CommandSoluz"); // accepted again once the search is over
    EXPECT_EQ(w.Label2(), "Soluzione schema");
}

TEST(Chiusura, TheSaveQuestionsThreeAnswers) {
    Finestra w;
    EXPECT_FALSE(w.f.Form_QueryUnload()); // nothing to save: no question
    EXPECT_TRUE(w.p.Messaggi.empty());
    w.Carica(Unico);
    w.p.RisposteMessaggi = {Risposta::Annulla, Risposta::Si, Risposta::No};
    EXPECT_TRUE(w.f.Form_QueryUnload());
    EXPECT_TRUE(w.f.Form_QueryUnload()); // Yes, then the save dialog cancelled
    EXPECT_FALSE(w.f.Form_QueryUnload());
    EXPECT_EQ(w.p.Messaggi, std::vector<std::string>(3, "Salvare lo schema attuale?"));
    w.p.RisposteMessaggi = {Risposta::No};
    w.f.tlb1_ButtonClick("Uscita");
    EXPECT_EQ(w.p.Chiusure, 1);
    EXPECT_TRUE(w.f.Chiusa());
}

TEST(Chiusura, DuringASearchStopsItFirstThenAsks) {
    Finestra w;
    w.Carica(Unico);
    w.p.RisposteMessaggi = {Risposta::No};
    bool annullata = false;
    w.p.DopoCessioni(0, [&] { annullata = w.f.Form_QueryUnload(); });
    w.f.Clic("CommandSoluz3");
    EXPECT_TRUE(annullata);
    EXPECT_EQ(w.f.m.NumSol, 0);
    EXPECT_EQ(w.p.Messaggi, std::vector<std::string>{"Salvare lo schema attuale?"});
    EXPECT_EQ(w.p.Chiusure, 1);
}

TEST(Pittori, GameColoursMarksOverlayAndCleanUp) {
    Finestra w;
    w.Carica(Unico);
    w.f.m.TblGioco(1, 2) = 2;
    w.f.m.TblGioco(2, 2) = 7; // not a board value: colour left as it was
    w.f.Gr.Seleziona(2, 2);
    w.f.Gr.ImpostaSfondo(0x123456);
    w.f.m.Ele[1].Marcata = 1;
    w.f.VisualizzaTblGioco();
    EXPECT_EQ(w.Sfondo(1, 2), Blu);
    EXPECT_EQ(w.Sfondo(2, 2), 0x123456u);
    const Isola& e = w.f.m.Ele[1];
    EXPECT_EQ(w.Sfondo(e.Riga, e.Colonna), Giallo);

    w.f.m.TblSchema(3, 3) = 4;
    w.f.VisualizzaTblSchemaOption();
    EXPECT_EQ(w.Sfondo(3, 3), Verdeacqua);
    EXPECT_EQ(w.Sfondo(e.Riga, e.Colonna), Giallo);

    w.f.Gr.Seleziona(5, 5);
    w.f.Gr.ImpostaTesto("X");
    w.f.Vissche();
    EXPECT_EQ(w.f.Gr.CellaIn(5, 5).Testo, "");
    EXPECT_EQ(w.f.Gr.CellaIn(4, 3).Testo, "6"); // clue numbers stay
    EXPECT_EQ(w.Sfondo(3, 3), Blu);

    EXPECT_EQ(w.f.CellaDim(4, 3), w.f.CellaDim(4, 3));
    EXPECT_GE(w.f.CellaDim(4, 3), 1);
    EXPECT_EQ(w.f.CellaDim(2, 2), -1);
    EXPECT_DOUBLE_EQ(Form1::MmToTwips(25.4), 1440.0);
    EXPECT_NEAR(Form1::MmToTwips(5), 283.46, 0.01);
}

TEST(Genera, MakesAUniquePuzzleOnAFreshGameWithItsNumbersShown) {
    Finestra w;
    w.f.Gen.ImpostaSeme(7);
    w.f.Clic("CommandGenera");
    ASSERT_EQ(w.f.m.NumSol, 1);
    ASSERT_GT(w.f.m.NumEle, 0);
    EXPECT_NE(w.p.Testo("Label1").find(" gen"), std::string::npos);
    for (int i = 1; i <= w.f.m.NumEle; ++i) {
        const Isola& e = w.f.m.Ele[i];
        EXPECT_EQ(w.f.Gr.CellaIn(e.Riga, e.Colonna).Testo, std::to_string(e.Num));
        EXPECT_EQ(w.f.m.TblGioco(e.Riga, e.Colonna), 1);
    }
    EXPECT_TRUE(w.f.Gr.Visibile);
    EXPECT_EQ(w.Sfondo(1, 1) == Grigio || w.Sfondo(1, 1) == Bianco, true);
    w.f.Clic("CommandSoluz3"); // exactly one solution
    EXPECT_EQ(w.Label2(), "Esiste una sola soluzione");
}

TEST(File, OpeningARefusedFileKeepsThePreviousPuzzle) {
    Finestra w;
    w.Carica(Unico);
    w.f.m.TblGioco(2, 2) = 2;
    const std::string cattivo = std::string(ISOLMAR_TEST_DIR) + "/../../dati/pubblicati/README.md";
    EXPECT_FALSE(w.f.ApriFile(cattivo));
    EXPECT_FALSE(w.f.ApriFile("/nonexistent/schema.xml"));
    EXPECT_EQ(w.Messaggi(), std::vector<std::string>(2, "File inesistente o dati errati"));
    EXPECT_NE(w.p.Messaggi[1].find("non esiste"), std::string::npos); // the reason below
    EXPECT_EQ(w.f.m.NumEle, 3);
    EXPECT_EQ(w.f.m.TblGioco(2, 2), 2);

    // A published file opens with its stored solution: "Soluzione" does not search.
    ASSERT_TRUE(w.f.ApriFile(std::string(ISOLMAR_PUZZLES_DIR) + "/janko-0107.xml"));
    EXPECT_EQ(w.f.m.NumSol, 1);
    const int64_t prove = w.f.m.NumProve;
    w.f.CommandSoluz_Click();
    EXPECT_EQ(w.f.m.NumProve, prove);
    EXPECT_EQ(w.Label2(), "Soluzione schema");
}

TEST(File, SaveThenOpenAndTheSaveQuestionsYes) {
    Finestra w;
    w.Carica(Unico);
    w.f.CommandSoluz_Click();
    const std::string percorso = testing::TempDir() + "isolmar-form1.xml";
    w.p.RisposteMessaggi = {Risposta::Si};
    w.p.PercorsiSalva = {percorso};
    EXPECT_FALSE(w.f.Form_QueryUnload()); // saved, so the window may close
    EXPECT_TRUE(w.f.SchemaSalvato);
    Finestra altra;
    ASSERT_TRUE(altra.f.ApriFile(percorso));
    EXPECT_EQ(altra.f.m.NumEle, 3);
    EXPECT_EQ(altra.f.m.NumSol, 1);
    altra.f.CommandSoluz_Click();
    EXPECT_EQ(altra.Sfondo(4, 3), Bianco);
}

TEST(File, DatiErratiAndTheShortFormLeaveThePreviousPuzzle) {
    Finestra w;
    w.Carica(Unico);
    w.f.CommandSoluz_Click();
    // With no file opened yet the short form goes among the user's documents, never beside
    // the program.
    w.p.Cartella = "/nonexistent-program-folder";
    w.p.Documenti = testing::TempDir();
    w.p.RisposteInput = {"isolmar-breve.txt"};
    w.f.Clic("CommandSalva");
    EXPECT_EQ(w.p.Domande.back(), "nome");
    const std::string breve = testing::TempDir() + "/isolmar-breve.txt";
    EXPECT_EQ(w.Label2(), "Salvato in " + breve);
    // The short form has no check code: reading it back is refused, nothing changes.
    EXPECT_FALSE(w.f.ApriFile(breve));
    EXPECT_EQ(w.Messaggi().back(), "File inesistente o dati errati");
    EXPECT_EQ(w.f.m.NumSol, 1);
    // A clipboard text whose check code does not match: "Dati errati", the puzzle stays.
    w.p.Appunti = "SS000S,000000,2,3,1,1,2,2,3,1";
    w.p.RisposteMessaggi = {Risposta::No}; // do not save the current puzzle first
    w.f.tlb1_ButtonClick("Incolla");
    EXPECT_EQ(w.Messaggi().back(), "Dati errati");
    EXPECT_EQ(w.f.m.NumRighe, 5);
    EXPECT_EQ(w.f.m.NumEle, 3);
}
