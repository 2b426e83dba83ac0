// Form1: the main window without a toolkit. It owns the model, the board grid Gr and the move
// grid gr2, and implements every command and event handler of the main window. The host (the Qt
// program, or a test) forwards clicks, key presses and the close request to it and draws the
// grids and controls it sets through Piattaforma.
#pragma once

#include "explain/Spiegazione.h"
#include "generator/Generatore.h"
#include "model/Modello.h"
#include "model/Schema.h"
#include "solver/Risolutore.h"
#include "view/Griglia.h"
#include "view/Piattaforma.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace isolmar {

// A toolbar entry: a keyed button, or a spacer (empty tool tip and image).
struct PulsanteBarra {
    std::string Chiave;
    std::string Immagine;
    std::string Suggerimento;
    bool Spaziatore() const { return Immagine.empty(); }
};
// The 18 toolbar entries, in order. Spacers are 300 twips wide.
const std::vector<PulsanteBarra>& BarraStrumenti();
inline constexpr int LarghezzaSpaziatore = 300;

// A command button of the main window: control name and caption ("" for arrow buttons).
struct Comando {
    std::string Nome;
    std::string Etichetta;
};
const std::vector<Comando>& ComandiFrame1();
const std::vector<Comando>& ComandiFrame2();

// How the process starts: the command line exactly "/prod" selects production mode, which needs
// Isolmar.ini in the program's folder, else the process ends at once; anything else starts
// interactively.
enum class Avvio { Interattivo, Produzione, Termina };
Avvio ModoAvvio(const Piattaforma& p);

// The hidden print window: its only control is the grid gs, which receives a copy of the board.
struct Form4 {
    Griglia gs;
    // Copies the board grid into gs: sizes, texts, fonts and alignment of every cell; island
    // cells print yellow, wall cells blue, every other cell on gs's default background; the
    // header row and column shrink to 30 twips.
    void VisualizzaF4(const Griglia& Gr);
};

class Form1 {
  public:
    explicit Form1(Piattaforma& p);

    Piattaforma& p;
    std::unique_ptr<Modello> Dati = NuovoModello();
    Modello& m = *Dati;
    Griglia Gr;  // the board
    Griglia gr2; // the player's move strip
    Risolutore Ris{m, Gr, p};
    Generatore Gen{m, Gr, p, Ris};
    Spiegazione Spieg{m, Ris, p};
    // The conclusions of the last "Mostra" run, with their rows, until the log window shows them.
    RelatoreRegistra LogRegistrato;

    // Main-window fields.
    int16_t SolVis = 0;              // solution shown on the board, 1..NumSol
    Booleano InVisSoluzione = Falso; // the board shows a solution, not the game
    Booleano SchemaSalvato = Falso;
    Booleano SoloValuta = Falso;
    int16_t LivelloLog = 0;
    uint8_t RigaGr = 0, ColonnaGr = 0; // last clicked board cell; the popup menu acts on it
    std::string ModoVerifica;          // pending island check: "VER", "SOL" or "POM"
    int16_t SolParzVis = 0;            // configuration of the marked islands shown, 1..NumSolParz
    std::string CartellaSchema;        // folder of the file last opened or saved; "" none

    // Lifecycle.
    void Form_Load();
    void Form_Activate();
    void Form_KeyPress(int tasto);
    // True = cancel the closing. While long work runs the closing is refused: the work is
    // stopped first (as Esc) and the question is asked when it has returned.
    bool Form_QueryUnload();
    bool ChiediSeSalvare();

    // Events from the host. Every command is refused while long work runs (only Esc acts).
    void tlb1_ButtonClick(const std::string& chiave);
    void Clic(const std::string& controllo);
    bool InElaborazione() const { return inElaborazione_; }
    // True once the window has agreed to close (after "Uscita" or a close request it accepted).
    bool Chiusa() const { return chiusa_; }

    // Solve commands and browsing.
    void CommandSoluz_Click();
    void CommandSoluz3_Click();
    void CommandSoluzPiu_Click();
    void CommandSoluzMeno_Click();
    void SpegniBottoniPiuMeno();
    void CommandVisgioco_Click();
    // Solves the puzzle unless a solution is known, then saves the islands and shows the game.
    // False (with the reason shown) when no solution could be found.
    bool VerificaPrimaSoluzione();

    // Play: board clicks cycle the player's cells and are recorded as moves; a click on a clue
    // cell opens the island's popup menu instead. The board cell clicked is Gr.MouseRiga and
    // Gr.MouseColonna; the snapshot clicked is column gr2.MouseColonna.
    void Gr_MouseDown(int tasto);
    void gr2_Click();
    void AggiornaGioco(int16_t tasto, uint8_t riga, uint8_t colonna);
    void VisualizzaMenuGr();
    void mnuSmarcaMarca_Click();
    void UndoMosse(int32_t da);
    void AggiornaIndiceSituazione();
    void SalvaSituazione();
    void CommandVisTessera_Click();

    // Island checks. The menu and button handlers only arm the one-shot Timer1; the check runs in
    // Timer1_Timer once the event that asked for it has returned.
    void mnuVerificaConfigurazione_Click();
    void mnuSoluzioneConfigurazione_Click();
    void cmdConfigurazioniIsoleMarcate_Click();
    void Timer1_Timer();
    void VerificaIsola();
    void SoluzioneIsola();
    void ElencoConfigurazioniMarcate();
    void VisualizzaConfigurazione();
    void CmdPospiu_Click();
    void CmdPosMeno_Click();

    // Board painters.
    void VisualizzaTblGioco();
    void VisualizzaTblSchemaOption();
    void Vissche();
    int16_t CellaDim(uint8_t riga, uint8_t colonna) const;
    static double MmToTwips(double mm) { return mm * 1440.0 / 25.4; }

    // The explanation: "Mostra" and "Log" (SoloValuta False) and "Valuta" (True) run it from the
    // player's marks; the board and the player's game are shown again afterwards. They return
    // true when the run went to its end (not refused as too large, not stopped by Esc).
    bool CmdLog_Click();
    bool EseguiLog();

    // "Genera schema": a new puzzle of the current size with exactly one solution, on a fresh
    // game. False when the generation was stopped or gave up: the previous puzzle is back whole.
    bool CommandGenera_Click();

    // "Stampa": the printer dialog, then the board through the print window. Cancelling the
    // dialog prints nothing and says nothing.
    void StampaSchema();
    bool Sceglistampante();
    // The print window while it is loaded (during StampaSchema), else null.
    std::unique_ptr<Form4> F4;

    // Files. Reading is all-or-nothing: only a complete, valid puzzle replaces the current one;
    // a refused input shows its message and changes nothing.
    void CmdSalvaxml_Click();
    void CommandLoadXmL_Click();
    void IncollaSchema();
    // "Salva": the short text form, under a name asked for, beside the current puzzle's file (or
    // among the user's documents); Label2 says where.
    void CommandSalva_Click();
    // Opens the puzzle file at percorso (XML, or the text form); false when it was refused.
    bool ApriFile(const std::string& percorso);
    // Lays a puzzle out as a fresh game, as opening a file of it without solution would.
    bool CaricaSchema(const Schema& s);

  private:
    // Runs a command unless long work is running; marks the window busy meanwhile.
    void Esegui(const std::function<void()>& f);
    bool Carica(const struct EsitoLettura& e);
    void MostraSoluzione(int delta);
    // A fresh search for the first solution of the whole puzzle; false if it was not run.
    bool CercaPrimaSoluzione();
    // While the board shows a solution or a check, puts the player's game back.
    void RiprendiGioco();
    // Enables "Aiuto" exactly while at least one island is marked.
    void AggiornaAiuto();
    // Places the islands' shapes on a cleared TblSchema and shows them as an overlay.
    void MostraIsole(const Isola* isole, int n);
    void ArmaTimer1();

    bool inElaborazione_ = false;
    bool chiusaInSospeso_ = false;
    bool chiusa_ = false;
    bool timer1_ = false; // Timer1 enabled
};

} // namespace isolmar
