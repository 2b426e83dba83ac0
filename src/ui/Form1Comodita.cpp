// Form1: the comfort of play. "Solved" said once per game, the game's clock, the rule errors and
// island dots on the board, the whole-board check, redo, drag painting, the keyboard cursor, the
// "Nuovo schema" dialog, the label of a running search and the files an install puts under
// share/isolmar.
#include "generator/Livello.h"
#include "model/Impostazione.h"
#include "model/Schema.h"
#include "ui/ErroriGioco.h"
#include "ui/Form1.h"
#include "ui/Testi.h"
#include "view/Etichette.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <thread>

namespace isolmar {

namespace {

constexpr const char* TestoRicercaInCorso = "Ricerca in corso… (Esc per interrompere)";

std::string Conta(int n, const char* uno, const char* molti) {
    return TestoNumero(n) + " " + (n == 1 ? uno : molti);
}

// "m:ss", or "h:mm:ss" from an hour on.
std::string Durata(double secondi) {
    const long s = std::lround(std::max(0.0, secondi));
    auto due = [](long n) { return (n < 10 ? "0" : "") + TestoNumero(n); };
    return s >= 3600 ? TestoNumero(s / 3600) + ":" + due(s / 60 % 60) + ":" + due(s % 60)
                     : TestoNumero(s / 60) + ":" + due(s % 60);
}

} // namespace

std::string PercorsoRisorsa(const Piattaforma& p, const std::string& nome) {
    const std::string accanto = p.CartellaProgramma() + "/" + nome;
    const std::string installato = p.CartellaProgramma() + "/../share/isolmar/" + nome;
    return !p.EsisteFile(accanto) && p.EsisteFile(installato) ? installato : accanto;
}

std::string ScorciatoiaBarra(const std::string& chiave) {
    static const std::pair<const char*, const char*> tasti[] = {
        {"Apri", "Ctrl+O"}, {"Salva", "Ctrl+S"},  {"Incolla", "Ctrl+V"},
        {"Undo", "Ctrl+Z"}, {"Uscita", "Ctrl+Q"},
    };
    for (const auto& [k, t] : tasti)
        if (chiave == k) return t;
    return "";
}

double ZoomMinimoPer(int righe, int colonne) {
    const int lato = std::max(righe, colonne);
    return lato <= 40 ? ZoomMinimo : ZoomMinimo * 40 / lato;
}

double ZoomAdatto(double larghezza, double altezza, double spazioL, double spazioA, double minimo) {
    if (larghezza <= 0 || altezza <= 0) return 1;
    return std::clamp(std::min(spazioL / larghezza, spazioA / altezza), minimo, ZoomMassimo);
}

// ---- A running search says so -----------------------------------------------------------------

Form1::AvvisoRicerca::AvvisoRicerca(Form1& f) : f_(f) {
    if (f_.avvisi_++ > 0) return;
    prima_ = f_.p.Testo(controlli::Label2);
    f_.p.ImpostaTesto(controlli::Label2, TestoRicercaInCorso);
    f_.p.CursoreOccupato(true);
}

Form1::AvvisoRicerca::~AvvisoRicerca() {
    if (--f_.avvisi_ > 0) return;
    if (f_.p.Testo(controlli::Label2) == TestoRicercaInCorso)
        f_.p.ImpostaTesto(controlli::Label2, prima_);
    f_.p.CursoreOccupato(false);
}

// ---- The game ---------------------------------------------------------------------------------

void Form1::NuovaPartita() {
    inizioPartita_ = p.Orologio();
    pausa_ = 0;
    tempoFinale_ = -1;
    if (pausaDa_ >= 0) pausaDa_ = inizioPartita_;
    risoltoDetto_ = false;
    MosseAnnullate.clear();
    trascina_ = -1;
    CursoreRiga = CursoreColonna = 1;
    posizioneCaricata_ = false;
}

bool Form1::SchemaRisolto() const {
    std::string celle;
    celle.reserve(static_cast<size_t>(m.NumRighe * m.NumColonne));
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            const uint8_t v = m.TblGioco(r, c);
            if (v != 1 && v != 2) return false; // an undecided cell is no wall yet
            celle += v == 1 ? '1' : '0';
        }
    return m.NumEle > 0 && RisolveSchema(SchemaDa(m), celle);
}

double Form1::TempoGioco() {
    if (tempoFinale_ >= 0) return tempoFinale_;
    const double ora = pausaDa_ >= 0 ? pausaDa_ : p.Orologio();
    return std::max(0.0, SecondiTrascorsi(inizioPartita_, ora) - pausa_);
}

void Form1::PausaGioco(bool pausa) {
    if (pausa == (pausaDa_ >= 0)) return;
    if (pausa) {
        pausaDa_ = p.Orologio();
    } else {
        pausa_ += SecondiTrascorsi(pausaDa_, p.Orologio());
        pausaDa_ = -1;
    }
}

std::string Form1::TestoOrologio() {
    if (m.NumEle == 0 || InComposizione) return "";
    return Durata(TempoGioco()) + " · " + Conta(m.NumMosseGioco, "mossa", "mosse");
}

void Form1::CambiaMostraErrori() {
    MostraErrori = !MostraErrori;
    if (!InVisSoluzione) AggiornaSegni();
}

void Form1::AggiornaSegni() {
    if (m.NumEle == 0 || Gr.Righe() != m.NumRighe + 1 || Gr.Colonne() != m.NumColonne + 1) return;
    std::string celle;
    celle.reserve(static_cast<size_t>(m.NumRighe * m.NumColonne));
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            celle += static_cast<char>('0' + std::min<int>(m.TblGioco(r, c), 3));
    std::vector<uint16_t> segniCelle =
        MostraErrori ? ErroriGioco(SchemaDa(m), celle) : std::vector<uint16_t>(celle.size(), 0);
    for (size_t i = 0; i < celle.size(); ++i)
        if (celle[i] == '1') segniCelle[i] |= segni::Punto;
    for (int i = 1; i <= m.NumEle; ++i) // a clue cell shows its number, no dot
        segniCelle[static_cast<size_t>((m.Ele[i].Riga - 1) * m.NumColonne + m.Ele[i].Colonna -
                                       1)] &= static_cast<uint16_t>(~segni::Punto);
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            Gr.Seleziona(r, c);
            Gr.ImpostaSegni(segniCelle[static_cast<size_t>((r - 1) * m.NumColonne + c - 1)]);
        }
    if (Gr.Ridisegno()) Gr.Aggiorna();
}

void Form1::DopoMossa() {
    if (!DaSalvare) ImpostaDaSalvare(true);
    AggiornaSegni();
    if (risoltoDetto_ || !SchemaRisolto()) return;
    risoltoDetto_ = true;
    const double t = TempoGioco();
    tempoFinale_ = t;
    const std::string testo =
        "Schema risolto! " + Conta(m.NumMosseGioco, "mossa", "mosse") + " in " + Durata(t);
    p.ImpostaTesto(controlli::Label2, testo);
    // The box opens once the event that made the last move has returned (a drag may be on).
    p.TimerUnaVolta(0, [this, testo] { p.Messaggio(testo, Pulsanti::Ok); });
}

bool Form1::ImpostaCella(uint8_t riga, uint8_t colonna, uint8_t codice) {
    const uint8_t v = m.TblGioco(riga, colonna);
    if (v == codice) return false;
    RegistraMossa(riga, colonna, (v + 1) % 3 == codice ? 1 : 2);
    return true;
}

void Form1::RipetiMossa() {
    if (MosseAnnullate.empty()) return;
    RiprendiGioco();
    const MossaGioco mo = MosseAnnullate.back();
    MosseAnnullate.pop_back();
    const int32_t k = ++m.NumMosseGioco;
    if (static_cast<size_t>(k) >= m.MosseGioco.size()) m.MosseGioco.resize(2 * k);
    m.MosseGioco[k] = mo;
    AggiornaGioco(mo.Tasto, mo.Riga, mo.Colonna);
    // The rest of a move over several cells (a hint applied).
    while (!MosseAnnullate.empty() && MosseAnnullate.back().Insieme == 1) {
        const int32_t j = ++m.NumMosseGioco;
        if (static_cast<size_t>(j) >= m.MosseGioco.size()) m.MosseGioco.resize(2 * j);
        m.MosseGioco[j] = MosseAnnullate.back();
        MosseAnnullate.pop_back();
        const MossaGioco& x = m.MosseGioco[m.NumMosseGioco];
        AggiornaGioco(x.Tasto, x.Riga, x.Colonna);
    }
    DopoMossa();
}

// Names everything a restart clears, so that nothing goes without the player knowing.
bool Form1::ConfermaRicomincia() {
    std::vector<std::string> parti;
    if (m.NumMosseGioco > 0) parti.push_back(Conta(m.NumMosseGioco, "mossa", "mosse"));
    if (gr2.Colonne() > 1) parti.push_back(Conta(gr2.Colonne() - 1, "fotografia", "fotografie"));
    int marcate = 0;
    for (int i = 1; i <= m.NumEle; ++i)
        marcate += m.Ele[i].Marcata == 1;
    if (marcate > 0)
        parti.push_back((marcate == 1 ? "il segno su " : "i segni su ") +
                        Conta(marcate, "isola", "isole"));
    if (posizioneCaricata_) parti.push_back("la posizione caricata dal file");
    if (parti.empty()) return true;
    std::string elenco = parti[0];
    for (size_t k = 1; k < parti.size(); ++k)
        elenco += (k + 1 == parti.size() ? " e " : ", ") + parti[k];
    return p.Messaggio("Ricominciare da capo cancella " + elenco + ". Continuare?",
                       Pulsanti::SiNo) == Risposta::Si;
}

// ---- Drag painting and keys -------------------------------------------------------------------

void Form1::Gr_MouseMove() {
    if (trascina_ < 0) return;
    const int r1 = Gr.MouseRiga, c1 = Gr.MouseColonna;
    if (r1 < 1 || c1 < 1 || r1 > m.NumRighe || c1 > m.NumColonne) return;
    if (r1 == rigaTrascina_ && c1 == colonnaTrascina_) return;
    Esegui([&] {
        // Every cell on the line from the last cell reached: a quick drag skips none.
        const int r0 = rigaTrascina_, c0 = colonnaTrascina_;
        const int passi = std::max(std::abs(r1 - r0), std::abs(c1 - c0));
        bool cambiata = false;
        for (int i = 1; i <= passi; ++i) {
            const auto r = static_cast<uint8_t>(r0 + std::lround(double(r1 - r0) * i / passi));
            const auto c = static_cast<uint8_t>(c0 + std::lround(double(c1 - c0) * i / passi));
            if (CellaDim(r, c) < 1 && ImpostaCella(r, c, static_cast<uint8_t>(trascina_)))
                cambiata = true;
        }
        rigaTrascina_ = r1;
        colonnaTrascina_ = c1;
        if (cambiata) DopoMossa();
    });
}

void Form1::Gr_MouseUp() {
    trascina_ = -1;
}

bool Form1::Tavola_KeyDown(TastoGioco t) {
    if ((m.NumEle == 0 && !InComposizione) || !Gr.Visibile || InElaborazione()) return false;
    Esegui([&] {
        if (t != TastoGioco::Avanti) Comp.FineNumero();
        int& r = CursoreRiga;
        int& c = CursoreColonna;
        r = std::clamp(r, 1, int{m.NumRighe});
        c = std::clamp(c, 1, int{m.NumColonne});
        CursoreVisibile = true;
        switch (t) {
        case TastoGioco::Su:
            r = std::max(1, r - 1);
            break;
        case TastoGioco::Giu:
            r = std::min(int{m.NumRighe}, r + 1);
            break;
        case TastoGioco::Sinistra:
            c = std::max(1, c - 1);
            break;
        case TastoGioco::Destra:
            c = std::min(int{m.NumColonne}, c + 1);
            break;
        case TastoGioco::Avanti: // as a left click
            Gr.MouseRiga = r;
            Gr.MouseColonna = c;
            ClicCella(1, true);
            trascina_ = -1;
            break;
        default:
            if (InComposizione) { // Delete clears the clue; marking keys are for play
                if (t == TastoGioco::Indeciso) ComponiSuCursore(-1);
                break;
            }
            RiprendiGioco();
            if (CellaDim(static_cast<uint8_t>(r), static_cast<uint8_t>(c)) > 0) break;
            if (ImpostaCella(static_cast<uint8_t>(r), static_cast<uint8_t>(c),
                             t == TastoGioco::Isola  ? 1
                             : t == TastoGioco::Muro ? 2
                                                     : 0))
                DopoMossa();
        }
        Gr.Aggiorna();
    });
    return true;
}

// ---- The whole-board check --------------------------------------------------------------------

void Form1::VerificaSchema() {
    if (m.NumEle == 0) return;
    RiprendiGioco();
    if (!VerificaPrimaSoluzione()) return;
    const bool risolto = SchemaRisolto();
    int sbagliate = 0, indecise = 0;
    Gr.ImpostaRidisegno(false);
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            const uint8_t v = m.TblGioco(r, c);
            if (v == 0) {
                ++indecise;
            } else if (!risolto && (v == 1) != (m.Tblsol(1, r, c) == 1)) {
                ++sbagliate;
                Gr.Seleziona(r, c);
                Gr.ImpostaStato(StatoCella::Sbagliata);
            }
        }
    Gr.ImpostaRidisegno(true);
    // The red cells stay until the next click puts the game back.
    if (sbagliate > 0) InVisSoluzione = Vero;
    p.ImpostaTesto(controlli::Label2,
                   sbagliate > 0  ? Conta(sbagliate, "cella sbagliata", "celle sbagliate")
                   : indecise > 0 ? "Nessuna cella sbagliata; " +
                                        Conta(indecise, "cella da decidere", "celle da decidere")
                                  : std::string("Nessuna cella sbagliata"));
}

// ---- "Nuovo schema" ---------------------------------------------------------------------------

void Form1::CommandNuovo_Click() {
    std::vector<CampoNumero> campi = {
        {"Righe", NuovoRighe, 2, MaxRighe, ""},
        {"Colonne", NuovoColonne, 2, MaxRighe, ""},
        {"Isola più grande", NuovoIsolaMax, 1, 7, ""},
        {"Livello", NuovoLivello, -1, MaxLivelloRichiesto, "qualsiasi"},
        {"Simmetria", NuovaSimmetria, 0, 2, "", {"nessuna", "rotazione (180°)", "specchio"}},
        {"Indizi", NuovoMinimo, 0, 1, "", {"tutti quelli generati", "solo i necessari"}}};
    if (!p.ChiediNumeri("Nuovo schema", campi)) return;
    for (CampoNumero& k : campi)
        k.Valore = std::clamp(k.Valore, k.Minimo, k.Massimo);
    NuovoRighe = campi[0].Valore;
    NuovoColonne = campi[1].Valore;
    NuovoIsolaMax = campi[2].Valore;
    NuovoLivello = campi[3].Valore;
    NuovaSimmetria = campi[4].Valore;
    NuovoMinimo = campi[5].Valore;
    if (ChiediSeSalvare()) return;
    // The looks asked stay for "Genera schema" too: the largest clue is as large as allowed,
    // clues may come in pairs, and only the clues needed stay.
    Gen.Simm = static_cast<Simmetria>(NuovaSimmetria);
    // A largest clue of 5 is reached in about a second up to 13 x 13 but takes ten on 14 x 14
    // and is not reached in minutes on 15 x 15: larger boards settle for 4.
    Gen.MinMaggiore =
        NuovoRighe * NuovoColonne <= 13 * 13 ? NuovoIsolaMax : std::min(NuovoIsolaMax, 4);
    Gen.Minimo = NuovoMinimo == 1;
    if (NuovoLivello >= 0) {
        GeneraALivelloScelto();
        return;
    }
    const uint8_t righe = m.NumRighe, colonne = m.NumColonne, isola = m.DimMaxIsola;
    m.NumRighe = static_cast<uint8_t>(NuovoRighe);
    m.NumColonne = static_cast<uint8_t>(NuovoColonne);
    m.DimMaxIsola = static_cast<uint8_t>(NuovoIsolaMax);
    if (CommandGenera_Click()) return;
    // Nothing came of it: the previous puzzle is back, at its own size.
    m.NumRighe = righe;
    m.NumColonne = colonne;
    m.DimMaxIsola = isola;
    DimensionaTabelle(m);
}

bool Form1::GeneraALivelloScelto() {
    const AvvisoRicerca avviso(*this);
    m.TempoScaduto = 0;
    RichiestaLivello r;
    r.Righe = NuovoRighe;
    r.Colonne = NuovoColonne;
    r.IsolaMax = NuovoIsolaMax;
    r.Livello = NuovoLivello;
    r.Simm = Gen.Simm;
    r.MinMaggiore = Gen.MinMaggiore;
    r.Minimo = Gen.Minimo;
    r.Seme = Gen.ProssimoSeme();
    // Candidates are generated and rated beside the window, which keeps answering (Esc stops).
    r.Lavori = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4);
    r.Attesa = [this] {
        p.Cedi();
        return m.TempoScaduto == 1;
    };
    const double inizio = p.Orologio();
    p.ImpostaTesto(controlli::Label2, "Generazione di uno schema di livello " +
                                          TestoNumero(NuovoLivello) + "… (Esc per interrompere)");
    std::optional<SchemaLivello> trovato;
    const EsitoLivello e = GeneraALivello(r, [&](const SchemaLivello& s) { trovato = s; });
    if (!trovato) {
        p.ImpostaTesto(controlli::Label2, e.Interrotta       ? "Generazione interrotta"
                                          : e.Errore.empty() ? ""
                                                             : e.Errore);
        return false;
    }
    EsitoLettura letto;
    letto.Letto.S = trovato->S;
    letto.Letto.Soluzione = trovato->Soluzione;
    letto.Letto.HaSoluzione = true;
    if (!Carica(letto)) return false;
    p.ImpostaTesto(controlli::Label1,
                   TestoDurata(SecondiTrascorsi(inizio, p.Orologio())) + ", " +
                       TestoQuanti(trovato->Candidati, "candidato", "candidati"));
    p.ImpostaTesto(controlli::Label2, "Schema di livello " + TestoNumero(trovato->Livello));
    return true;
}

} // namespace isolmar
