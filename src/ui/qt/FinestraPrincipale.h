// The Qt main window: it shows what Form1 sets (board grid, labels, buttons, progress bar) and
// forwards clicks, Esc and the close request to it. It is also Form1's Piattaforma.
#pragma once

#include "ui/Form1.h"

#include "Disegno.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QMap>
#include <QWidget>

#include <limits>
#include <memory>

class QAbstractButton;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPrinter;
class QProgressBar;
class QScrollArea;
class QTimer;
class QToolBar;

namespace isolmar {

class FinestraPrincipale : public QMainWindow, public Piattaforma {
    Q_OBJECT
  public:
    explicit FinestraPrincipale(const std::string& rigaComando = "", QWidget* genitore = nullptr);
    ~FinestraPrincipale() override;

    // Qt's own dialogs (files, colours of the platform) in Italian, as the rest of the program.
    static void ParlaItaliano();
    Form1& Finestra() { return form_; }
    // Places the window at start: centred across the screen, a quarter of the free height from
    // the top.
    void Colloca();
    QToolBar* Barra() const { return barra_; }
    VistaGriglia* Tavola() const { return tavola_; }
    VistaGriglia* Striscia() const { return striscia_; }
    QScrollArea* Area() const { return area_; }
    // The board's zoom: fitted to the space the window gives it, times the player's factor
    // (Ctrl+plus, Ctrl+minus; Ctrl+0 puts it back to 1).
    void CambiaZoom(double fattore);
    QMenu* MenuIsola() const { return menuGr_; }
    // The printer of "Stampa", kept between its dialog and the print; null before the first.
    QPrinter* Stampante() const { return stampante_.get(); }

    // Piattaforma.
    double Orologio() override;
    void Cedi() override;
    void BarraProgresso(int minimo, int massimo) override;
    void ValoreProgresso(int valore) override;
    int MassimoProgresso() const override;
    void CursoreOccupato(bool occupato) override;
    void ImpostaTesto(Controllo controllo, const std::string& testo) override;
    std::string Testo(Controllo controllo) const override;
    void ImpostaVisibile(Controllo controllo, bool visibile) override;
    void ImpostaAbilitato(Controllo controllo, bool abilitato) override;
    bool Visibile(Controllo controllo) const override;
    void AbilitaPulsanteBarra(Controllo chiave, bool abilitato) override;
    void ImpostaMotivo(Controllo controllo, bool barra, const std::string& motivo) override;
    bool Animazione() const override;
    void Ridisegna() override;
    void Impagina() override;
    void ChiudiFinestra() override;
    void MenuPopup(Controllo menu, int riga = 0, int colonna = 0) override;
    Risposta Messaggio(const std::string& testo, Pulsanti pulsanti,
                       Icona icona = Icona::Predefinita) override;
    std::string InputBox(const std::string& domanda, const std::string& predefinito) override;
    std::string DialogoApri(const std::string& filtro) override;
    std::string DialogoSalva(const std::string& filtro, const std::string& proposto,
                             int* scelto) override;
    void ImpostaTitolo(const std::string& titolo) override;
    void FileUsato(const std::string& percorso) override;
    // The recently opened or saved files, newest first (kept in the user's settings).
    QStringList Recenti() const;
    bool ImpostaStampante() override;
    bool ChiediNumeri(const std::string& titolo, std::vector<CampoNumero>& campi) override;
    std::string TestoAppunti(size_t massimo) override;
    void ImpostaAppunti(const std::string& testo) override;
    std::string CartellaProgramma() const override;
    std::string CartellaDocumenti() const override;
    std::string RigaComando() const override { return rigaComando_; }
    bool EsisteFile(const std::string& percorso) const override;
    void TimerUnaVolta(int ms, std::function<void()> f) override;
    int TimerPeriodico(int ms, std::function<void()> f) override;
    void FermaTimer(int id) override;
    void MostraModale(const std::string& finestra) override;
    void StampaFinestra(const std::string& finestra) override;

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* oggetto, QEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    void CreaBarra();
    void CreaComandi();
    void CreaMenu();
    void CreaMenuGioco();
    void CreaMenuStrumenti();
    void CreaMenuComponi();
    void CreaMenuFile();
    void AggiornaRecenti();
    void AdattaZoom();
    // Shows the board's edge numbers when asked for or while the log is up.
    void AggiornaNumeri();
    // The help window, not modal, beside the main window; made once, shown again after.
    void MostraIstruzioni();
    // The clock and move count of the game being played.
    void AggiornaOrologio();
    // Shows the keyboard cursor where Form1 has it, scrolled into view.
    void MostraCursore();
    // The widget or the menu entry of a control, by its name; null when there is none.
    QWidget* Widget(std::string_view nome) const;
    QAction* Voce(std::string_view nome) const;

    std::string rigaComando_;
    Form1 form_{*this};
    QToolBar* barra_ = nullptr;
    VistaGriglia* tavola_ = nullptr;
    VistaGriglia* striscia_ = nullptr; // the snapshot strip gr2
    QScrollArea* area_ = nullptr;      // the board scrolls when it does not fit
    double fattoreZoom_ = 1.0;
    int righeImpaginate_ = -1, colonneImpaginate_ = -1; // the board size the window was fitted to
    QMenu* menuGr_ = nullptr;                           // the popup menu of a clue cell
    QMenu* menuRecenti_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QProgressBar* progresso_ = nullptr;
    QCheckBox* animazione_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    QMap<QString, QAction*> azioniBarra_;
    QElapsedTimer ultimaCessione_;
    qint64 mezzanotte_ = std::numeric_limits<qint64>::max(); // local midnight, ms since 1970
    QMap<int, class QTimer*> timer_;
    int prossimoTimer_ = 1;
    bool attivata_ = false;
    std::unique_ptr<QPrinter> stampante_;
    QTimer* fineLog_ = nullptr; // runs from a log window's closing to its run's end
    bool logAperto_ = false;
    QRect geometriaLog_; // the frame of the last log window: the next step's opens there
    class QDialog* istruzioni_ = nullptr;
    QLabel* orologio_ = nullptr;
};

} // namespace isolmar
