// Form1: composing a puzzle by hand, checked as it is typed.
#include "model/Impostazione.h"
#include "ui/Form1.h"
#include "ui/Testi.h"
#include "view/Etichette.h"

#include <algorithm>

namespace isolmar {

namespace {
constexpr const char* TestoNonInComposizione = "Nessuna composizione in corso: Componi schema";
} // namespace

Verificatore& Form1::Verif(bool comando) {
    // Each has a model of its own, so the board may change while it runs. The check as you type
    // stops at a new change; a command's (a proposal, the minimal clues) on Esc; both when
    // composing ends or the window closes. A command may start while the check waits in a
    // yield, hence two.
    auto& v = comando ? verificatoreComandi_ : verificatore_;
    if (!v)
        v = std::make_unique<Verificatore>([this, comando] {
            p.Cedi();
            return (comando ? m.TempoScaduto == 1 : fermaVerifica_) || !InComposizione || chiusa_ ||
                   chiusaInSospeso_;
        });
    return *v;
}

void Form1::mnuComponi_Click() {
    if (InComposizione) return;
    if (ChiediSeSalvare()) return;
    Schema s;
    if (m.NumEle > 0) {
        const Risposta r = p.Messaggio(
            "Comporre partendo dai numeri dello schema attuale? (No: una griglia vuota)",
            Pulsanti::SiNoAnnulla);
        if (r == Risposta::Annulla) return;
        if (r == Risposta::Si) s = SchemaDa(m);
    }
    if (s.Righe == 0) {
        std::vector<CampoNumero> campi = {{"Righe", NuovoRighe, 2, MaxLato, ""},
                                          {"Colonne", NuovoColonne, 2, MaxLato, ""}};
        if (!p.ChiediNumeri("Componi schema", campi)) return;
        s.Righe = NuovoRighe = std::clamp(campi[0].Valore, 2, MaxLato);
        s.Colonne = NuovoColonne = std::clamp(campi[1].Valore, 2, MaxLato);
    }
    InComposizione = true;
    Comp.S = s;
    Comp.FineNumero();
    EsitoComposizione.reset();
    PropostaComposizione.reset();
    CursoreRiga = CursoreColonna = 1;
    CursoreVisibile = true;
    FileSchema.clear();
    NascondiSuggerimento();
    ImpostaDaSalvare(true);
    VerificaComposizione();
}

void Form1::TerminaComposizione() {
    if (!InComposizione) return;
    InComposizione = false;
    fermaVerifica_ = true;
    PropostaComposizione.reset();
    p.ImpostaVisibile(controlli::CmdApplica, false);
}

bool Form1::ComponiTasto(int tasto) {
    if (!InComposizione || InElaborazione()) return false;
    Esegui([&] { ComponiSuCursore(tasto); });
    return true;
}

void Form1::ComponiSuCursore(int tasto) {
    const int r = std::clamp(CursoreRiga, 1, Comp.S.Righe);
    const int c = std::clamp(CursoreColonna, 1, Comp.S.Colonne);
    const bool cambiato = tasto < 0 ? Comp.Cancella(r, c) : Comp.Digita(r, c, tasto);
    CursoreVisibile = true;
    if (cambiato) {
        PropostaComposizione.reset();
        ImpostaDaSalvare(true);
        VerificaComposizione();
    } else {
        Gr.Aggiorna();
    }
}

void Form1::ImpostaSimmetria(Simmetria s) {
    Comp.Simm = s;
}

void Form1::MostraComposizione() {
    PoniSchema(m, Comp.S);
    m.NumSol = 0;
    InizializzaSchema(m, Gr, p);
    InizializzaTblGioco(m, gr2);
    const std::vector<uint16_t> segniCelle =
        Comp.Segni(EsitoComposizione ? &*EsitoComposizione : nullptr, PropostaComposizione);
    for (int r = 1; r <= Comp.S.Righe; ++r)
        for (int c = 1; c <= Comp.S.Colonne; ++c) {
            Gr.Seleziona(r, c);
            Gr.ImpostaSegni(segniCelle[static_cast<size_t>((r - 1) * Comp.S.Colonne + c - 1)]);
        }
    p.ImpostaTesto(controlli::Label1,
                   TestoQuanti(static_cast<long>(Comp.S.Isole.size()), "indizio", "indizi"));
    std::string stato = EsitoComposizione ? TestoVerifica(*EsitoComposizione) : "Ricerca…";
    if (Comp.S.Isole.empty()) stato = "Scrivi i numeri: clic su una casella, poi una cifra";
    if (PropostaComposizione)
        stato =
            "Proposta: " + TestoProposta(*PropostaComposizione, Comp.S) + ". Applica per metterlo.";
    p.ImpostaTesto(controlli::Label2, stato);
    p.ImpostaVisibile(controlli::CmdApplica, PropostaComposizione.has_value());
    AggiornaComandiSchema();
    Gr.Aggiorna();
}

void Form1::VerificaComposizione() {
    verificaDaFare_ = true;
    EsitoComposizione.reset();
    MostraComposizione();
    if (verificaInCorso_) {
        fermaVerifica_ = true; // the running check stops and its loop starts the next one
        return;
    }
    p.TimerUnaVolta(0, [this] { EseguiVerifiche(); });
}

void Form1::EseguiVerifiche() {
    if (verificaInCorso_) return;
    verificaInCorso_ = true;
    while (verificaDaFare_ && InComposizione && !chiusa_) {
        verificaDaFare_ = fermaVerifica_ = false;
        const Schema s = Comp.S;
        if (s.Isole.empty()) break;
        EsitoVerifica e = Verif(false).Verifica(s);
        if (verificaDaFare_ || !InComposizione) continue;
        EsitoComposizione = std::move(e);
        MostraComposizione();
    }
    verificaInCorso_ = false;
}

bool Form1::ComandoDiComposizione() {
    if (!InComposizione) {
        p.ImpostaTesto(controlli::Label2, TestoNonInComposizione);
        return false;
    }
    m.TempoScaduto = 0; // Esc stops the command from here on
    return true;
}

void Form1::mnuSuggerisciIndizio_Click() {
    if (!ComandoDiComposizione()) return;
    const AvvisoRicerca avviso(*this); // keys wait: the clues stay as they are
    std::optional<Proposta> proposta = Verif(true).Suggerisci(Comp.S);
    if (!InComposizione || m.TempoScaduto == 1) return;
    PropostaComposizione = proposta;
    MostraComposizione();
    if (!proposta)
        p.ImpostaTesto(controlli::Label2,
                       EsitoComposizione && EsitoComposizione->Stato == StatoVerifica::Multiple
                           ? "Nessun indizio spostato riduce le soluzioni"
                           : "Nessun indizio da proporre: serve uno schema con più soluzioni");
}

void Form1::mnuVerificaMinimalita_Click() {
    if (!ComandoDiComposizione()) return;
    const AvvisoRicerca avviso(*this);
    const Schema& s = Comp.S;
    EsitoVerifica e = Verif(true).Verifica(s, {.Livello = true, .Minimale = true});
    if (!InComposizione || e.Stato == StatoVerifica::Interrotta) return;
    EsitoComposizione = e;
    MostraComposizione();
    if (e.Stato != StatoVerifica::Unica) return;
    std::string testo = e.Rimovibili.empty()
                            ? "Schema minimo: togliendo un indizio qualsiasi le soluzioni sono più "
                              "di una o nessuna"
                            : TestoQuanti(static_cast<long>(e.Rimovibili.size()),
                                          "indizio si può togliere", "indizi si possono togliere") +
                                  " restando con una sola soluzione (in verde):";
    for (int i : e.Rimovibili) {
        const Indizio& d = s.Isole[static_cast<size_t>(i)];
        testo += " " + std::to_string(d.Num) + " in " + TestoPosto(d.Riga, d.Colonna) + ";";
    }
    if (!e.Rimovibili.empty()) testo.pop_back();
    p.ImpostaTesto(controlli::Label2, testo);
}

void Form1::mnuFineComposizione_Click() {
    if (!InComposizione) return;
    const Schema s = Comp.S;
    if (const std::string no = ValidaSchema(s); !no.empty()) {
        p.Messaggio("Lo schema composto non si può ancora giocare: " + no, Pulsanti::Ok,
                    Icona::Avviso);
        return;
    }
    const bool unica = EsitoComposizione && EsitoComposizione->Stato == StatoVerifica::Unica;
    if (!unica && p.Messaggio(EsitoComposizione ? "Lo schema composto non ha una sola soluzione (" +
                                                      TestoVerifica(*EsitoComposizione) +
                                                      "). Terminare comunque la composizione?"
                                                : "La verifica dello schema composto non è finita. "
                                                  "Terminare comunque la composizione?",
                              Pulsanti::SiNo, Icona::Avviso) != Risposta::Si)
        return;
    const Risposta salva = p.Messaggio("Salvare lo schema composto?", Pulsanti::SiNoAnnulla);
    if (salva == Risposta::Annulla) return;
    EsitoLettura e;
    e.Letto.S = s;
    if (unica) {
        e.Letto.Soluzione = EsitoComposizione->Soluzione;
        e.Letto.HaSoluzione = true;
    }
    TerminaComposizione();
    if (!Carica(e)) return;
    p.ImpostaTesto(controlli::Label2, unica ? TestoVerifica(*EsitoComposizione) : "");
    if (salva == Risposta::Si) SalvaConNome();
}

} // namespace isolmar
