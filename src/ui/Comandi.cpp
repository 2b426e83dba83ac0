// The main window's command table and its dispatch.
#include "ui/Comandi.h"

#include "model/Impostazione.h"
#include "ui/Form1.h"
#include "ui/Testi.h"

#include <algorithm>
#include <string>

namespace isolmar {

namespace {
constexpr auto B = Origine::Barra, C = Origine::Controllo;
constexpr auto Esegue = SenzaSchema::Esegue, Ignora = SenzaSchema::Ignora,
               Lascia = SenzaSchema::Lascia;
} // namespace

std::span<const VoceComando> Form1::TabellaComandi() {
    static constexpr VoceComando tabella[] = {
        // The toolbar.
        {B, "Apri", [](Form1& f) { f.CommandLoadXmL_Click(); }, true, Esegue},
        {B, "Incolla", [](Form1& f) { f.IncollaSchema(); }, true, Esegue},
        {B, "Uscita",
         [](Form1& f) {
             f.chiusa_ = true;
             f.p.ChiudiFinestra();
         },
         true, Esegue},
        {B, "Salva", [](Form1& f) { f.CmdSalvaxml_Click(); }, false, Ignora},
        {B, "Risolvi", [](Form1& f) { f.CommandSoluz_Click(); }, false, Ignora},
        {B, "UndoAll",
         [](Form1& f) {
             // A new start: the marks go with the moves and snapshots. A composition has none.
             if (f.InComposizione || !f.ConfermaRicomincia()) return;
             if (f.m.NumMosseGioco > 0 || f.posizioneCaricata_) f.ImpostaDaSalvare(true);
             f.NuovaPartita();
             f.RiprendiGioco();
             for (size_t i = 1; i < f.m.Ele.size(); ++i)
                 f.m.Ele[i].Marcata = f.m.svEle[i].Marcata = 0;
             InizializzaSchema(f.m, f.Gr, f.p);
             InizializzaTblGioco(f.m, f.gr2);
             f.AggiornaAiuto();
         },
         false, Ignora},
        {B, "Undo",
         [](Form1& f) {
             if (f.m.NumMosseGioco == 0) return;
             f.RiprendiGioco();
             // A hint applied is one move over several cells.
             int32_t da = f.m.NumMosseGioco;
             while (da > 1 && f.m.MosseGioco[da].Insieme == 1)
                 --da;
             f.UndoMosse(da);
             f.AggiornaIndiceSituazione();
         },
         false, Ignora},
        {B, "Redo", [](Form1& f) { f.RipetiMossa(); }, false, Ignora},
        {B, "Camera", [](Form1& f) { f.SalvaSituazione(); }, false, Ignora},
        {B, "Aiuto", [](Form1& f) { f.cmdConfigurazioniIsoleMarcate_Click(); }, false, Ignora},
        {B, "Suggerimento", [](Form1& f) { f.Suggerimento_Click(); }, false, Ignora},
        {B, "Mostra",
         [](Form1& f) {
             f.SoloValuta = Falso;
             f.CmdLog_Click();
         },
         false, Ignora},
        {B, "Valuta",
         [](Form1& f) {
             f.SoloValuta = Vero;
             const bool finita = f.CmdLog_Click();
             f.SoloValuta = Falso;
             // A rating stopped by Esc has no level to tell.
             if (finita)
                 f.p.Messaggio("Il livello dello schema è " + std::to_string(f.LivelloLog) +
                                   (f.LivelloLog > 2 ? " o superiore " : ""),
                               Pulsanti::Ok);
         },
         false, Ignora},
        {B, "Stampa", [](Form1& f) { f.StampaSchema(); }, false, Ignora},
        {B, "Componi", [](Form1& f) { f.mnuComponi_Click(); }, false, Esegue},

        // Command buttons.
        {C, "CommandGenera", [](Form1& f) { f.CommandGenera_Click(); }, true, Esegue},
        // It asks whether to save once the new size is chosen, not before.
        {C, "CommandNuovo", [](Form1& f) { f.CommandNuovo_Click(); }, false, Esegue},
        {C, "CommandSoluz", [](Form1& f) { f.CommandSoluz_Click(); }, false, Lascia},
        {C, "CommandSoluz3", [](Form1& f) { f.CommandSoluz3_Click(); }, false, Lascia},
        {C, "CommandSoluzMeno", [](Form1& f) { f.CommandSoluzMeno_Click(); }, false, Lascia},
        {C, "CommandSoluzPiu", [](Form1& f) { f.CommandSoluzPiu_Click(); }, false, Lascia},
        {C, "CommandVisgioco", [](Form1& f) { f.CommandVisgioco_Click(); }, false, Lascia},
        {C, "CmdPosMeno", [](Form1& f) { f.CmdPosMeno_Click(); }, false, Lascia},
        {C, "CmdPospiu", [](Form1& f) { f.CmdPospiu_Click(); }, false, Lascia},
        {C, "cmdConfigurazioniIsoleMarcate",
         [](Form1& f) { f.cmdConfigurazioniIsoleMarcate_Click(); }, false, Lascia},
        {C, "CmdLog",
         [](Form1& f) {
             f.SoloValuta = Falso;
             f.CmdLog_Click();
         },
         false, Ignora},
        {C, "CmdApplica", [](Form1& f) { f.CmdApplica_Click(); }, false, Lascia},
        {C, "CmdSalvaxml", [](Form1& f) { f.CmdSalvaxml_Click(); }, false, Lascia},
        {C, "CommandLoadXmL", [](Form1& f) { f.CommandLoadXmL_Click(); }, true, Esegue},
        {C, "CommandLoad", [](Form1& f) { f.CommandLoadXmL_Click(); }, true, Esegue},
        {C, "CommandSalva", [](Form1& f) { f.CommandSalva_Click(); }, false, Lascia},
        {C, "CommandVisTessera", [](Form1& f) { f.CommandVisTessera_Click(); }, false, Esegue},
        {C, "CommandRipetiSoloUn", [](Form1& f) { f.Gen.CommandRipetiSoloUn_Click(); }, false,
         Lascia},
        {C, "CommandInsVer", [](Form1& f) { f.Gen.CommandInsVer_Click(); }, false, Lascia},
        {C, "CommandMaxProf", [](Form1& f) { f.Gen.CommandMaxProf_Click(); }, false, Esegue},

        // The popup menu of a clue.
        {C, "mnuSmarcaMarca", [](Form1& f) { f.mnuSmarcaMarca_Click(); }, false, Lascia},
        {C, "mnuVerificaConfigurazione", [](Form1& f) { f.mnuVerificaConfigurazione_Click(); },
         false, Lascia},
        {C, "mnuSoluzioneConfigurazione", [](Form1& f) { f.mnuSoluzioneConfigurazione_Click(); },
         false, Lascia},

        // The menus "Gioco" and "Condividi".
        {C, "mnuVerificaSchema", [](Form1& f) { f.VerificaSchema(); }, false, Lascia},
        {C, "mnuRipeti", [](Form1& f) { f.RipetiMossa(); }, false, Lascia},
        {C, "mnuMostraErrori", [](Form1& f) { f.CambiaMostraErrori(); }, false, Esegue},
        {C, "mnuCopiaLink", [](Form1& f) { f.mnuCopiaLink_Click(); }, false, Lascia},
        {C, "mnuSalvaPzpr", [](Form1& f) { f.mnuSalvaPzpr_Click(); }, false, Lascia},
        {C, "mnuSalvaConNome", [](Form1& f) { f.SalvaConNome(); }, false, Lascia},

        // The menu "Componi" (each entry but the first does something only while composing).
        {C, "mnuComponi", [](Form1& f) { f.mnuComponi_Click(); }, false, Esegue},
        {C, "mnuSuggerisciIndizio", [](Form1& f) { f.mnuSuggerisciIndizio_Click(); }, false,
         Esegue},
        {C, "mnuVerificaMinimalita", [](Form1& f) { f.mnuVerificaMinimalita_Click(); }, false,
         Esegue},
        {C, "mnuFineComposizione", [](Form1& f) { f.mnuFineComposizione_Click(); }, false, Esegue},
        {C, "mnuSimmNessuna", [](Form1& f) { f.ImpostaSimmetria(Simmetria::Nessuna); }, false,
         Esegue},
        {C, "mnuSimmRot2", [](Form1& f) { f.ImpostaSimmetria(Simmetria::Rot2); }, false, Esegue},
        {C, "mnuSimmSpecchio", [](Form1& f) { f.ImpostaSimmetria(Simmetria::Specchio); }, false,
         Esegue},
    };
    return tabella;
}

const VoceComando* TrovaComando(Origine da, std::string_view nome) {
    const auto t = Form1::TabellaComandi();
    const auto it = std::find_if(
        t.begin(), t.end(), [&](const VoceComando& v) { return v.Da == da && v.Nome == nome; });
    return it == t.end() ? nullptr : &*it;
}

void Form1::tlb1_ButtonClick(std::string_view chiave) {
    // "Esci" during long work acts as the window's close box: the work stops, then the window
    // asks whether to save and closes.
    if (chiave == "Uscita" && inElaborazione_) {
        Form_QueryUnload();
        return;
    }
    if (const VoceComando* v = TrovaComando(Origine::Barra, chiave)) Esegui(*v);
}

void Form1::Clic(std::string_view controllo) {
    if (const VoceComando* v = TrovaComando(Origine::Controllo, controllo)) Esegui(*v);
}

void Form1::Esegui(const VoceComando& v) {
    Esegui([&] {
        if (v.Schema == SenzaSchema::Ignora && m.NumEle == 0) return;
        if (v.ChiediSalvare && ChiediSeSalvare()) return;
        v.Gestore(*this);
    });
}

void Form1::AggiornaComandiSchema() {
    const bool schema = m.NumEle > 0;
    const std::string motivo = schema ? "" : TestoSenzaSchema;
    for (const VoceComando& v : TabellaComandi()) {
        if (!v.RichiedeSchema()) continue;
        const Controllo c(v.Nome);
        const bool barra = v.Da == Origine::Barra;
        p.ImpostaMotivo(c, barra, motivo);
        if (!barra)
            p.ImpostaAbilitato(c, schema);
        else if (v.Nome != controlli::Aiuto.Nome) // that one also needs a marked island
            p.AbilitaPulsanteBarra(c, schema);
    }
    if (!schema) p.AbilitaPulsanteBarra(controlli::Aiuto, false);
}

} // namespace isolmar
