// Form1: opening, pasting and saving puzzles.
#include "io/Letture.h"
#include "model/Impostazione.h"
#include "solver/Tessere.h"
#include "ui/Form1.h"

namespace isolmar {

namespace {
constexpr const char* Filtro = "File NURIKABE|*.txt;*.xml";
constexpr const char* TestoScritturaFallita = "Impossibile scrivere il file";
} // namespace

bool Form1::Carica(const EsitoLettura& e) {
    if (!e.Ok()) {
        p.Messaggio(e.Errore, Pulsanti::Ok);
        return false;
    }
    ApplicaSchema(m, e.Letto.S);
    VerificaTutteTessere(m, p);
    m.NumSol = 0;
    InizializzaSchema(m, Gr, p);
    InizializzaTblGioco(m, gr2);
    Ris.SalvaEleInsvele();
    const int C = m.NumColonne;
    auto cella = [&](const std::string& s, int r, int c) {
        return s[static_cast<size_t>((r - 1) * C + (c - 1))];
    };
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= C; ++c) {
            if (e.Letto.HaPosizione)
                m.TblGioco(r, c) = static_cast<uint8_t>(cella(e.Letto.Posizione, r, c) - '0');
            if (e.Letto.HaSoluzione)
                m.Tblsol(1, r, c) = cella(e.Letto.Soluzione, r, c) == '1' ? 1 : 0;
        }
    if (e.Letto.HaSoluzione) m.NumSol = 1;
    VisualizzaTblGioco();
    SpegniBottoniPiuMeno();
    p.ImpostaVisibile("CommandVisgioco", false);
    p.ImpostaTesto("Label2", "");
    InVisSoluzione = Falso;
    AggiornaAiuto();
    return true;
}

bool Form1::CaricaSchema(const Schema& s) {
    EsitoLettura e;
    e.Letto.S = s;
    return Carica(e);
}

bool Form1::ApriFile(const std::string& percorso) {
    std::string dati;
    if (!LeggiFile(percorso, dati)) return Carica(EsitoLettura{TestoFileErrato, "", {}});
    return Carica(PrimaRigaXml(dati) ? LeggiXml(dati) : LeggiTesto(Righe(dati)));
}

void Form1::CommandLoadXmL_Click() {
    const std::string percorso = p.DialogoApri(Filtro);
    if (!percorso.empty()) ApriFile(percorso);
}

void Form1::IncollaSchema() {
    Carica(LeggiAppunti(p.TestoAppunti()));
}

void Form1::CommandSalva_Click() {
    const std::string nome = p.InputBox("nome", "atmp.txt");
    if (nome.empty()) return; // cancelled
    const std::string percorso = p.CartellaProgramma() + "/" + nome;
    if (!ScriviFileSicuro(percorso, ScriviTestoBreve(m)))
        p.Messaggio(TestoScritturaFallita, Pulsanti::Ok);
}

void Form1::CmdSalvaxml_Click() {
    const std::string percorso = p.DialogoSalva(Filtro);
    if (percorso.empty()) {
        SchemaSalvato = Falso;
        return;
    }
    SchemaSalvato = Vero;
    if (!ScriviFileSicuro(percorso, ScriviXml(m))) {
        // Nothing was written over the old file; a close waiting on this save is cancelled.
        SchemaSalvato = Falso;
        p.Messaggio(TestoScritturaFallita, Pulsanti::Ok);
    }
}

} // namespace isolmar
