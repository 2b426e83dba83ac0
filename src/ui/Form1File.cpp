// Form1: opening, pasting and saving puzzles.
#include "io/Letture.h"
#include "io/PuzzLink.h"
#include "model/Impostazione.h"
#include "solver/Tessere.h"
#include "ui/Form1.h"

namespace isolmar {

namespace {
constexpr const char* Filtro = "File NURIKABE|*.txt;*.xml;*.pzpr";
constexpr const char* FiltroPzpr = "File pzprv3|*.pzpr";
constexpr const char* TestoScritturaFallita = "Impossibile scrivere il file";
constexpr const char* TestoNessunoSchema = "Nessuno schema da salvare";

std::string CartellaDi(const std::string& percorso) {
    const size_t barra = percorso.find_last_of('/');
    return barra == std::string::npos ? "." : barra == 0 ? "/" : percorso.substr(0, barra);
}

// False, with the message shown, when the board holds no puzzle to save or share.
bool HaSchema(Piattaforma& p, const Modello& m) {
    if (m.NumEle == 0) p.Messaggio(TestoNessunoSchema, Pulsanti::Ok, Icona::Avviso);
    return m.NumEle != 0;
}

// Writes a file; on failure shows why and returns false (the old file is intact).
bool Scrivi(Piattaforma& p, const std::string& percorso, std::string_view dati) {
    std::string motivo;
    if (ScriviFileSicuro(percorso, dati, &motivo)) return true;
    p.Messaggio(std::string(TestoScritturaFallita) + "\n" + percorso + ": " + motivo, Pulsanti::Ok,
                Icona::Errore);
    return false;
}
} // namespace

bool Form1::Carica(const EsitoLettura& e) {
    if (!e.Ok()) {
        p.Messaggio(e.Testo(), Pulsanti::Ok, Icona::Errore);
        return false;
    }
    ApplicaSchema(m, e.Letto.S);
    VerificaTutteTessere(m, p);
    // Nothing of the previous puzzle's solutions may be taken for this one's.
    m.NumSol = 0;
    m.Tblsol.Azzera();
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
    p.ImpostaVisibile(controlli::CommandVisgioco, false);
    p.ImpostaTesto(controlli::Label2, "");
    InVisSoluzione = Falso;
    AggiornaAiuto();
    NuovaPartita();
    DaSalvare = true; // a new puzzle; opening a file clears it again
    return true;
}

bool Form1::CaricaSchema(const Schema& s) {
    EsitoLettura e;
    e.Letto.S = s;
    return Carica(e);
}

bool Form1::ApriFile(const std::string& percorso) {
    if (!Carica(LeggiSorgente(percorso))) return false;
    // A puzz.link URL given in place of a file (the command line, a browser's "open with") has
    // no folder and is a new puzzle.
    if (SembraLink(percorso) && !PercorsoDiFile(percorso)) {
        CartellaSchema.clear();
        return true;
    }
    CartellaSchema = CartellaDi(percorso);
    DaSalvare = false;
    return true;
}

void Form1::CommandLoadXmL_Click() {
    const std::string percorso = p.DialogoApri(Filtro);
    if (!percorso.empty()) ApriFile(percorso);
}

void Form1::IncollaSchema() {
    // Bounded like a file: a huge text (a spreadsheet copied by mistake) is refused before it
    // is read whole.
    const std::string testo = p.TestoAppunti(MaxByteFile);
    if (testo.size() > MaxByteFile)
        Carica(EsitoLettura{TestoAppuntiErrati,
                            "Il testo negli appunti è troppo grande (più di " +
                                std::to_string(MaxByteFile / 1024) + " KiB): non è uno schema",
                            {}});
    else
        Carica(LeggiIncollato(testo));
}

void Form1::mnuCopiaLink_Click() {
    if (!HaSchema(p, m)) return;
    p.ImpostaAppunti(ScriviLink(SchemaDa(m)));
    p.ImpostaTesto(controlli::Label2, "Link copiato negli appunti");
}

void Form1::mnuSalvaPzpr_Click() {
    if (!HaSchema(p, m)) return;
    const std::string percorso = p.DialogoSalva(FiltroPzpr);
    if (!percorso.empty() && Scrivi(p, percorso, ScriviPzprv3(m)))
        p.ImpostaTesto(controlli::Label2, "Salvato in " + percorso);
}

void Form1::CommandSalva_Click() {
    if (!HaSchema(p, m)) return;
    const std::string nome = p.InputBox("nome", "atmp.txt");
    if (nome.empty()) return; // cancelled
    // An installed program's folder is not writable: the file goes beside the current puzzle's
    // file, or among the user's documents.
    const std::string cartella = CartellaSchema.empty() ? p.CartellaDocumenti() : CartellaSchema;
    const std::string percorso = nome.front() == '/' ? nome : cartella + "/" + nome;
    if (Scrivi(p, percorso, ScriviTestoBreve(m)))
        p.ImpostaTesto(controlli::Label2, "Salvato in " + percorso);
}

void Form1::CmdSalvaxml_Click() {
    SchemaSalvato = Falso;
    if (!HaSchema(p, m)) return;
    const std::string percorso = p.DialogoSalva(Filtro);
    // On a failed write nothing was written over the old file; a close waiting on this save is
    // cancelled.
    if (percorso.empty() || !Scrivi(p, percorso, ScriviXml(m))) return;
    SchemaSalvato = Vero;
    DaSalvare = false;
    CartellaSchema = CartellaDi(percorso);
}

} // namespace isolmar
