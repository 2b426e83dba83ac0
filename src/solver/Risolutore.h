// The solver: candidate placements with their per-cell lists, placing and removing shapes, the
// wall checks and the backtracking search over whole island shapes. It works on one Modello and
// paints the board grid Gr; it reaches the host (yield, clock, progress bar, "Animazione") only
// through Piattaforma, once per attempt and every PassiPerCessione inner steps. Its definitions lie
// in the files the private section names and in Deduzioni.cpp (the candidate queries and the
// direct rules); RisolutoreInterno.h holds the templates they share.
#pragma once

#include "model/Modello.h"
#include "sat/MotoreSat.h"
#include "solver/CodiciLog.h"
#include "view/Griglia.h"
#include "view/Piattaforma.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace isolmar {

class Risolutore {
  public:
    Risolutore(Modello& m, Griglia& Gr, Piattaforma& p) : m(m), Gr(Gr), p(p) {}

    // Placements and lists.
    void SortaEle(std::string_view ordine);
    void InizializzaMossePossibili();
    bool VerificaSeciSta(int16_t riga, int16_t colonna, int32_t t, int16_t a, int16_t b) const;

    // Placing and removing; complete-board checks.
    void InserisciOTogli(int16_t riga, int16_t colonna, int32_t t, int16_t a, int16_t b,
                         std::string_view op);
    void BloccaperCella(int16_t r, int16_t c, int32_t prima, int32_t ultima);
    void BloccaMuro(int16_t r, int16_t c);
    void VerificaMuro();
    void VerificaMuro3();
    bool NonRag3(int16_t r, int16_t c) const;

    // Wall checks.
    bool NonRag2(int16_t r, int16_t c) const;
    bool VerificaQuattroPerCella(int16_t r, int16_t c) const;
    bool VerificaMuro2(Booleano salta2x2);

    // Exploring joint placements (the explanation's hypotheses). Between AvviaEsplorazione and
    // FineEsplorazione the shapes InserisciOTogli places mark their cells and rings on the row
    // masks instead of walking the block counters of every placement they rule out, and the
    // queries below test placements only when asked (lazy usability, as in the search): the
    // answers are those of the counters. AvviaEsplorazione gives false, and the counters are
    // walked, when lazy usability is already on or the lists are incomplete.
    bool AvviaEsplorazione();
    void FineEsplorazione();
    bool UsabileOra(int32_t k) const; // Blocchi[k] = 0, with the explored shapes counted
    bool HaPostoSv(int i);            // island i of svEle has a usable placement

    // Search and solution store. SoluzioneStart returns false, without searching, when the
    // placement tables were not built (MossePiene: over LimiteTabelle, or memory exhausted) or
    // the puzzle is beyond the search (OltreLaRicerca). When Scelto picks the SAT engine for the
    // puzzle (MotorePer), SoluzioneStart runs that instead, with the same results in the model.
    bool SoluzioneStart(uint8_t n);
    // The engine SoluzioneStart runs: Auto takes the SAT engine only for the puzzles the search
    // over shapes cannot take. UltimoSat holds the SAT engine's counters of its last run.
    Motore Scelto = Motore::Auto;
    bool UsaSat() const { return MotorePer(SchemaDa(m), Scelto) == Motore::Sat; }
    RisultatoSat UltimoSat;
    bool SoluzioneStartVerifica();
    void Soluzione();
    // True, with m.OltreLaRicerca set to why and no solution, when the search cannot take the
    // puzzle: nothing of it may touch the search's fixed tables then.
    bool OltreLaRicerca();
    void ProvaTessera(uint8_t k);
    void SalvaInEleparz();
    void AggiornaBarraTempo();
    void SalvaEleInsvele();
    void RiprendiEleDasvEle();
    void RecuperaUnEle(uint8_t i, uint8_t j);

    // Candidate queries over the usable placements (Blocchi = 0). The only usable placement
    // covering the cell, -1 if none or several.
    int32_t RagSolo1(int r, int c) const;
    // True when placement mossa covers the cell, usable or not.
    bool PosAppartenteAcella(int r, int c, int32_t mossa) const;
    // The island whose placement range holds mossa; NumEle + 1 if none.
    int eleDiapp(int32_t mossa) const;
    // The island owning every usable placement covering the cell; -1 if none or two islands.
    int RagSoloDiUnEle(int r, int c) const;
    // The first two islands among the usable placements covering the cell (-1 for the second
    // when only one); both -1 with no usable cover or three islands or more.
    std::pair<int, int> RagSoloDidueEle(int r, int c) const;

    // The five direct rules (their order and codes: RegoleDirette), each one scan of the board on
    // TblSchema, TblIsoleLog and the block counters; each returns how many conclusions it drew.
    // Conclusione hears of each one after it is applied (code, cell, island or 0) and stops the
    // rule by answering false; Posa makes island e take placement mossa as its final shape.
    struct Ascolto {
        std::function<bool(CodiceLog codice, int r, int c, int e)> Conclusione;
        std::function<void(int e, int32_t mossa)> Posa;
    };
    // What a running rule reports to: its conclusions go to A with the rule's code.
    struct Riscontro {
        CodiceLog Codice;
        const Ascolto& A;
        bool Conclusione(int r, int c, int e) const { return A.Conclusione(Codice, r, c, e); }
        void Posa(int e, int32_t mossa) const { A.Posa(e, mossa); }
    };
    int RegolaNRG(const Riscontro& x);
    int RegolaIIN(const Riscontro& x);
    int RegolaAPP(const Riscontro& x);
    int RegolaMUR(const Riscontro& x);
    int RegolaISO(const Riscontro& x);

    // Deductions before the ordinary search: the direct rules and single-island hypotheses (a
    // placement that leaves the board without a way on is impossible) to a fixpoint. Only
    // placements in no solution are ruled out, so the solutions and their order stay those of
    // the search without them, which turning this off gives.
    bool Deduzioni = true;
    // The attempts of the short run without deductions that comes first (0: none).
    int32_t ProveSenzaDeduzioni = 100;
    // Placements the last deductions ruled out (kept blocked while the search runs).
    int32_t Escluse() const { return static_cast<int32_t>(deduzioni_.escluse.size()); }

    // Backjumping over islands that a dead end does not involve (see Prova). Off, the search is
    // plain backtracking: same solutions in the same order, more attempts.
    bool SaltiIndietro = true;
    // Lazy usability (see AvviaDomini): the ordinary search tests placements when it needs them
    // instead of walking the block counters of every placement a shape touches. Off, every
    // attempt updates those counters: the same attempts and solutions, far slower with 8- and
    // 9-cell islands.
    bool Domini = true;
    // Hypotheses during the search (with lazy usability): after island k takes a shape, for k
    // up to LivelliIpotesi and while the later islands have at most LimiteIpotesi placements
    // usable at the start, each usable placement of a later island is tried alone on the board
    // and ruled out until island k moves when it leaves the board without a way on (Coerente);
    // a later island left with none ends the branch at once. Only placements in no solution go,
    // so the solutions and their order stay the same. Only once a search has made more than
    // ProvePrimaDelleIpotesi attempts: most end sooner without them. LivelliIpotesi = 0 turns
    // this off.
    int LivelliIpotesi = 12;
    int64_t ProvePrimaDelleIpotesi = 1000;
    int32_t LimiteIpotesi = 3000;

    // Inner steps of the search and of its set-up (placements tested, counters walked): every
    // PassiPerCessione of them the host gets a yield, so that Esc and the time limit are seen
    // within a bounded amount of work however long one attempt is.
    static constexpr uint64_t PassiPerCessione = 2048;
    // The placement tables may take at most this many bytes (LimiteTabelleMB); more, and
    // InizializzaMossePossibili refuses the puzzle (MossePiene) before building its lists.
    int64_t LimiteTabelle = LimiteTabelleMB << 20;
    mutable uint64_t PassiInterni = 0;
    // Counts n inner steps, yielding whenever the count passes a multiple of PassiPerCessione;
    // true once the run must stop (TempoScaduto). The explanation counts its own steps here too.
    bool Passi(uint64_t n = 1) const {
        const uint64_t prima = PassiInterni;
        PassiInterni += n;
        if (prima / PassiPerCessione != PassiInterni / PassiPerCessione) p.Cedi();
        return m.TempoScaduto == 1;
    }

  private:
    Modello& m;
    Griglia& Gr;
    Piattaforma& p;

    // A set of island indices as bits (backjumping): the placed islands that cause a dead end.
    // Backjumping runs only with fewer than 64 islands (MaxSalti); with more, island 63 and the
    // later ones share the last bit, so that the masks stay defined.
    using Insieme = uint64_t;
    static constexpr int MaxSalti = 63;
    static Insieme Bit(int k) { return Insieme{1} << std::min(k, MaxSalti); }
    static Insieme Fino(int k) { return k <= 1 ? 0 : (Bit(k - 1) << 1) - 2; } // islands 1..k-1
    static int Cella(int r, int c) { return (c - 1) * MaxRighe + r; }
    using Maschere = std::array<uint64_t, MaxRighe + 2>;
    struct Sagoma { // shape cells of a drawing, one bit per column, rows prima..ultima; its ring
        std::array<uint16_t, 12> riga{}, anello{};
        uint8_t prima = 0, ultima = 0, righe = 0;
    };
    struct SagomaGrande { // the same for a drawing of an island over the table's sizes
        std::array<uint32_t, LatoTessera> riga{};
        uint8_t prima = 0, ultima = 0;
    };
    struct Posizione { // where a placement's drawing lies: board cell = drawing cell + (dr, dc)
        int32_t t = 0;
        int8_t dr = 0, dc = 0;
    };
    struct Irraggiungibile {
        int livello = 0; // 0 = not known
        uint32_t passo = 0;
    };
    struct Riquadro { // rows r0..r1, columns c0..c1
        uint8_t r0, r1, c0, c1;
    };

    // ---- Placements (Posizionamenti.cpp)
    // Calls f(r, c, code) for every drawing cell of shape t, (a, b) on the clue cell (R0, C0),
    // that lies inside the grid; rows outer, columns inner.
    template <class F> void PerCelle(int R0, int C0, int32_t t, int a, int b, F&& f) const;
    void VariaCopre(int r, int c, int16_t delta);
    // The island cells of every placement, rebuilt when VersioneListe changes (for the search's
    // backjumping and boxes). With fermabile a stop leaves them unbuilt and gives false.
    bool AggiornaCelle(bool fermabile = false) const;
    void Colora(int r, int c, StatoCella stato);

    // ---- Wall checks (Muro.cpp)
    // The wall checks with the reachability of a free cell given by nonRag(r, c).
    template <class N> bool QuattroPerCella(int r, int c, N&& nonRag) const;
    template <class N> bool Muro2(Booleano salta2x2, N&& nonRag);
    // Muro2 in two halves: the board's row masks from TblSchema and TblIsoleLog, and the check on
    // masks of island and wall cells (with tavole_.log for TblIsoleLog).
    void CaricaMaschere();
    void AggiornaMaschere(int r, int c); // after TblSchema(r, c) changed
    template <class N>
    bool Muro2Maschere(Booleano salta2x2, N&& nonRag, const Maschere& isola, const Maschere& muro);
    // Marks with segno the cells reached from (r0, c0) through cells that are not island, and
    // calls suBordo(r, c) for every island cell met on the way.
    template <class F> void Inonda(int r0, int c0, uint8_t segno, F&& suBordo);
    // Why VerificaMuro2 just failed; tutte is every placed island (the most a cause can name),
    // where the search stops looking.
    Insieme CausaMuro(Insieme tutte);

    // ---- The search (Ricerca.cpp)
    void Cerca(); // the search proper, from island 1
    // Conflict-directed backjumping. While the counters are exact, each dead end of the search
    // names the placed islands that cause it (a set of island indices as bits); a branch whose
    // failure does not involve the island just placed is left at once for the deepest island
    // involved. Only subtrees without solutions are skipped, so the solutions are found in the
    // same order and the search tries fewer placements.
    Insieme Prova(uint8_t k);
    // The earliest placed island whose cell or ring lies on an island cell of placement k2
    // (the empty set when none does).
    Insieme Bloccante(int32_t k2) const;
    // Why island i has no usable placement (tutte as for CausaMuro).
    Insieme BloccantiDi(int i, Insieme tutte) const;
    Insieme Proprietario(int r, int c) const {
        const uint8_t chi = salti_.proprietario[Cella(r, c)];
        return chi ? Bit(chi) : 0;
    }
    // Per cell, the box of every cell of the placements that cover it (set by AvviaRiquadri when
    // the search backjumps).
    void AvviaRiquadri();

    // ---- Usability during the search (Domini.cpp)
    // During Soluzione, the number of placements with Blocchi = 0 of every island, kept up to
    // date by VariaCopre: a branch where a later island has none left cannot lead to a
    // solution and is cut before it is searched. Off when the counters are not exact.
    void AvviaConteggi();
    // The first island from da on without a usable placement, or 0.
    int IsolaSenzaPosto(int da);
    // Lazy usability. While the ordinary search runs with exact counters it does not walk them:
    // a placement is usable (Blocchi = 0) when it was usable as the search began and none of its
    // cells lies on a cell or ring of a shape the search placed (domini_.occupate, one bit mask
    // per row, tested a row of the shape at a time). The facts the search needs are found by
    // testing placements when asked, starting from the last one that answered (a witness, never
    // undone): whether a later island has a usable placement, and whether a free cell is
    // covered by one. A cell found out of reach stays so below the level that found it
    // (domini_.fuori). The counters are brought up to date for the shapes left on the board when
    // the search stops (RecuperaBlocchi).
    void AvviaDomini();
    void PreparaSagome();
    // The first usable placement from testimone on, round the range prima..ultima, kept as the
    // next witness; false when none is usable.
    bool PrimaUsabile(int32_t prima, int32_t ultima, int32_t& testimone);
    // NonRag2 under lazy usability, with a witness per cell.
    bool SenzaCopertura(int r, int c);
    bool Libera(int32_t k2) const;
    template <class M> bool Libera(int32_t k2, const M& occupate) const;
    void Occupa(int r, int c, int delta); // a shape's cell or ring on the row masks, or off
    bool Usabile(int32_t k2) const;
    bool HaPosto(int i);
    bool Raggiungibile(int r, int c, int k);
    void RecuperaBlocchi();

    // ---- Deductions and hypotheses (Ipotesi.cpp)
    // The deductions: they leave the placements ruled out blocked (Blocchi + 1) and the board
    // as it was; RilasciaDeduzioni takes the blocks off again after the search.
    void Deduci();
    bool DeduzioniPossibili() const;
    void RilasciaDeduzioni();
    // One sweep of single-island hypotheses over the unfinished islands; true when it ruled
    // anything out or decided a cell.
    bool IpotesiSingole();
    void PosaDedotta(int e, int32_t mossa);
    // Whether placement k2 of island i leaves every other island a placement, every known
    // island cell a cover, and the walls whole and without a 2 x 2 block.
    // Islands from da on other than i are checked.
    bool Coerente(int i, int32_t k2, int da);
    void Segna(int32_t k2, int delta); // placement k2 on TblSchema and the row masks
    // A usable cover of cell x outside prima..ultima, by an island after k (any island: k = 0).
    bool Coperta(int x, int32_t prima, int32_t ultima, int k);
    // Single-island hypotheses after island k took its shape: each usable placement of a later
    // island that leaves the board without a way on (Coerente) is ruled out (Blocchi + 1) until
    // island k moves (RiammettiDopo). False when some later island is left with none.
    bool IpotesiDopo(int k, int32_t mossa);
    void RiammettiDopo(int k);
    // During a sweep of IpotesiDopo (ipotesi_.inGiro): the placements of each island after k
    // usable as the sweep began, and HaPosto over those of island i, from a witness of the sweep.
    void ElencaUtili(int k);
    bool HaPostoUtile(int i);
    // Coerente during a sweep (the islands after k count), on row masks: copies of the board's
    // island and wall masks, and the rows of domini_.occupate the placement changed.
    bool CoerenteInGiro(int i, int32_t k2, int k);
    Riquadro RiquadroDi(int32_t k2, int e) const; // the box of placement k2 of island e

    // What the placement lists of the model leave out.
    struct Liste {
        // Per clue cell, its island's placements (first, last), as the lists were built; the work
        // list of BloccaMuro.
        std::array<std::pair<int32_t, int32_t>, MaxRighe * MaxRighe + 2> rangoIndizio{};
        std::vector<int32_t> anello;
        // The island cells of every placement (AggiornaCelle), and the lists they were built from.
        mutable std::vector<int32_t> inizioCelle;
        mutable std::vector<uint16_t> celle;
        mutable uint32_t versioneCelle = ~0u;
        std::vector<uint8_t> isolaDi; // the island of every placement, set as the search starts
    } liste_;

    // The deductions before the search, and the short run without them that comes first.
    struct StatoDeduzioni {
        int32_t saggio = -1;  // attempts left in the short run, -1 outside it
        bool sospesa = false; // the short run ran out of attempts
        std::vector<int32_t> escluse;
        std::array<bool, MaxIsole + 1> finita{};    // the island took its final shape (Posa)
        std::array<int32_t, MaxIsole + 1> posata{}; // that shape
        bool contraddizione = false;                // an island was left without a placement
        // While one island's placements are tried (inIsola, turn giroIsola): per cell, the covers
        // usable with none of them on the board (indices into Copre), listed when first asked
        // for (giroCella), and occupateIsola: domini_.occupate without them.
        uint32_t giroIsola = 0;
        bool inIsola = false;
        std::vector<int32_t> candidate;
        std::array<uint32_t, MaxRighe * MaxRighe + 1> giroCella{};
        std::array<int32_t, MaxRighe * MaxRighe + 1> inizioCandidate{}, fineCandidate{};
        std::array<uint64_t, MaxRighe + 2> occupateIsola{};
        std::array<int32_t, MaxRighe * MaxRighe + 1> contaIsola{}, contaBordo{};
        std::vector<std::pair<uint8_t, uint8_t>> noteIsola; // known island cells not yet covered
    } deduzioni_;

    // Backjumping: who blocks what during the search.
    struct StatoSalti {
        bool attivi = false; // set by Soluzione for its own search
        // The earliest placed island covering each cell (island or ring), kept by InserisciOTogli
        // for the island inPosa.
        std::array<uint8_t, MaxRighe * MaxRighe + 1> proprietario{};
        uint8_t inPosa = 0;
        std::array<Riquadro, MaxRighe * MaxRighe + 1> riquadro{}; // per cell (AvviaRiquadri)
    } salti_;

    // Usability during the search: the block counters per island, or lazy usability.
    struct StatoDomini {
        bool conteggi = false; // libere is exact (AvviaConteggi)
        std::array<int32_t, MaxIsole + 1> libere{};
        bool attivi = false;            // lazy usability on
        bool esplorazione = false;      // on for an exploration (AvviaEsplorazione)
        bool viveFuori = false;         // tavole_.vive before it
        uint32_t versionePosizioni = 0; // the lists posizioni was built from (explorations)
        std::vector<Sagoma> sagome;
        std::vector<SagomaGrande> sagomeGrandi; // from PrimaTesseraGrande on (explorations)
        std::vector<Posizione> posizioni;
        std::array<uint8_t, MaxRighe * MaxRighe + 1> occupata{};
        std::array<uint64_t, MaxRighe + 2> occupate{};
        std::array<int32_t, MaxIsole + 1> testimoneIsola{};
        std::array<int32_t, MaxRighe * MaxRighe + 1> testimoneCella{}; // a node of Copre
        std::array<Irraggiungibile, MaxRighe * MaxRighe + 1> fuori{};
        std::array<uint32_t, MaxIsole + 1> passoLivello{}; // passo when island k got its shape
        uint32_t passo = 0;
        int posate = 0; // islands 1..posate have a shape on the board
    } domini_;

    // Hypotheses during the search: what they ruled out, and the lists of a sweep.
    struct StatoIpotesi {
        std::vector<int32_t> escluse;
        std::array<size_t, MaxIsole + 1> inizioEscluse{};
        // Placements usable at the start of the islands after k: where the hypotheses cost too
        // much.
        std::array<uint64_t, MaxIsole + 1> postiDopo{};
        int64_t proveInizio = 0; // NumProve when the search began
        int livelloEscluse = 0;  // the deepest island whose hypotheses rule placements out
        std::array<uint64_t, 12> occupateGiro{};
        std::vector<int32_t> utili;
        std::array<int32_t, MaxIsole + 1> inizioUtili{}, fineUtili{}, testimoneUtile{};
        bool inGiro = false;
        std::array<Riquadro, MaxIsole + 1> riquadroIsola{}; // of every placement of the island
    } ipotesi_;

    // Work tables of the wall checks, sized to the largest board: row masks of VerificaMuro2
    // (island cells, wall cells, cells of TblIsoleLog, cells reached, free cells whose reach is
    // known and those out of reach; island and wall cells with a hypothesis on the board), and
    // the cell-by-cell flood of CausaMuro.
    struct TavoleMuro {
        Maschere isola{}, muro{}, log{}, raggiunte{}, notaRag{}, nonRagNota{};
        Maschere isolaIpotesi{}, muroIpotesi{};
        std::array<uint8_t, 64> righeDaFare{};
        std::array<std::pair<uint8_t, uint8_t>, MaxRighe * MaxRighe + 1> inondate{};
        Griglia8 raggiunta{};
        bool vive = false; // the masks follow the board (during a search, and RegolaMUR)
    } tavole_;
};

} // namespace isolmar
