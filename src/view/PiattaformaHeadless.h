// PiattaformaHeadless: the host without a window. Dialog answers are queued in advance; what the
// program shows (labels, messages, visibility, progress) is recorded for inspection.
#pragma once

#include "view/Piattaforma.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace isolmar {

class PiattaformaHeadless : public Piattaforma {
  public:
    // Clock: real time unless a fixed value is set.
    double Orologio() override;
    void FissaOrologio(double secondi) {
        orologioFisso_ = true;
        orologio_ = secondi;
    }
    void AvanzaOrologio(double secondi) { orologio_ += secondi; }

    void Cedi() override;
    // After n further yields, run f once (a test's way to press Esc in the middle of a search).
    void DopoCessioni(long n, std::function<void()> f) {
        cessioniAttesa_ = n;
        suCessione_ = std::move(f);
    }
    long Cessioni = 0;
    // From now on, every ogni-th yield asks basta() and, once it answers true, sets fermo to 1
    // (the model's TempoScaduto: the running work stops as Esc stops it in the window). It
    // replaces what DopoCessioni had pending; DopoCessioni(-1, nullptr) ends it.
    void Sorveglia(std::function<bool()> basta, uint8_t& fermo, long ogni = 50);
    // The same once secondi have passed since this call; 0 or less only ends the watch. An
    // attempt of the search costs microseconds to a few milliseconds, so every 50th yield is
    // often enough to look at the clock.
    void LimiteSecondi(double secondi, uint8_t& fermo, long ogni = 50);

    void BarraProgresso(int minimo, int massimo) override {
        MinimoBarra = minimo;
        MassimoBarra = massimo;
    }
    void ValoreProgresso(int valore) override { ValoreBarra = valore; }
    int MassimoProgresso() const override { return MassimoBarra; }
    void CursoreOccupato(bool occupato) override { Occupato = occupato; }
    int MinimoBarra = 0, MassimoBarra = 100, ValoreBarra = 0;
    bool Occupato = false;

    void ImpostaTesto(Controllo controllo, const std::string& testo) override {
        Testi[std::string(controllo.Nome)] = testo;
    }
    std::string Testo(Controllo controllo) const override;
    void ImpostaVisibile(Controllo controllo, bool visibile) override {
        Visibili[std::string(controllo.Nome)] = visibile;
    }
    void ImpostaAbilitato(Controllo controllo, bool abilitato) override {
        Abilitati[std::string(controllo.Nome)] = abilitato;
    }
    bool Visibile(Controllo controllo) const override {
        auto it = Visibili.find(std::string(controllo.Nome));
        return it == Visibili.end() || it->second; // controls start visible
    }
    void AbilitaPulsanteBarra(Controllo chiave, bool abilitato) override {
        AbilitatiBarra[std::string(chiave.Nome)] = abilitato;
    }
    void ImpostaMotivo(Controllo controllo, bool barra, const std::string& motivo) override {
        Motivi[(barra ? "barra:" : "") + std::string(controllo.Nome)] = motivo;
    }
    std::map<std::string, std::string> Motivi; // toolbar keys as "barra:Chiave"
    bool Animazione() const override { return AnimazioneSpuntata; }
    void Ridisegna() override { ++Ridisegni; }
    void Impagina() override { ++Impaginazioni; }
    void ChiudiFinestra() override { ++Chiusure; }
    int Chiusure = 0;
    std::map<std::string, std::string> Testi;
    std::map<std::string, bool> Visibili, Abilitati, AbilitatiBarra;
    bool AnimazioneSpuntata = false;
    int Ridisegni = 0, Impaginazioni = 0;

    void MenuPopup(Controllo menu, int riga = 0, int colonna = 0) override {
        Menu.emplace_back(menu.Nome);
        CelleMenu.emplace_back(riga, colonna);
    }
    std::vector<std::string> Menu;
    std::vector<std::pair<int, int>> CelleMenu; // where each menu opened: (0, 0) at the mouse

    // Each dialog takes the next queued answer; with none queued a message box answers Annulla
    // (Ok for an OK-only box) and the other dialogs answer "" (cancelled).
    Risposta Messaggio(const std::string& testo, Pulsanti pulsanti,
                       Icona icona = Icona::Predefinita) override;
    std::string InputBox(const std::string& domanda, const std::string& predefinito) override;
    std::string DialogoApri(const std::string& filtro) override;
    // A save dialog answers with the next queued path and, when one is queued, filter index.
    std::string DialogoSalva(const std::string& filtro, const std::string& proposto = {},
                             int* scelto = nullptr) override;
    std::deque<int> FiltriScelti;
    std::vector<std::string> Proposti; // where each save dialog started
    void ImpostaTitolo(const std::string& titolo) override { Titolo = titolo; }
    void FileUsato(const std::string& percorso) override { FileUsati.push_back(percorso); }
    std::string Titolo;
    std::vector<std::string> FileUsati;
    bool ImpostaStampante() override;
    std::string TestoAppunti(size_t massimo) override { return Appunti.substr(0, massimo + 1); }
    void ImpostaAppunti(const std::string& testo) override { Appunti = testo; }
    // Each number dialog takes the next queued list of values (cancelled when none is queued).
    bool ChiediNumeri(const std::string& titolo, std::vector<CampoNumero>& campi) override;
    std::deque<std::vector<int>> RisposteNumeri;
    std::vector<std::vector<CampoNumero>> DialoghiNumeri; // the fields as each dialog showed them
    std::deque<Risposta> RisposteMessaggi;
    std::deque<std::string> RisposteInput, PercorsiApri, PercorsiSalva;
    std::deque<bool> RisposteStampante;
    std::vector<std::string> Messaggi, Domande, FiltriDialoghi;
    std::vector<Icona> Icone; // of each message box, beside Messaggi
    std::string Appunti;

    std::string CartellaProgramma() const override { return Cartella; }
    std::string CartellaDocumenti() const override { return Documenti; }
    std::string Documenti = ".";
    std::string RigaComando() const override { return Comando; }
    bool EsisteFile(const std::string& percorso) const override;
    std::string Cartella = ".";
    std::string Comando;

    // Timers run only when the test calls EseguiTimer.
    void TimerUnaVolta(int ms, std::function<void()> f) override;
    int TimerPeriodico(int ms, std::function<void()> f) override;
    void FermaTimer(int id) override { periodici_.erase(id); }
    // Runs the pending one-shot timers, then each periodic timer once.
    void EseguiTimer();
    size_t TimerInAttesa() const { return unaVolta_.size() + periodici_.size(); }

    void MostraModale(const std::string& finestra) override;
    void StampaFinestra(const std::string& finestra) override {
        Stampe.push_back(finestra);
        if (SuStampa) SuStampa();
    }
    std::function<void()> SuStampa; // called while the print window exists
    // Called when a modal window is shown; the window stays "open" until it returns.
    std::function<void(const std::string&)> SuModale;
    std::vector<std::string> Modali, Stampe;

  private:
    bool orologioFisso_ = false;
    double orologio_ = 0;
    double mezzanotte_ = 0;
    long cessioniAttesa_ = -1;
    std::function<void()> suCessione_;
    std::function<void()> sorveglia_;
    std::deque<std::function<void()>> unaVolta_;
    std::map<int, std::function<void()>> periodici_;
    int prossimoTimer_ = 1;
};

} // namespace isolmar
