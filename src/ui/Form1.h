// Form1: the main window without a toolkit. It owns the model, the board grid Gr and the move
// grid gr2, and implements every command and event handler of the main window. The host (the Qt
// program, or a test) forwards clicks, key presses and the close request to it and draws the
// grids and controls it sets through Piattaforma.
#pragma once

#include "explain/Spiegazione.h"
#include "explain/Suggerimento.h"
#include "generator/Generatore.h"
#include "io/Letture.h"
#include "model/Modello.h"
#include "model/Schema.h"
#include "solver/Esito.h"
#include "solver/Risolutore.h"
#include "ui/Comandi.h"
#include "ui/Composizione.h"
#include "ui/Form3.h"
#include "view/Griglia.h"
#include "view/Piattaforma.h"

#include <functional>
#include <memory>
#include <optional>
#include <span>
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
// The 20 toolbar entries, in order. Spacers are 300 twips wide.
const std::vector<PulsanteBarra>& BarraStrumenti();
inline constexpr int LarghezzaSpaziatore = 300;

// A command button of the main window: control name and caption ("" for arrow buttons).
struct Comando {
    std::string Nome;
    std::string Etichetta;
};
const std::vector<Comando>& ComandiFrame1();
const std::vector<Comando>& ComandiFrame2();
// The diagnostic commands, apart from the player's: the window lists them in a menu.
const std::vector<Comando>& ComandiStrumenti();

// How the process starts: the command line exactly "/prod" selects production mode, which needs
// Isolmar.ini in the program's folder, else the process ends at once; anything else starts
// interactively.
enum class Avvio { Interattivo, Produzione, Termina };
Avvio ModoAvvio(const Piattaforma& p);

// A file the program reads beside itself (help, configuration): in the program's folder, else in
// ../share/isolmar where an install puts it; the first when neither exists.
std::string PercorsoRisorsa(const Piattaforma& p, const std::string& nome);

// The usual shortcut of a toolbar entry ("Ctrl+O"), "" when it has none.
std::string ScorciatoiaBarra(const std::string& chiave);

// What a key does on the board: move the cursor, or set the cell under it.
enum class TastoGioco { Su, Giu, Sinistra, Destra, Avanti, Isola, Muro, Indeciso };

// The board's zoom: cells never smaller than ZoomMinimo times their size (the clues stay
// readable; a larger board scrolls) nor larger than ZoomMassimo times.
inline constexpr double ZoomMinimo = 0.66, ZoomMassimo = 4.0;
// The smallest zoom of a board of righe x colonne: ZoomMinimo up to 40 cells a side; a larger
// board may shrink until its longer side is as long as 40 cells at ZoomMinimo (880 pixels on a
// 96 dpi screen), so that 50 x 50 and even 100 x 100 fit a 1600 x 1200 screen whole.
double ZoomMinimoPer(int righe, int colonne);
// The zoom at which a board of larghezza x altezza (at zoom 1) fills spazioL x spazioA, within
// minimo..ZoomMassimo.
double ZoomAdatto(double larghezza, double altezza, double spazioL, double spazioA,
                  double minimo = ZoomMinimo);

// The hidden print window: its only control is the grid gs, which receives a copy of the board.
struct Form4 {
    Griglia gs;
    // Copies the board grid into gs: sizes, texts, fonts and alignment of every cell; by the
    // cells' states, white cells (islands, clues, cells never painted) print yellow, wall cells
    // blue, every other cell white; the header row and column shrink to 30 twips.
    void VisualizzaF4(const Griglia& Gr);
    // The game's cells in place of a solution shown on the board: islands, walls, undecided.
    void MostraGioco(const Modello& m);
    std::string Titolo; // printed above the board
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
    // The log window of "Mostra", and the copy of the board it keeps while it is up.
    Form3 F3{*this};
    Griglia gr3;

    // Main-window fields.
    int16_t SolVis = 0;              // solution shown on the board, 1..NumSol
    Booleano InVisSoluzione = Falso; // the board shows a solution, not the game
    Booleano SchemaSalvato = Falso;
    Booleano SoloValuta = Falso;
    int16_t LivelloLog = 0;
    uint8_t RigaGr = 0, ColonnaGr = 0; // last clicked board cell; the popup menu acts on it
    void (Form1::*VerificaInAttesa)() = nullptr; // the island check Timer1 runs next
    int16_t SolParzVis = 0; // configuration of the marked islands shown, 1..NumSolParz
    // With the SAT engine, the marked islands' configurations listed: their cells ('1'), R x C row
    // by row, in place of the partial solutions of the shape search (Eleparz).
    std::vector<std::string> ConfigurazioniSat;
    std::string CartellaSchema; // folder of the file last opened or saved; "" none

    // Lifecycle.
    void Form_Load();
    void Form_Activate();
    void Form_KeyPress(int tasto);
    // True = cancel the closing. While long work runs the closing is refused: the work is
    // stopped first (as Esc) and the question is asked when it has returned.
    bool Form_QueryUnload();
    bool ChiediSeSalvare();

    // Events from the host, dispatched through TabellaComandi. Every command is refused while
    // long work runs (only Esc acts); an unknown name does nothing.
    void tlb1_ButtonClick(std::string_view chiave);
    void Clic(std::string_view controllo);
    static std::span<const VoceComando> TabellaComandi();
    bool InElaborazione() const { return inElaborazione_; }
    // True once the window has agreed to close (after "Uscita" or a close request it accepted).
    bool Chiusa() const { return chiusa_; }

    // Solve commands and browsing. "Soluz. Mult." stops at SoluzioniCercate solutions.
    static constexpr int SoluzioniCercate = 3;
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
    // Opens the clue menu; from the keyboard at the clue's cell, not at the pointer.
    void VisualizzaMenuGr(bool daTastiera = false);
    void mnuSmarcaMarca_Click();
    // Takes moves back from the last down to da; they can be redone until the next new move.
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
    void ElencoConfigurazioniSat();
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
    // "Valuta" rates the puzzle from its clues alone; "Mostra" and "Log" start from the player's
    // marks once they are found right (or the wrong ones set aside, when the player agrees).
    // Neither runs on a puzzle without exactly one solution.
    bool CmdLog_Click();
    bool EseguiLog();

    // The puzzle's solutions from its clues, counted to two (Nessuna, Una, Piu), kept until its
    // clues change; with one, Tblsol(1) holds it. Interrotta when Esc stopped the search,
    // TroppoGrande when the solver cannot hold the puzzle.
    EsitoRicerca ContaSoluzioni();
    // True with exactly one solution; otherwise says why and returns false.
    bool SoluzioneUnica();
    // Clears the player's wrong marks from TblGioco (the caller keeps the board to put back).
    // chiedi: first show them in red and ask; false when the player declines.
    bool TogliErrori(bool chiedi);
    // "Suggerimento": the first wrong cell if any, else the next step of the explanation from
    // the player's board, shown over the game with its rows in Label2; "Applica" (CmdApplica)
    // writes its cells to the board as one move.
    void Suggerimento_Click();
    void CmdApplica_Click();
    PassoSuggerito Suggerito;

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
    // "Salva" (Ctrl+S): the game goes back to the file it came from, in its form, when that form
    // holds the player's board (XML, pzprv3); otherwise, and for a new or pasted puzzle, the
    // name is asked as by SalvaConNome.
    void CmdSalvaxml_Click();
    // "Salva con nome" (Ctrl+Shift+S): always asks, proposing the current file's folder and name.
    // The form follows the name's extension (.xml, .pzpr, .txt); a name without one gets the
    // chosen filter's. filtro: "Descrizione|*.est" entries joined by '|'.
    void SalvaConNome(const std::string& filtro);
    void SalvaConNome();
    // Writes the game to percorso in the given form; it becomes the current file.
    void SalvaIn(const std::string& percorso, FormaSchema forma);
    // Asks a name as SalvaConNome and writes the board there, leaving the current file as it
    // is (the log window's situation); SchemaSalvato says whether it was written.
    void SalvaCopiaConNome();
    // The save dialog's answer with its filter's extension added; "" when cancelled.
    std::string ChiediNomeFile(const std::string& filtro);
    // The file the game came from or was last saved to ("" for a new, generated or pasted
    // puzzle) and the form it is in.
    std::string FileSchema;
    FormaSchema FormaFile = FormaSchema::Xml;
    // The window's title: the file's name (or "Senza nome"), with "*" in front while something
    // is unsaved; "Isolmar" alone without a puzzle.
    std::string Titolo() const;
    // The puzzle's name: its file's name, or "Senza nome".
    std::string NomeSchema() const;
    // Sets DaSalvare and shows it in the title.
    void ImpostaDaSalvare(bool daSalvare);
    void CommandLoadXmL_Click();
    void IncollaSchema();
    // "Salva": the short text form, under a name asked for, beside the current puzzle's file (or
    // among the user's documents); Label2 says where.
    void CommandSalva_Click();
    // The current puzzle as a puzz.link URL on the clipboard; as a pzprv3 file with the
    // player's board, under a name asked for.
    void mnuCopiaLink_Click();
    void mnuSalvaPzpr_Click();
    // Opens the puzzle file at percorso (XML, pzprv3, a link, or the text form), or the puzz.link
    // URL percorso itself when no such file exists; false when it was refused.
    bool ApriFile(const std::string& percorso);
    // Lays a puzzle out as a fresh game, as opening a file of it without solution would.
    bool CaricaSchema(const Schema& s);

    // Comfort of play. A new move (click, drag, key) clears the moves to redo.
    int CursoreRiga = 1, CursoreColonna = 1; // the keyboard cursor on the board
    bool CursoreVisibile = false;            // shown once a key has moved it
    bool DaSalvare = false; // moves or a new puzzle not saved since it was opened or saved
    std::vector<MossaGioco> MosseAnnullate; // undone moves; the next one to redo is last
    // ---- Composing a puzzle by hand (Form1Composizione.cpp) ---------------------------------
    // While composing, the board holds the clues typed so far (the model has them, whatever they
    // are), a click or the arrows choose a cell, digits type its number and Backspace clears it.
    // After each change the check runs again, yielding to the window: a change meanwhile stops
    // it and starts it over. Its result is the status line and the board's marks.
    bool InComposizione = false;
    Composizione Comp;
    std::optional<EsitoVerifica> EsitoComposizione; // the last check that ran to its end
    std::optional<Proposta> PropostaComposizione;   // "Suggerisci un indizio", until applied
    // "Componi schema": from the current puzzle's clues or a blank board of a size asked.
    void mnuComponi_Click();
    // A digit 0..9, or -1 (Backspace, Delete), on the cursor's cell; false when not composing.
    bool ComponiTasto(int tasto);
    void mnuSuggerisciIndizio_Click();
    void mnuVerificaMinimalita_Click();
    // Back to play with the composed puzzle, after offering to save it.
    void mnuFineComposizione_Click();
    void ImpostaSimmetria(Simmetria s);

    // "Nuovo schema", remembered; NuovoLivello -1 for any level. By default puzzles look like
    // published ones: clues of up to 5 with one that large, in half-turn pairs, none too many.
    int NuovoRighe = 10, NuovoColonne = 10, NuovoIsolaMax = 5, NuovoLivello = -1;
    int NuovaSimmetria = 1, NuovoMinimo = 1; // Simmetria; 1 only the clues needed
    // Board keys; false when the key means nothing here (no puzzle, or long work running).
    bool Tavola_KeyDown(TastoGioco t);
    // Drag painting: while the button pressed on a cell is held, every cell the pointer passes
    // (Gr.MouseRiga, Gr.MouseColonna) takes the state the first cell took, one move per change.
    void Gr_MouseMove();
    void Gr_MouseUp();
    void RipetiMossa();
    // "Verifica schema": every decided cell against the solution (found first when none is
    // known); the wrong ones are shown red until the next click.
    void VerificaSchema();
    // "Nuovo schema": asks the size and the largest island, then generates.
    void CommandNuovo_Click();
    // A puzzle of level NuovoLivello, its candidates generated and rated beside the window
    // while it keeps yielding; false, with the previous puzzle kept, when stopped or given up.
    bool GeneraALivelloScelto();
    // True when the player's board satisfies every rule of the puzzle (no undecided cell).
    bool SchemaRisolto() const;
    // A fresh game starts: the clock, the cursor, nothing to redo, "solved" not yet said.
    void NuovaPartita();
    // The rule errors of the player's board drawn on its cells ("Mostra errori", on at start),
    // and a dot in every cell the player made island; both follow every move, undo and redo.
    bool MostraErrori = true;
    void CambiaMostraErrori();
    void AggiornaSegni();
    // The game's clock: seconds played since the game started, without the time the window
    // was minimised (PausaGioco); it stops when the puzzle is solved.
    double TempoGioco();
    void PausaGioco(bool pausa);
    // The clock and the move count as shown during play ("2:05 · 12 mosse"); "" with no puzzle.
    std::string TestoOrologio();
    // While alive: the label says that a search runs and the pointer is busy; afterwards the
    // label is put back unless the work has written its own result there.
    class AvvisoRicerca {
      public:
        explicit AvvisoRicerca(Form1& f);
        ~AvvisoRicerca();
        AvvisoRicerca(const AvvisoRicerca&) = delete;
        AvvisoRicerca& operator=(const AvvisoRicerca&) = delete;

      private:
        Form1& f_;
        std::string prima_;
    };

  private:
    // Composing: the clues on the board with the marks of the last check and the status line;
    // the check started again after a change; its loop; composing ends (a puzzle is loaded).
    void MostraComposizione();
    void ComponiSuCursore(int tasto);
    void VerificaComposizione();
    void EseguiVerifiche();
    void TerminaComposizione();
    // The start of a composing command: false, saying so, when nothing is being composed.
    bool ComandoDiComposizione();
    bool verificaInCorso_ = false, verificaDaFare_ = false, fermaVerifica_ = false;
    std::unique_ptr<Verificatore> verificatore_, verificatoreComandi_;
    Verificatore& Verif(bool comando);

    // A left or other click on a board cell (Gr.MouseRiga, Gr.MouseColonna), inside a command.
    void ClicCella(int tasto, bool daTastiera = false);
    // Records one move on a cell and applies it; a new move clears the moves to redo.
    void RegistraMossa(uint8_t riga, uint8_t colonna, uint8_t tasto);
    // Gives a cell a code by one move; false when it had it already.
    bool ImpostaCella(uint8_t riga, uint8_t colonna, uint8_t codice);
    // After the board changed: something to save, and "solved" said once per game.
    void DopoMossa();
    bool ConfermaRicomincia();
    int trascina_ = -1;              // the code a drag gives, -1 when no drag runs
    bool posizioneCaricata_ = false; // the board came from a file with a position on it
    int rigaTrascina_ = 0, colonnaTrascina_ = 0;
    double inizioPartita_ = 0;
    double pausaDa_ = -1;     // when the pause running began, -1 none
    double pausa_ = 0;        // seconds of the pauses ended
    double tempoFinale_ = -1; // the time the puzzle was solved in, -1 until then
    bool risoltoDetto_ = false;
    int avvisi_ = 0; // AvvisoRicerca nesting

    // Runs a command unless long work is running; marks the window busy meanwhile. Afterwards
    // the time bar is empty, and Label1 (the time of the last work) says how long the work ran
    // when Esc stopped it, and loses an earlier work's time when the command wrote a new message
    // in Label2 and no time of its own.
    void Esegui(const std::function<void()>& f);
    void Esegui(const VoceComando& v);
    bool Carica(const struct EsitoLettura& e);
    void MostraSoluzione(int delta);
    // A fresh search for the first solution of the whole puzzle; false if it was not run.
    bool CercaPrimaSoluzione();
    // While the board shows a solution or a check, puts the player's game back.
    void RiprendiGioco();
    // Enables "Aiuto" exactly while at least one island is marked.
    void AggiornaAiuto();
    // Enables the commands that need a puzzle exactly while one is loaded, and says why they are
    // not. Called after every command and every file opened.
    void AggiornaComandiSchema();
    bool tesseraInEtichetta_ = false; // Label1 holds "Vis tessera"'s matrix
    // Places the islands' shapes on a cleared TblSchema and shows them as an overlay.
    void MostraIsole(const Isola* isole, int n);
    void ArmaTimer1(void (Form1::*verifica)());

    void NascondiSuggerimento();
    std::string chiaveSoluzioni_; // the puzzle soluzioniContate_ belongs to
    EsitoRicerca soluzioniContate_ = EsitoRicerca::Nessuna;
    bool suggerimentoPronto_ = false;

    bool inElaborazione_ = false;
    double inizioLavoro_ = 0;   // clock when the running command started
    bool escNelLavoro_ = false; // Esc pressed while it ran
    bool chiusaInSospeso_ = false;
    bool chiusa_ = false;
    bool timer1_ = false; // Timer1 enabled
};

} // namespace isolmar
