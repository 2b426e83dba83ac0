// Form1: the explanation commands "Mostra", "Log" and "Valuta".
#include "model/Impostazione.h"
#include "ui/Form1.h"
#include "ui/Testi.h"

namespace isolmar {

bool Form1::CmdLog_Click() {
    // Whatever a run hides comes back when it ends or stops.
    static constexpr Controllo Pannelli[] = {controlli::Frame1, controlli::Frame2,
                                             controlli::Label2};
    bool visibili[std::size(Pannelli)];
    for (size_t i = 0; i < std::size(Pannelli); ++i)
        visibili[i] = p.Visibile(Pannelli[i]);
    auto ripristina = [&] {
        for (size_t i = 0; i < std::size(Pannelli); ++i)
            p.ImpostaVisibile(Pannelli[i], visibili[i]);
        p.ImpostaVisibile(controlli::Lbllog, false);
    };
    RiprendiGioco();
    NascondiSuggerimento();
    if (const std::string no = SpiegazioneNonDisponibile(m); !no.empty()) {
        p.Messaggio(no, Pulsanti::Ok, Icona::Avviso);
        return false;
    }
    if (!SoluzioneUnica()) return false;
    // The run reads the player's board: a rating sees only the clues, an explanation only the
    // marks that agree with the solution. The player's board comes back afterwards.
    const Griglia8 gioco = m.TblGioco;
    if (SoloValuta) {
        SoloNumeri(m);
    } else if (!TogliErrori(true)) {
        return false;
    }
    CommandVisgioco_Click();
    SpegniBottoniPiuMeno();
    p.ImpostaVisibile(controlli::CommandVisgioco, false);
    p.ImpostaTesto(controlli::Label2, "");
    const bool finita = EseguiLog();
    m.TblGioco = gioco;
    CommandVisgioco_Click();
    ripristina();
    if (Spieg.Interrotta)
        p.ImpostaTesto(controlli::Label2,
                       SoloValuta ? TestoValutazioneInterrotta : TestoSpiegazioneInterrotta);
    return finita;
}

bool Form1::EseguiLog() {
    RelatoreMuto muto;
    // A stop answered in an earlier run does not stop this one.
    F3.RispostaLog = 1;
    if (!SoloValuta) F3.NuovoLog();
    Relatore& relatore = SoloValuta ? static_cast<Relatore&>(muto) : F3;
    const bool eseguita = Spieg.EseguiLog(relatore, SoloValuta != Falso);
    LivelloLog = Spieg.LivelloLog;
    p.CursoreOccupato(false);
    p.ImpostaTesto(controlli::Label2, "");
    p.ImpostaVisibile(controlli::Frame1, true);
    if (!eseguita) {
        p.Messaggio(TestoTroppoGrande, Pulsanti::Ok, Icona::Avviso);
    } else if (!SoloValuta && !Spieg.Fermata && !Spieg.Interrotta) {
        Vissche();
        Gr.ImpostaRidisegno(true); // the final board under the end message
        p.Messaggio("Fine del log \n Il livello di difficoltà è " + std::to_string(LivelloLog),
                    Pulsanti::Ok);
    }
    // The puzzle and the game again; TblSchema goes back to the clues.
    CommandVisgioco_Click();
    return eseguita && !Spieg.Interrotta;
}

} // namespace isolmar
