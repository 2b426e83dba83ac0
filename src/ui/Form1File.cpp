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
constexpr const char* FiltriSalva = "Schema e partita (XML)|*.xml|Schema e partita (pzprv3)|*.pzpr|"
                                    "Solo schema e soluzione (testo)|*.txt";

bool TienePartita(FormaSchema f) {
    return f == FormaSchema::Xml || f == FormaSchema::Pzprv3;
}

// The extension of a file name, dot included; "" when it has none.
std::string Estensione(const std::string& percorso) {
    const size_t punto = percorso.find_last_of('.'), barra = percorso.find_last_of('/');
    if (punto == std::string::npos || (barra != std::string::npos && punto < barra) ||
        punto == (barra == std::string::npos ? 0 : barra + 1))
        return {};
    return percorso.substr(punto);
}

std::string SenzaEstensione(const std::string& percorso) {
    return percorso.substr(0, percorso.size() - Estensione(percorso).size());
}

// A name without extension gets the first one of filter entry "scelto" (0 when out of range).
std::string ConEstensione(const std::string& percorso, const std::string& filtro, int scelto) {
    if (!Estensione(percorso).empty()) return percorso;
    std::vector<std::string> parti;
    for (size_t i = 0, j; i <= filtro.size(); i = j + 1) {
        j = std::min(filtro.find('|', i), filtro.size());
        parti.push_back(filtro.substr(i, j - i));
    }
    const size_t voci = parti.size() / 2;
    const size_t k = scelto >= 0 && static_cast<size_t>(scelto) < voci ? scelto : 0;
    if (voci == 0) return percorso;
    const std::string& modelli = parti[2 * k + 1]; // "*.xml;*.txt"
    const size_t stella = modelli.find("*."), fine = modelli.find(';');
    return stella == std::string::npos ? percorso
                                       : percorso + modelli.substr(stella + 1, fine - stella - 1);
}

std::string TestoNellaForma(const Modello& m, FormaSchema forma) {
    return forma == FormaSchema::Pzprv3  ? ScriviPzprv3(m)
           : forma == FormaSchema::Testo ? ScriviTesto(m)
                                         : ScriviXml(m);
}

FormaSchema FormaDelNome(const std::string& percorso) {
    std::string e = Estensione(percorso);
    for (char& c : e)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return e == ".pzpr" ? FormaSchema::Pzprv3 : e == ".txt" ? FormaSchema::Testo : FormaSchema::Xml;
}

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
    TerminaComposizione();
    ApplicaSchema(m, e.Letto.S);
    VerificaTutteTessere(m, p);
    // Nothing of the previous puzzle's solutions may be taken for this one's.
    m.NumSol = 0;
    m.Tblsol.Azzera();
    InizializzaSchema(m, Gr, p);
    InizializzaTblGioco(m, gr2);
    Ris.SalvaEleInsvele();
    AggiornaComandiSchema(); // also when loaded outside a command: the command line, a recent file
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
    // A position read from a file holds the player's work without any move.
    for (int r = 1; r <= m.NumRighe && e.Letto.HaPosizione && !posizioneCaricata_; ++r)
        for (int c = 1; c <= C && !posizioneCaricata_; ++c)
            posizioneCaricata_ = m.TblGioco(r, c) != 0 &&
                                 CellaDim(static_cast<uint8_t>(r), static_cast<uint8_t>(c)) < 1;
    FileSchema.clear(); // a new puzzle; opening a file names it and clears DaSalvare
    ImpostaDaSalvare(true);
    return true;
}

bool Form1::CaricaSchema(const Schema& s) {
    EsitoLettura e;
    e.Letto.S = s;
    return Carica(e);
}

bool Form1::ApriFile(const std::string& percorso) {
    EsitoLettura e = LeggiSorgente(percorso);
    const FormaSchema letta = e.Letto.Forma;
    if (!Carica(e)) return false;
    // A puzz.link URL given in place of a file (the command line, a browser's "open with") has
    // no folder and is a new puzzle.
    if (SembraLink(percorso) && !PercorsoDiFile(percorso)) {
        CartellaSchema.clear();
        return true;
    }
    CartellaSchema = CartellaDi(percorso);
    FileSchema = percorso;
    FormaFile = letta;
    ImpostaDaSalvare(false);
    p.FileUsato(percorso);
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
    SalvaConNome(FiltroPzpr);
}

void Form1::CommandSalva_Click() {
    if (!HaSchema(p, m)) return;
    const std::string nome = p.InputBox(
        "Salva l'elenco breve degli indizi (righe e colonne, poi riga, colonna e numero di ogni "
        "isola), per altri programmi: non è una partita e Isolmar non lo riapre.\n"
        "Per salvare la partita usa Salva (Ctrl+S).\n\nNome del file:",
        "atmp.txt");
    if (nome.empty()) return; // cancelled
    // An installed program's folder is not writable: the file goes beside the current puzzle's
    // file, or among the user's documents.
    const std::string cartella = CartellaSchema.empty() ? p.CartellaDocumenti() : CartellaSchema;
    const std::string percorso = nome.front() == '/' ? nome : cartella + "/" + nome;
    if (Scrivi(p, percorso, ScriviTestoBreve(m)))
        p.ImpostaTesto(controlli::Label2, "Elenco degli indizi salvato in " + percorso);
}

void Form1::CmdSalvaxml_Click() {
    SchemaSalvato = Falso;
    if (!HaSchema(p, m)) return;
    if (FileSchema.empty() || !TienePartita(FormaFile)) return SalvaConNome();
    SalvaIn(FileSchema, FormaFile);
}

void Form1::SalvaConNome() {
    SalvaConNome(FiltriSalva);
}

std::string Form1::ChiediNomeFile(const std::string& filtro) {
    // The dialog starts at the current file, under a name of the form it will be saved in.
    std::string proposto = CartellaSchema.empty() ? p.CartellaDocumenti() : CartellaSchema;
    if (!FileSchema.empty()) proposto = ConEstensione(SenzaEstensione(FileSchema), filtro, 0);
    int scelto = 0;
    const std::string percorso = p.DialogoSalva(filtro, proposto, &scelto);
    return percorso.empty() ? percorso : ConEstensione(percorso, filtro, scelto);
}

void Form1::SalvaConNome(const std::string& filtro) {
    SchemaSalvato = Falso;
    if (!HaSchema(p, m)) return;
    if (const std::string percorso = ChiediNomeFile(filtro); !percorso.empty())
        SalvaIn(percorso, FormaDelNome(percorso));
}

void Form1::SalvaCopiaConNome() {
    SchemaSalvato = Falso;
    if (!HaSchema(p, m)) return;
    const std::string percorso = ChiediNomeFile(FiltriSalva);
    if (!percorso.empty() && Scrivi(p, percorso, TestoNellaForma(m, FormaDelNome(percorso))))
        SchemaSalvato = Vero;
}

void Form1::SalvaIn(const std::string& percorso, FormaSchema forma) {
    // On a failed write nothing was written over the old file; a close waiting on this save is
    // cancelled.
    if (!Scrivi(p, percorso, TestoNellaForma(m, forma))) return;
    SchemaSalvato = Vero;
    CartellaSchema = CartellaDi(percorso);
    FileSchema = percorso;
    FormaFile = forma;
    // The text form keeps the puzzle and its solution, not the player's board.
    ImpostaDaSalvare(!TienePartita(forma) && m.NumMosseGioco > 0);
    p.FileUsato(percorso);
    p.ImpostaTesto(controlli::Label2, "Salvato in " + percorso);
}

std::string Form1::NomeSchema() const {
    const size_t barra = FileSchema.find_last_of('/');
    return FileSchema.empty()           ? "Senza nome"
           : barra == std::string::npos ? FileSchema
                                        : FileSchema.substr(barra + 1);
}

std::string Form1::Titolo() const {
    if (m.NumEle == 0 && !InComposizione) return "Isolmar";
    return (DaSalvare ? "*" : "") + NomeSchema() + " — Isolmar";
}

void Form1::ImpostaDaSalvare(bool daSalvare) {
    DaSalvare = daSalvare;
    p.ImpostaTitolo(Titolo());
}

} // namespace isolmar
