// Form3: the log window "Log soluzione" without a toolkit. In display mode it is the explanation's
// reporter: every conclusion is highlighted on the main board, its rows go into the grid Gm and
// the window is shown modally until the user answers. Rows that name a failure record replay the
// configurations of that record on the board. The Qt layer draws Gm and forwards the events.
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

class Form3 : public Relatore {
  public:
    explicit Form3(Form1& f) : f(f) {}

    static constexpr const char* Titolo = "Log soluzione";
    static constexpr const char* SuggerimentoSerie = "Mostra le configurazioni";
    static constexpr int IntervalloTimer1 = 2000;
    static constexpr int ColonnaTesto = 1, ColonnaSerie = 2, ColonnaSimbolo = 3;

    // Rows of messages: column 1 the text, column 2 a failure record's number, column 3 a symbol.
    Griglia Gm;
    // The answer of the last message: 1 go on, 2 stop. The close box leaves it as it was.
    int16_t RispostaLog = 1;
    int16_t SerieScelta = 0;    // the failure record picked
    int16_t ConfigMostrata = 0; // its configuration shown last, 1..; 0 none yet
    // The window is up; a button that closes it clears this (the host then closes the window).
    bool Aperta = false;
    // The conclusion shown; the window must not cover its cell.
    Conclusione Mostrata;
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
    void Command1_Click() { SalvaSituazioneAttuale(); }
    void Gm_Click(int riga);
    void Timer1_Timer() { VisualizzaMsgPosticipato(); }
    // True when the row of Gm names a failure record (a click replays it).
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
    // The shape of a placement of the island whose clue is at (riga, colonna).
    void RiproduciIsola(int riga, int colonna, int32_t tessera, int tessRiga, int tessColonna);
    void RiproduciIsoleMsgPosticipato(const std::string& chiave);
    // The configuration keys of a record's configuration string, in order.
    static std::vector<std::string> Chiavi(const std::string& configurazioni);
    void VisualizzaMsgPosticipato();

    void SalvaSituazioneAttuale();
    void sommasoluzTmpatlbgioco();

  private:
    void SegnaO(int r, int c);
    void Quadratino(int r, int c, Colore colore, bool ancheBianca);
    void AvviaTimer1();
    void FermaTimer1();

    Form1& f;
    Spiegazione* s_ = nullptr;
    int timer_ = 0;
};

} // namespace isolmar
