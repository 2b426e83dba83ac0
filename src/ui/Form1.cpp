// Form1: lifecycle, the close question and the command guard.
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
        {"Redo", "Redo", "Ripeti mossa (Ctrl+Y)"},
        {"Camera", "Camera", "Fotografa la posizione"},
        {"s4", "", ""},
        {"Valuta", "valuta", "Valuta livello schema"},
        {"Componi", "Componi", "Componi schema"},
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
        {"CmdSalvaxml", "Salva xml"},
        {"CommandLoadXmL", "Load xml"},
        {"CommandLoad", "Load schema"},
        {"CommandSalva", "Salva"},
    };
    return comandi;
}

const std::vector<Comando>& ComandiStrumenti() {
    static const std::vector<Comando> comandi = {
        {"CommandVisTessera", "Vis tessera"},
        {"CommandRipetiSoloUn", "Ripeti sol un"},
        {"CommandInsVer", "Ins ver"},
        {"CommandMaxProf", "maxprof"},
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
    // "Vis tessera"'s matrix is for one look: the next command clears it.
    const std::string tempo = tesseraInEtichetta_ ? "" : p.Testo(controlli::Label1),
                      stato = p.Testo(controlli::Label2);
    tesseraInEtichetta_ = false;
    p.ImpostaTesto(controlli::Label1, "");
    escNelLavoro_ = false;
    inizioLavoro_ = p.Orologio();
    f();
    inElaborazione_ = false;
    if (escNelLavoro_)
        p.ImpostaTesto(controlli::Label1,
                       TestoInterruzione(SecondiTrascorsi(inizioLavoro_, p.Orologio())));
    else if (p.Testo(controlli::Label1).empty() && p.Testo(controlli::Label2) == stato)
        p.ImpostaTesto(controlli::Label1, tempo); // nothing new said: the time still belongs
    p.ValoreProgresso(0);
    AggiornaComandiSchema();
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
    p.ImpostaTesto(controlli::Label2, "");
    p.ImpostaVisibile(controlli::CommandVisgioco, false);
    p.ImpostaVisibile(controlli::CmdApplica, false); // shown with a hint
    p.ImpostaVisibile(controlli::Lbllog, false);     // the log window's message line
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
    AggiornaComandiSchema();
}

void Form1::Form_Activate() {
    if (!m.Attivata) {
        m.Attivata = Vero;
        GeneraTessere(m, 7);
        Gr.Visibile = false;
        p.ImpostaAbilitato(controlli::CommandSoluz, false);
    }
    if (m.ModoAuto) {
        m.SecSolunica = 10;
        m.SecSu2 = 45;
        // The toolbar is not movable in production mode (it never is in this window).
        std::string testo;
        const std::string percorso = PercorsoRisorsa(p, "Isolmar.ini");
        const std::string errore =
            LeggiFile(percorso, testo) ? InizializzaAuto(testo, m) : TestoFileErrato;
        if (!errore.empty()) p.Messaggio(errore, Pulsanti::Ok, Icona::Errore);
    } else {
        m.SecSolunica = 5;
        m.SecSu2 = 30;
    }
}

void Form1::Form_KeyPress(int tasto) {
    if (tasto != 27) return;
    m.TempoScaduto = 1;
    if (!inElaborazione_) return; // nothing runs that could be interrupted
    escNelLavoro_ = true;
    p.ImpostaTesto(controlli::Label1,
                   TestoInterruzione(SecondiTrascorsi(inizioLavoro_, p.Orologio())));
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
        if (interrotta == 1) p.ImpostaTesto(controlli::Label2, "Generazione interrotta");
        return false;
    }
    {
        TerminaComposizione();
        InizializzaTblGioco(m, gr2);
        Ris.SalvaEleInsvele();
        SpegniBottoniPiuMeno();
        p.ImpostaVisibile(controlli::CommandVisgioco, false);
        p.ImpostaTesto(controlli::Label2, "");
        InVisSoluzione = Falso;
        VisualizzaTblGioco();
        AggiornaAiuto();
        NuovaPartita();
        FileSchema.clear();
        ImpostaDaSalvare(true);
    }
    return true;
}

} // namespace isolmar
