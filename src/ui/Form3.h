// Form3: the log window "Log soluzione" without a toolkit. In display mode it is the explanation's
// reporter: every conclusion is highlighted on the main board, its rows go into the grid Gm below
// those of the earlier steps of the run, and the window is shown modally until the user answers.
// An earlier step can be shown again (its board as it was); the engine itself only goes forward.
// Rows that name a failure record of the current step replay the configurations of that record
// on the board, each island in its own colour. The Qt layer draws Gm and forwards the events.
#pragma once

#include "explain/Spiegazione.h"
#include "view/Griglia.h"

#include <string>
#include <vector>

namespace isolmar {

class Form1;

// A rectangle in screen pixels.
struct Rettangolo {
    int x = 0, y = 0, w = 0, h = 0;
    bool Contiene(const Rettangolo& r) const {
        return r.x >= x && r.y >= y && r.x + r.w <= x + w && r.y + r.h <= y + h;
    }
    bool Interseca(const Rettangolo& r) const {
        return r.x < x + w && x < r.x + r.w && r.y < y + h && y < r.y + r.h;
    }
    bool operator==(const Rettangolo&) const = default;
};

// Where a log window of size (w, h) goes: beside the main window to the right, else below it,
// else to its left, else above, the first place that lies inside the screen; when none does, the
// first of those places moved inside the screen, or a corner of the screen, that leaves the cell
// talked about uncovered. Always inside the screen when the window fits in it.
Rettangolo PosizioneFinestraLog(const Rettangolo& schermo, const Rettangolo& principale,
                                const Rettangolo& cella, int w, int h);

// A text as the log shows it: runs of blanks made one, no blank after an apostrophe, each line
// trimmed, no empty line at the end.
std::string TestoCompatto(const std::string& t);
// The words beside each row of a step that make its rows one Italian sentence.
struct ParoleRiga {
    std::string Prima, Dopo;
};
std::vector<ParoleRiga> ParoleDelPasso(const Conclusione& c, int n, int serie);
// The rows of a step as that sentence, on one line; serie: its failure records.
std::string FraseDelPasso(const Conclusione& c, const std::vector<std::string>& righe, int serie);

class Form3 : public Relatore {
  public:
    explicit Form3(Form1& f) : f(f) {}

    static constexpr const char* Titolo = "Log soluzione";
    static constexpr const char* SuggerimentoSerie = "Mostra le configurazioni";
    static constexpr int IntervalloTimer1 = 2000;
    // Column 0 "Passo n" on a step's first row; 1 the row as the engine wrote it; 2 a failure
    // record's number; 3 a symbol; 5 and 6 (hidden) words drawn before and after the row, so
    // that a step reads as one sentence.
    static constexpr int ColonnaPasso = 0, ColonnaTesto = 1, ColonnaSerie = 2, ColonnaSimbolo = 3,
                         ColonnaPrima = 5, ColonnaDopo = 6, NumColonne = 7;

    // Rows of messages of every step of the run, oldest first.
    Griglia Gm;
    // The answer of the last message: 1 go on, 2 stop. The close box leaves it as it was.
    int16_t RispostaLog = 1;
    int16_t SerieScelta = 0;    // the failure record picked
    int16_t ConfigMostrata = 0; // its configuration shown last, 1..; 0 none yet
    // The window is up; a button that closes it clears this (the host then closes the window).
    bool Aperta = false;
    // The conclusion of the step shown; the window must not cover its cell, the board marks it.
    Conclusione Mostrata;

    // The board as a step showed it: every cell's background and state, and the cells that
    // differ from the run's first board in anything else.
    struct FotoTavola {
        std::vector<Colore> Sfondi;
        std::vector<StatoCella> Stati;
        std::vector<std::pair<int, Griglia::Cella>> Altre;
    };
    // The steps of the run so far: "Passo k" is Passi[k - 1].
    struct Passo {
        Conclusione C;
        int PrimaRiga = 0, NumRighe = 0; // its rows in Gm
        FotoTavola Tavola;
    };
    std::vector<Passo> Passi;
    int PassoMostrato = -1; // index in Passi
    int RigaReplay = -1;    // the row of Gm whose record is being replayed
    // The step whose rows hold riga, -1 when none.
    int PassoDellaRiga(int riga) const;
    bool PassoPrecedenteAbilitato() const { return PassoMostrato > 0; }
    // Shows step k again: its board, its rows marked in the list. Nothing is undone.
    void MostraPasso(int k);
    bool Timer1Attivo() const { return timer_ != 0; }

    // Relatore: display mode.
    int msgLog(Spiegazione& s, const Conclusione& c) override;
    // The on-the-spot explanation of one failure (exploration mode 2, not deferred).
    void MostraFallimento(Spiegazione& s, const std::string& testo) override;
    void VisualizzaForLogDet(const std::string& testo);

    // Events.
    void Form_Load();
    void Form_Unload();
    void CmdContinuaLog_Click();
    void CmdInterrompi_Click();
    void CmdVisualizzaDett_Click() { VisualizzaMsgPosticipato(); }
    void CmdDettagliosuccessivo_Click() { VisualizzaMsgPosticipato(); }
    void CmdPassoPrecedente_Click();
    void Command1_Click() { SalvaSituazioneAttuale(); }
    void Gm_Click(int riga);
    void Timer1_Timer() { VisualizzaMsgPosticipato(); }
    // True when the row of Gm names a failure record of the current step (a click replays it).
    bool RigaConSerie(int riga) const;

    // Log-grid helpers.
    int RigaBianca();
    void SettaSegn(int riga, int codice);
    static void SalvaGrd(const Griglia& da, Griglia& a);
    void PosizionaFormLog();

    // Board painters.
    void VisualizzaSchemaConAggiuntaTmp();
    void VisualizzaAggiuntaTmp();
    void CellaIsolaTmp(int r, int c);
    void CellaNoIsolaTmp(int r, int c);
    // The shape of a placement of the island whose clue is at (riga, colonna), as squares of
    // the given colour.
    void RiproduciIsola(int riga, int colonna, int32_t tessera, int tessRiga, int tessColonna,
                        Colore colore = Tavolozza::SimboloIsola);
    void RiproduciIsoleMsgPosticipato(const std::string& chiave);
    // The configuration keys of a record's configuration string, in order.
    static std::vector<std::string> Chiavi(const std::string& configurazioni);
    void VisualizzaMsgPosticipato();

    void SalvaSituazioneAttuale();
    // A new run: the list of steps starts empty.
    void NuovoLog();
    void sommasoluzTmpatlbgioco();

  private:
    void SegnaO(int r, int c);
    // The words that make the rows of the step just written one sentence.
    void Aggiunte(const Conclusione& c, int prima, int n, int serie);
    // The rows of the step shown in black on white, the others grey, the replayed row yellow.
    void ColoraRighe();
    FotoTavola Fotografa(const Griglia& g) const;
    void Ripristina(const FotoTavola& foto, Griglia& g) const;
    Griglia base_; // the board at the run's first step
    void Quadratino(int r, int c, Colore colore, bool ancheBianca);
    void AvviaTimer1();
    void FermaTimer1();

    Form1& f;
    Spiegazione* s_ = nullptr;
    int timer_ = 0;
};

} // namespace isolmar
