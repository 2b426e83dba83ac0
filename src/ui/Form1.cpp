// Form1: lifecycle, toolbar dispatch, the close question and the command guard.
#include "ui/Form1.h"

#include "generator/Configurazione.h"
#include "io/Letture.h"
#include "model/Impostazione.h"
#include "solver/Tessere.h"
#include "ui/Testi.h"

namespace isolmar {

const std::vector<PulsanteBarra>& BarraStrumenti() {
    static const std::vector<PulsanteBarra> barra = {
        {"Apri", "Apri", "Apri "},
        {"Salva", "Salva", "Salva"},
        {"s00", "", ""},
        {"Incolla", "Incolla", "Incolla"},
        {"s0", "", ""},
        {"Risolvi", "Risolvi", "Risolvi"},
        {"Mostra", "Mostra", "Log sequenza soluzione"},
        {"Suggerimento", "Suggerimento", "Suggerimento: il prossimo passo (Ctrl+H)"},
        {"s2", "", ""},
        {"Aiuto", "Aiuto", "Lista configurazioni isole marcate"},
        {"UndoAll", "UndoAll", "Ricomincia"},
        {"Undo", "Undo", "Annulla ultima mossa"},
        {"Camera", "Camera", "Fotografa la posizione"},
        {"s4", "", ""},
        {"Valuta", "valuta", "Valuta livello schema"},
        {"s3", "", ""},
        {"Stampa", "Stampa", "Stampa schema"},
        {"s33", "", ""},
        {"Uscita", "Uscita", "Esci"},
    };
    return barra;
}

const std::vector<Comando>& ComandiFrame1() {
    static const std::vector<Comando> comandi = {
        {"CommandGenera", "Genera schema"},
        {"CommandSoluz", "Soluzione"},
        {"CommandSoluz3", "Soluz. Mult."},
        {"CommandSoluzMeno", ""},
        {"CommandSoluzPiu", ""},
        {"CommandVisgioco", "Rivisualizza schema"},
        {"CmdPosMeno", ""},
        {"CmdPospiu", ""},
        {"cmdConfigurazioniIsoleMarcate", "Configurazioni isole marcate"},
        {"CmdLog", "Log"},
        {"CmdApplica", "Applica"},
    };
    return comandi;
}

const std::vector<Comando>& ComandiFrame2() {
    static const std::vector<Comando> comandi = {
        {"CmdSalvaxml", "Salva xml"},         {"CommandLoadXmL", "Load xml"},
        {"CommandLoad", "Load schema"},       {"CommandSalva", "Salva"},
        {"CommandVisTessera", "Vis tessera"}, {"CommandRipetiSoloUn", "Ripeti sol un"},
        {"CommandInsVer", "Ins ver"},         {"CommandMaxProf", "maxprof"},
    };
    return comandi;
}

Avvio ModoAvvio(const Piattaforma& p) {
    if (p.RigaComando() != "/prod") return Avvio::Interattivo;
    return p.EsisteFile(PercorsoRisorsa(p, "Isolmar.ini")) ? Avvio::Produzione : Avvio::Termina;
}

Form1::Form1(Piattaforma& p) : p(p) {}

void Form1::Esegui(const std::function<void()>& f) {
    if (inElaborazione_) return;
    inElaborazione_ = true;
    f();
    inElaborazione_ = false;
    if (chiusaInSospeso_) {
        chiusaInSospeso_ = false;
        if (!Form_QueryUnload()) {
            chiusa_ = true;
            p.ChiudiFinestra();
        }
    }
}

void Form1::Form_Load() {
    p.BarraProgresso(0, 90);
    m.NumRighe = 10;
    m.NumColonne = 10;
    m.DimMaxIsola = 4;
    m.DimIsolaGrande = 4;
    m.MaxIsoleGrandi = 6;
    m.TempoMaxGen = 50;
    SpegniBottoniPiuMeno();
    p.ImpostaTesto("Label2", "");
    p.ImpostaVisibile("CommandVisgioco", false);
    p.ImpostaVisibile("CmdApplica", false); // shown with a hint
    p.ImpostaVisibile("Lbllog", false);     // the log window's message line
    // The monomino is shape 1 from the model's construction.
    m.MaxLivello = 4;
    InizializzaSchema(m, Gr, p);
    // The snapshot strip: row 0 the move counts, row 1 the symbols; column 0 holds no snapshot.
    gr2.ImpostaRighe(2);
    gr2.ImpostaAltezzaRiga(0, 240);
    gr2.ImpostaAltezzaRiga(1, 400);
    gr2.ImpostaLarghezzaColonna(0, 0);
    InizializzaTblGioco(m, gr2);
    AggiornaAiuto();
    NuovaPartita();
}

void Form1::Form_Activate() {
    if (!m.Attivata) {
        m.Attivata = Vero;
        GeneraTessere(m, 7);
        Gr.Visibile = false;
        p.ImpostaAbilitato("CommandSoluz", false);
    }
    if (m.ModoAuto) {
        m.SecSolunica = 10;
        m.SecSu2 = 45;
        // The toolbar is not movable in production mode (it never is in this window).
        std::string testo;
        const std::string percorso = PercorsoRisorsa(p, "Isolmar.ini");
        const std::string errore =
            LeggiFile(percorso, testo) ? InizializzaAuto(testo, m) : TestoFileErrato;
        if (!errore.empty()) p.Messaggio(errore, Pulsanti::Ok);
    } else {
        m.SecSolunica = 5;
        m.SecSu2 = 30;
    }
}

void Form1::Form_KeyPress(int tasto) {
    if (tasto != 27) return;
    m.TempoScaduto = 1;
    p.ImpostaTesto("Label1", "chiudi   " + TestoNumero(static_cast<float>(p.Orologio())));
}

bool Form1::Form_QueryUnload() {
    if (inElaborazione_) {
        m.TempoScaduto = 1;
        chiusaInSospeso_ = true;
        return true;
    }
    return ChiediSeSalvare();
}

bool Form1::ChiediSeSalvare() {
    // Nothing to lose: no puzzle, or nothing done since it was opened or saved.
    if (m.NumEle == 0 || !DaSalvare) return false;
    switch (p.Messaggio("Salvare lo schema attuale?", Pulsanti::SiNoAnnulla)) {
    case Risposta::No:
        return false;
    case Risposta::Si:
        CmdSalvaxml_Click();
        return !SchemaSalvato;
    default:
        return true;
    }
}

void Form1::tlb1_ButtonClick(const std::string& chiave) {
    // "Esci" during long work acts as the window's close box: the work stops, then the window
    // asks whether to save and closes.
    if (chiave == "Uscita" && inElaborazione_) {
        Form_QueryUnload();
        return;
    }
    Esegui([&] {
        if (chiave == "Apri") {
            if (!ChiediSeSalvare()) CommandLoadXmL_Click();
        } else if (chiave == "Incolla") {
            if (!ChiediSeSalvare()) IncollaSchema();
        } else if (chiave == "Uscita") {
            if (!ChiediSeSalvare()) {
                chiusa_ = true;
                p.ChiudiFinestra();
            }
        } else if (m.NumEle == 0) {
            return;
        } else if (chiave == "Salva") {
            CmdSalvaxml_Click();
        } else if (chiave == "Risolvi") {
            CommandSoluz_Click();
        } else if (chiave == "UndoAll") {
            // A new start: the marks go with the moves and snapshots.
            if (!ConfermaRicomincia()) return;
            if (m.NumMosseGioco > 0) DaSalvare = true;
            NuovaPartita();
            RiprendiGioco();
            for (int i = 1; i <= MaxEle; ++i)
                m.Ele[i].Marcata = m.svEle[i].Marcata = 0;
            InizializzaSchema(m, Gr, p);
            InizializzaTblGioco(m, gr2);
            AggiornaAiuto();
        } else if (chiave == "Undo") {
            if (m.NumMosseGioco > 0) {
                RiprendiGioco();
                // A hint applied is one move over several cells.
                int32_t da = m.NumMosseGioco;
                while (da > 1 && m.MosseGioco[da].Insieme == 1)
                    --da;
                UndoMosse(da);
                AggiornaIndiceSituazione();
            }
        } else if (chiave == "Camera") {
            SalvaSituazione();
        } else if (chiave == "Aiuto") {
            cmdConfigurazioniIsoleMarcate_Click();
        } else if (chiave == "Suggerimento") {
            Suggerimento_Click();
        } else if (chiave == "Mostra") {
            SoloValuta = Falso;
            CmdLog_Click();
        } else if (chiave == "Valuta") {
            SoloValuta = Vero;
            const bool finita = CmdLog_Click();
            SoloValuta = Falso;
            // A rating stopped by Esc has no level to tell.
            if (finita)
                p.Messaggio("Il livello dello schema è " + std::to_string(LivelloLog) +
                                (LivelloLog > 2 ? " o superiore " : ""),
                            Pulsanti::Ok);
        } else if (chiave == "Stampa") {
            StampaSchema();
        }
    });
}

void Form1::Clic(const std::string& controllo) {
    if (ClicComodita(controllo)) return;
    Esegui([&] {
        if (controllo == "CommandSoluz")
            CommandSoluz_Click();
        else if (controllo == "CommandSoluz3")
            CommandSoluz3_Click();
        else if (controllo == "CommandSoluzPiu")
            CommandSoluzPiu_Click();
        else if (controllo == "CommandSoluzMeno")
            CommandSoluzMeno_Click();
        else if (controllo == "CommandVisgioco")
            CommandVisgioco_Click();
        else if (controllo == "CommandGenera") {
            if (!ChiediSeSalvare()) CommandGenera_Click();
        } else if (controllo == "CommandRipetiSoloUn")
            Gen.CommandRipetiSoloUn_Click();
        else if (controllo == "CommandInsVer")
            Gen.CommandInsVer_Click();
        else if (controllo == "CommandMaxProf")
            Gen.CommandMaxProf_Click();
        else if (controllo == "CommandLoad" || controllo == "CommandLoadXmL") {
            if (!ChiediSeSalvare()) CommandLoadXmL_Click();
        } else if (controllo == "CommandSalva")
            CommandSalva_Click();
        else if (controllo == "CmdSalvaxml")
            CmdSalvaxml_Click();
        else if (controllo == "CommandVisTessera")
            CommandVisTessera_Click();
        else if (controllo == "mnuSmarcaMarca")
            mnuSmarcaMarca_Click();
        else if (controllo == "mnuVerificaConfigurazione")
            mnuVerificaConfigurazione_Click();
        else if (controllo == "mnuSoluzioneConfigurazione")
            mnuSoluzioneConfigurazione_Click();
        else if (controllo == "cmdConfigurazioniIsoleMarcate")
            cmdConfigurazioniIsoleMarcate_Click();
        else if (controllo == "CmdPospiu")
            CmdPospiu_Click();
        else if (controllo == "CmdPosMeno")
            CmdPosMeno_Click();
        else if (controllo == "CmdApplica")
            CmdApplica_Click();
        else if (controllo == "CmdLog" && m.NumEle > 0) {
            SoloValuta = Falso;
            CmdLog_Click();
        }
    });
}

bool Form1::CommandGenera_Click() {
    const AvvisoRicerca avviso(*this);
    // A generation that is stopped or gives up must not leave its half-made puzzle beside the
    // previous game: the previous puzzle comes back whole.
    const auto prima = std::make_unique<Modello>(m);
    const Griglia tavolaPrima = Gr;
    // A generation refused before its first attempt must not pass for a success or a stop
    // because of the previous puzzle's solution count or an earlier Esc.
    m.NumSol = 0;
    m.TempoScaduto = 0;
    Gen.Genera();
    if (m.NumSol != 1) {
        const uint8_t interrotta = m.TempoScaduto;
        m = *prima;
        m.TempoScaduto = interrotta; // the caller tells a stop from a give-up
        Gr = tavolaPrima;
        Gr.ImpostaRidisegno(true);
        p.Impagina();
        if (interrotta == 1) p.ImpostaTesto("Label2", "Generazione interrotta");
        return false;
    }
    {
        InizializzaTblGioco(m, gr2);
        Ris.SalvaEleInsvele();
        SpegniBottoniPiuMeno();
        p.ImpostaVisibile("CommandVisgioco", false);
        p.ImpostaTesto("Label2", "");
        InVisSoluzione = Falso;
        VisualizzaTblGioco();
        AggiornaAiuto();
        NuovaPartita();
        DaSalvare = true;
    }
    return true;
}

} // namespace isolmar
