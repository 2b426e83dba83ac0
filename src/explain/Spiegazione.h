// The explanation engine: it solves a puzzle the way a person does, from the player's marks,
// with five direct rules and, when they stall, hypotheses over one to five islands at once. Every
// conclusion goes to a Relatore (msgLog); the deepest hypothesis needed is the difficulty level.
// It works on the solver's tables through the solver's own procedures (placing shapes, blocking
// placements, the wall checks) and never touches the player's board TblGioco.
#pragma once

#include "model/Modello.h"
#include "solver/Risolutore.h"
#include "view/Piattaforma.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace isolmar {

// One conclusion as msgLog receives it.
struct Conclusione {
    CodiceLog Codice{};
    int Riga = 0, Colonna = 0; // the cell; for II3 the island's clue cell
    // The island: its index in Ele (direct rules) or its depth in the combination (hypotheses);
    // 0 for the rules that name none (NRG, MUR, ISO).
    int Isola = 0;
    int RigaIsola = 0, ColonnaIsola = 0; // its clue cell, 0 when none
    int Livello = 0;                     // 0 direct rule, 1..5 the combination's size
};

class Spiegazione;

// Where the conclusions go: the log window, or a silent or recording stand-in.
class Relatore {
  public:
    virtual ~Relatore() = default;
    // Called once per conclusion; 2 stops the run, any other answer lets it go on. A hypothesis
    // conclusion is reported before it is applied, so that its failure records can still be
    // collected (Spiegazione::RigheMessaggio).
    virtual int msgLog(Spiegazione& s, const Conclusione& c) = 0;
    // Mode 2 of the exploration: the first failure of a kind, heading and reason joined by a
    // line break, while the failed configuration is on the board.
    virtual void MostraFallimento(Spiegazione&, const std::string&) {}
};

// Rating: shows nothing, answers 1.
class RelatoreMuto : public Relatore {
  public:
    int msgLog(Spiegazione&, const Conclusione&) override { return 1; }
};

// Keeps every conclusion with the rows the log window would show for it.
class RelatoreRegistra : public Relatore {
  public:
    struct Passo {
        Conclusione C;
        std::vector<std::string> Righe;
    };
    std::vector<Passo> Passi;
    int msgLog(Spiegazione& s, const Conclusione& c) override;
};

// A failure record: the configurations of a hypothesis that fail in the same way.
struct SerieFallimento {
    char Tipo = '0';                // '0' 2x2 wall, '1' cut wall, '2' blocked island
    std::array<uint8_t, 4> Celle{}; // '0': 2x2 cell; '1': both cells; '2': island in svEle
    std::string Configurazioni;     // the keys of every configuration that failed this way
    std::string Messaggio;          // deferred display: heading, line break, reason
    std::string ConfigurazioneMsg;  // the key of the configuration the message describes
    uint8_t RigaMsg = 0, ColonnaMsg = 0;
};

class Spiegazione {
  public:
    Spiegazione(Modello& m, Risolutore& ris, Piattaforma& p) : m(m), Ris(ris), p(p) {}
    const Modello& Dati() const { return m; }

    // ---- Direct rules ------------------------------------------------------------------------
    // The player's marks into the candidate lists. Marks on clue cells are ignored: a clue cell
    // is island whatever the player's board says.
    void AggiornaConTblGioco();

    // ---- Hypotheses --------------------------------------------------------------------------
    void ProvaTesseraSol(uint8_t k);
    void SommaUnoDue(int k, int riga, int colonna, int32_t tessera, int tessRiga, int tessColonna);
    std::string SalvaSerieElePerLog(int k) const;

    // ---- Driver ------------------------------------------------------------------------------
    // Explains the current puzzle from the player's marks. False, without running, when the
    // puzzle needs more candidate placements than the tables hold. soloValuta: the rating,
    // which stops after level 2 (level 3 then means 3 or more).
    bool EseguiLog(Relatore& relatore, bool soloValuta);
    // The start of a run: the clues on the board, the islands sorted and saved, the candidates
    // built with the player's marks in them. False when the puzzle exceeds the tables.
    bool Prepara();
    // The cell is decided: wall, or island (placed or known).
    bool Decisa(int r, int c) const { return m.TblSchema(r, c) != 0 || m.TblIsoleLog(r, c) != 0; }
    int CelleDecise() const;

    // ---- Messages ----------------------------------------------------------------------------
    // The log rows of a conclusion. For a hypothesis conclusion (to be called from msgLog, before
    // it is applied) this runs the exploration again in recording mode for its failure records.
    std::vector<std::string> RigheMessaggio(const Conclusione& c);
    // The deferred messages of the hypothesis conclusion RigheMessaggio explained last (from
    // msgLog, while its combination is loaded): a run in mode 2 stores in every failure record
    // its heading, a line break and its reason. Done at most once per conclusion.
    void ProduciMsgPosticipato();
    bool MsgProdotti = false;
    // "Se le isole ... hanno configurazione simile a questa" for Ele(1..NumEle).
    std::string ElencoIsoleLog() const;
    // The rows of a hypothesis explanation for Ele(1..n): the heading, then one row per
    // failure record, "altrimenti" in the last.
    std::vector<std::string> ElencoIsole(int n) const;
    // Mode 2: the heading of a failure of the conclusion being explained, and its reason.
    std::string IntestazioneFallimento() const;
    std::string MotivoFallimento(const SerieFallimento& f) const;

    // ---- State of a run ----------------------------------------------------------------------
    std::array<uint8_t, MaxIsole + 1> EleFinito{}; // 1 = the island has its final shape
    uint8_t LivelloLog = 0;
    uint8_t ModoLog = 0; // 0 count, 1 record failures, 2 record and show
    bool SoloValuta = false;
    // The deepest hypothesis the run may use (0..5): where it would need a deeper one it stops,
    // with the cells left undecided. Generating at a level asks no more than that level.
    int LivelloMassimo = 5;
    bool Fermata = false;                         // the reporter answered 2
    bool Interrotta = false;                      // Esc or the time limit (TempoScaduto)
    std::array<int, CodiciLog.size()> Conteggi{}; // conclusions per code (Indice)

    // Per depth 1..5: consistent placements, the last of them, and per cell how often it is
    // island and border of that depth's island in the consistent configurations. 32-bit: a
    // combination of five islands easily has more than 32767 configurations, and a counter that
    // wrapped could fake the equality a conclusion rests on.
    std::array<int32_t, 6> NumConfig{};
    std::array<int32_t, 6> MossaConfig{};
    TabellaGriglia3<int32_t, 6> ContaIsola, ContaMuro;

    // Failure records 1..NumSerie (index 0 unused); they grow as needed.
    std::vector<SerieFallimento> SerieLog = std::vector<SerieFallimento>(1);
    int NumSerie = 0;
    // The conclusion being explained by a recording run.
    std::optional<CodiceLog> CodiceMsg; // II3, IS3 or MU3
    int RigaMsg = 0, ColonnaMsg = 0, EleMsg = 0;
    int32_t TesseraMsg = 0;
    int TessRigaMsg = 0, TessColonnaMsg = 0;
    bool DiversaMsg = false;
    bool MsgPosticipati = false;

    // Mode 0 stops exploring where the counters can no longer give any conclusion (Morte), and
    // modes 1 and 2 where no failure can be recorded (Registrabile): the same conclusions and
    // rows, far fewer placements tried. Off, every counter is complete.
    bool Potatura = true;
    // The exploration tests the placements it needs against the shapes it placed, instead of
    // updating the block counters of every placement each shape rules out: the same answers.
    bool Pigra = true;

    // The combinations of levels 2 and 3 as sort keys (entries 1..), grown as needed.
    std::vector<std::string> ElencoCombinazioni;

  private:
    Modello& m;
    Risolutore& Ris;
    Piattaforma& p;
    Relatore* relatore_ = nullptr;

    bool Fine() const { return Fermata || m.TempoScaduto == 1; }
    // Counts and reports a conclusion; false when the run must stop.
    bool Riporta(const Conclusione& c);
    void PosaForma(int e, int eSv, int32_t mossa);
    Risolutore::Ascolto Diretti();
    // One pass of the direct rules (the solver's, in the order of RegoleDirette), every
    // conclusion counted and reported; true when the pass must start again or the run stops.
    bool PassoDiretto();
    // The first unfinished island outside Ele(1..k) without a usable placement, or 0.
    int IsolaBloccata(int k);
    void RegistraFallimento(int k, int bloccata);
    bool Registrabile(int k) const;
    // Runs the exploration of the loaded combination in recording mode modo (1 or 2).
    void Registra(uint8_t modo);
    void AzzeraContatori();
    // Hypothesis levels of one pass; true when a combination concluded something.
    bool Ipotesi();
    bool ProvaCombinazione(const int* isole, int L);
    bool Idonea(int i) const { return m.svEle[i].Num > 1 && EleFinito[i] == 0; }

    // True when no depth from da on can give a conclusion any more, whatever is still counted.
    bool Morte(int da);
    bool esaurita_ = false; // the current combination can conclude nothing
    struct Candidata {
        uint8_t Riga = 0, Colonna = 0;
        bool Libera = false; // not yet known as island
    };
    std::array<Candidata, MaxRighe * MaxRighe> candidate_{};
    int numCandidate_ = 0;
    std::array<int, 6> prossima_{}; // per depth: the first candidate cell not found dead
    std::array<bool, 6> morta_{};

    TabellaGriglia<int16_t> TabUnicaIsola;
    std::array<int, 6> combinazione_{}; // svEle island of each depth
    std::array<uint8_t, MaxIsole + 1>
        profondita_{}; // depth of each svEle island in the combination
    std::array<int32_t, MaxIsole + 1> ultimaUsabile_{}; // last usable placement found per island
    std::array<bool, 6> sporco_{};                      // counters of that depth were written
    // Per cell, the island (in svEle) an IS3 conclusion gave it: the APP that follows for
    // the same island says nothing new and is applied without being reported again.
    Griglia8 isolaIS3_;
};

// "" when the explanation, the rating and the hint can work on the model's puzzle; otherwise
// "Spiegazione non disponibile: " and why. They reason over whole island shapes, whatever counts
// the solutions.
std::string SpiegazioneNonDisponibile(const Modello& m);

} // namespace isolmar
