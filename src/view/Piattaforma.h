// Piattaforma: everything the program needs from its host besides the grids. The Qt program
// implements it with real widgets; PiattaformaHeadless implements it for tests and the
// command-line tool.
#pragma once

#include "view/Controlli.h"

#include <functional>
#include <string>
#include <vector>

namespace isolmar {

enum class Risposta { Ok, Si, No, Annulla };
enum class Pulsanti { Ok, SiNoAnnulla, SiNo };
// The icon of a message box. Predefinita: information for an OK box, a question mark for a
// question. A refusal or a failure says so with Avviso or Errore.
enum class Icona { Predefinita, Informazione, Avviso, Errore, Domanda };

// A whole number asked in a dialog: its label, value and range.
struct CampoNumero {
    std::string Etichetta;
    int Valore = 0, Minimo = 0, Massimo = 0;
    std::string Speciale; // shown for Minimo when given ("qualsiasi")
    // When given, a choice among these instead of a number: Valore is Minimo + the index.
    std::vector<std::string> Voci = {};
};

// Seconds from da to a, two readings of Orologio: a reading past midnight is the next day's.
inline double SecondiTrascorsi(double da, double a) {
    return a >= da ? a - da : a - da + 86400;
}

class Piattaforma {
  public:
    virtual ~Piattaforma() = default;

    // Seconds since midnight.
    virtual double Orologio() = 0;
    // Lets the host handle pending events (repaint, Esc). Called at every search attempt, so an
    // implementation must be cheap when there is nothing to do.
    virtual void Cedi() = 0;

    virtual void BarraProgresso(int minimo, int massimo) = 0;
    virtual void ValoreProgresso(int valore) = 0;
    virtual int MassimoProgresso() const = 0;
    virtual void CursoreOccupato(bool occupato) = 0;

    // Labels, command buttons, frames and the check box of the main window, by control name.
    virtual void ImpostaTesto(Controllo controllo, const std::string& testo) = 0;
    virtual std::string Testo(Controllo controllo) const = 0;
    virtual void ImpostaVisibile(Controllo controllo, bool visibile) = 0;
    virtual void ImpostaAbilitato(Controllo controllo, bool abilitato) = 0;
    virtual bool Visibile(Controllo controllo) const = 0;
    // Toolbar buttons, by key.
    virtual void AbilitaPulsanteBarra(Controllo chiave, bool abilitato) = 0;
    // Why a control (barra: a toolbar key) is disabled, for its tool tip; "" once it is enabled.
    virtual void ImpostaMotivo(Controllo controllo, bool barra, const std::string& motivo) {
        (void)controllo;
        (void)barra;
        (void)motivo;
    }
    // The "Animazione" check box.
    virtual bool Animazione() const = 0;
    // Repaints the main window now.
    virtual void Ridisegna() = 0;
    // Lays the main window out around the board after its size changed.
    virtual void Impagina() = 0;
    // Closes the main window; the window has already agreed to close.
    virtual void ChiudiFinestra() = 0;

    // Shows a popup menu and returns at once; a chosen entry comes back as a click on its control
    // name. Entry captions are set with ImpostaTesto. The menu opens at board cell (riga,
    // colonna) when riga > 0 (a menu opened from the keyboard), otherwise at the mouse position.
    virtual void MenuPopup(Controllo menu, int riga = 0, int colonna = 0) = 0;

    virtual Risposta Messaggio(const std::string& testo, Pulsanti pulsanti,
                               Icona icona = Icona::Predefinita) = 0;
    virtual std::string InputBox(const std::string& domanda, const std::string& predefinito) = 0;
    // Return the chosen path, or "" when the user cancelled. filtro: "Descrizione|*.a;*.b"
    // entries joined by '|'. The save dialog starts at proposto (a folder, or a file's path)
    // and sets *scelto to the index of the filter chosen.
    virtual std::string DialogoApri(const std::string& filtro) = 0;
    virtual std::string DialogoSalva(const std::string& filtro, const std::string& proposto = {},
                                     int* scelto = nullptr) = 0;
    // The main window's title.
    virtual void ImpostaTitolo(const std::string& titolo) { (void)titolo; }
    // A file was opened or saved: the host may list it among the recent ones.
    virtual void FileUsato(const std::string& percorso) { (void)percorso; }
    virtual bool ImpostaStampante() = 0;
    // Asks the numbers of campi in one dialog titled titolo; false (campi unchanged) when the
    // user cancelled. A host without such a dialog cancels.
    virtual bool ChiediNumeri(const std::string& titolo, std::vector<CampoNumero>& campi) {
        (void)titolo;
        (void)campi;
        return false;
    }
    // The clipboard's text, cut after massimo + 1 bytes: a longer text is known to be too long
    // without being read whole.
    virtual std::string TestoAppunti(size_t massimo) = 0;
    virtual void ImpostaAppunti(const std::string& testo) = 0;

    virtual std::string CartellaProgramma() const = 0;
    // A folder the user can write to (the documents folder, or home).
    virtual std::string CartellaDocumenti() const = 0;
    virtual std::string RigaComando() const = 0;
    virtual bool EsisteFile(const std::string& percorso) const = 0;

    // Runs f once after ms milliseconds (0: as soon as the current event has returned).
    virtual void TimerUnaVolta(int ms, std::function<void()> f) = 0;
    // Runs f every ms milliseconds until the returned id is stopped.
    virtual int TimerPeriodico(int ms, std::function<void()> f) = 0;
    virtual void FermaTimer(int id) = 0;

    // Shows a secondary window modally and returns when it closes.
    virtual void MostraModale(const std::string& finestra) = 0;
    virtual void StampaFinestra(const std::string& finestra) = 0;
};

} // namespace isolmar
