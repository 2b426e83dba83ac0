// Form1: the explanation commands "Mostra", "Log" and "Valuta".
#include "model/Impostazione.h"
#include "ui/Form1.h"
#include "ui/Testi.h"

namespace isolmar {

bool Form1::CmdLog_Click() {
    CommandVisgioco_Click();
    SpegniBottoniPiuMeno();
    p.ImpostaVisibile("CommandVisgioco", false);
    p.ImpostaTesto("Label2", "");
    return EseguiLog();
}

bool Form1::EseguiLog() {
    RelatoreMuto muto;
    // A stop answered in an earlier run does not stop this one.
    F3.RispostaLog = 1;
    Relatore& relatore = SoloValuta ? static_cast<Relatore&>(muto) : F3;
    const bool eseguita = Spieg.EseguiLog(relatore, SoloValuta != Falso);
    LivelloLog = Spieg.LivelloLog;
    p.CursoreOccupato(false);
    p.ImpostaTesto("Label2", "");
    p.ImpostaVisibile("Frame2", false);
    p.ImpostaVisibile("Frame1", true);
    if (!eseguita) {
        p.Messaggio(TestoTroppoGrande, Pulsanti::Ok);
    } else if (!SoloValuta && !Spieg.Fermata && !Spieg.Interrotta) {
        Vissche();
        Gr.ImpostaRidisegno(true); // the final board under the end message
        p.Messaggio("Fine del log \n Il livello di difficoltà è " + std::to_string(LivelloLog),
                    Pulsanti::Ok);
    }
    // The puzzle and the player's game again; TblSchema goes back to the clues.
    CommandVisgioco_Click();
    return eseguita && !Spieg.Interrotta;
}

} // namespace isolmar
