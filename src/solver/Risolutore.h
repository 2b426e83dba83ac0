// The solver: candidate placements with their per-cell lists, placing and removing shapes, the
// wall checks and the backtracking search over whole island shapes. It works on one Modello and
// paints the board grid Gr; it reaches the host (yield, clock, progress bar, "Animazione") only
// through Piattaforma, once per attempt and every PassiPerCessione inner steps.
#pragma once

#include "model/Modello.h"
#include "view/Griglia.h"
#include "view/Piattaforma.h"

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

    // Search and solution store. SoluzioneStart returns false, without searching, when the
    // placement tables were not built (MossePiene: over LimiteTabelle, or memory exhausted).
    bool SoluzioneStart(uint8_t n);
    bool SoluzioneStartVerifica();
    void Soluzione();
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

    // The five direct rules, each one scan of the board on TblSchema, TblIsoleLog and the block
    // counters; each returns how many conclusions it drew. Conclusione hears of each one after
    // it is applied (code, cell, island or 0) and stops the rule by answering false; Posa makes
    // island e take placement mossa as its final shape.
    struct Riscontro {
        std::function<bool(std::string_view codice, int r, int c, int e)> Conclusione;
        std::function<void(int e, int32_t mossa)> Posa;
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
    int32_t Escluse() const { return static_cast<int32_t>(escluse_.size()); }

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
    // The deductions: they leave the placements ruled out blocked (Blocchi + 1) and the board
    // as it was; Rilascia takes the blocks off again after the search.
    void Deduci();
    bool DeduzioniPossibili() const;
    void Cerca();          // the search proper, from island 1
    int32_t saggio_ = -1;  // attempts left in the short run, -1 outside it
    bool sospesa_ = false; // the short run ran out of attempts
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
    // Before the search, while one island's placements are tried (inIsola_, turn giroIsola_): per
    // cell, the covers usable with none of them on the board (indices into Copre), listed when
    // first asked for (giroCella_), and occupate_ without them.
    uint32_t giroIsola_ = 0;
    bool inIsola_ = false;
    std::vector<int32_t> candidate_;
    std::array<uint32_t, MaxRighe * MaxRighe + 1> giroCella_{};
    std::array<int32_t, MaxRighe * MaxRighe + 1> inizioCandidate_{}, fineCandidate_{};
    std::array<uint64_t, MaxRighe + 2> occupateIsola_{};
    std::vector<int32_t> escluse_;
    std::array<bool, MaxEle + 1> finita_{};    // the island took its final shape (Posa)
    std::array<int32_t, MaxEle + 1> posata_{}; // that shape
    bool contraddizione_ = false;              // an island was left without a placement
    std::array<int32_t, MaxRighe * MaxRighe + 1> contaIsola_{}, contaBordo_{};
    std::vector<std::pair<uint8_t, uint8_t>> noteIsola_; // known island cells not yet covered

    // Calls f(r, c, code) for every drawing cell of shape t, (a, b) on the clue cell (R0, C0),
    // that lies inside the grid; rows outer, columns inner.
    template <class F> void PerCelle(int R0, int C0, int32_t t, int a, int b, F&& f) const;
    void VariaCopre(int r, int c, int16_t delta);
    // The island cells of every placement, rebuilt when VersioneListe changes (for the search's
    // backjumping and boxes). With fermabile a stop leaves them unbuilt and gives false.
    bool AggiornaCelle(bool fermabile = false) const;
    static int Cella(int r, int c) { return (c - 1) * MaxRighe + r; }
    // During Soluzione, the number of placements with Blocchi = 0 of every island, kept up to
    // date by VariaCopre: a branch where a later island has none left cannot lead to a
    // solution and is cut before it is searched. Off when the counters are not exact.
    void AvviaConteggi();
    // The first island from da on without a usable placement, or 0.
    int IsolaSenzaPosto(int da);

    // Conflict-directed backjumping. While the counters are exact, each dead end of the search
    // names the placed islands that cause it (a set of island indices as bits); a branch whose
    // failure does not involve the island just placed is left at once for the deepest island
    // involved. Only subtrees without solutions are skipped, so the solutions are found in the
    // same order and the search tries fewer placements.
    using Insieme = uint64_t;
    static_assert(MaxEle < 64);
    static Insieme Fino(int k) { return k <= 1 ? 0 : (Insieme{1} << k) - 2; } // islands 1..k-1
    Insieme Prova(uint8_t k);
    // The earliest placed island whose cell or ring lies on an island cell of placement k2
    // (the empty set when none does).
    Insieme Bloccante(int32_t k2) const;
    // Why island i has no usable placement, and why VerificaMuro2 just failed; tutte is every
    // placed island (the most a cause can name), where the search stops looking.
    Insieme BloccantiDi(int i, Insieme tutte) const;
    Insieme CausaMuro(Insieme tutte);
    Insieme Proprietario(int r, int c) const {
        const uint8_t chi = proprietario_[Cella(r, c)];
        return chi ? Insieme{1} << chi : 0;
    }
    void Colora(int r, int c, StatoCella stato);

    // The wall checks with the reachability of a free cell given by nonRag(r, c).
    template <class N> bool QuattroPerCella(int r, int c, N&& nonRag) const;
    template <class N> bool Muro2(Booleano salta2x2, N&& nonRag);
    // Muro2 in two halves: the board's row masks from TblSchema and TblIsoleLog, and the check on
    // masks of island and wall cells (with log_ for TblIsoleLog).
    using Maschere = std::array<uint64_t, MaxRighe + 2>;
    void CaricaMaschere();
    void AggiornaMaschere(int r, int c); // after TblSchema(r, c) changed
    template <class N>
    bool Muro2Maschere(Booleano salta2x2, N&& nonRag, const Maschere& isola, const Maschere& muro);
    bool maschereVive_ = false; // the masks follow the board (during a search)

    // Lazy usability. While the ordinary search runs with exact counters it does not walk them:
    // a placement is usable (Blocchi = 0) when it was usable as the search began and none of its
    // cells lies on a cell or ring of a shape the search placed (occupate_, one bit mask per
    // row, tested a row of the shape at a time). The facts the search needs are found by
    // testing placements when asked, starting from the last one that answered (a witness, never
    // undone): whether a later island has a usable placement, and whether a free cell is
    // covered by one. A cell found out of reach stays so below the level that found it
    // (fuori_). The counters are brought up to date for the shapes left on the board when the
    // search stops (RecuperaBlocchi).
    void AvviaDomini();
    bool Libera(int32_t k2) const { return Libera(k2, occupate_); }
    template <class M> bool Libera(int32_t k2, const M& occupate) const {
        const Posizione& q = posizioni_[k2];
        const Sagoma& g = sagome_[q.t];
        for (int i = g.prima; i <= g.ultima; ++i) {
            const uint16_t x = g.riga[i];
            const uint64_t bit = q.dc >= 0 ? uint64_t{x} << q.dc : uint64_t{x} >> -q.dc;
            if (occupate[i + q.dr] & bit) return false;
        }
        return true;
    }
    void Occupa(int r, int c, int delta); // a shape's cell or ring on the row masks, or off
    bool Usabile(int32_t k2) const { return m.Mosse[k2].Blocchi == 0 && Libera(k2); }
    // Single-island hypotheses after island k took its shape: each usable placement of a later
    // island that leaves the board without a way on (Coerente) is ruled out (Blocchi + 1) until
    // island k moves (RiammettiDopo). False when some later island is left with none.
    bool IpotesiDopo(int k, int32_t mossa);
    void RiammettiDopo(int k);
    std::vector<int32_t> escluseInRicerca_;
    std::array<size_t, MaxEle + 1> inizioEscluse_{};
    // Placements usable at the start of the islands after k: where the hypotheses cost too much.
    std::array<uint64_t, MaxEle + 1> postiDopo_{};
    int64_t proveInizio_ = 0; // NumProve when the search began
    int livelloEscluse_ = 0;  // the deepest island whose hypotheses rule placements out
    bool HaPosto(int i);
    // During a sweep of IpotesiDopo (inGiro_): the placements of each island after k usable as
    // the sweep began, and HaPosto over those of island i, from a witness of the sweep.
    void ElencaUtili(int k);
    bool HaPostoUtile(int i);
    // Coerente during a sweep (the islands after k count), on row masks: copies of the board's
    // island and wall masks, and the rows of occupate_ the placement changed.
    bool CoerenteInGiro(int i, int32_t k2, int k);
    std::array<uint64_t, 12> occupateGiro_{};
    std::vector<int32_t> utili_;
    std::array<int32_t, MaxEle + 1> inizioUtili_{}, fineUtili_{}, testimoneUtile_{};
    bool inGiro_ = false;
    bool Raggiungibile(int r, int c, int k);
    void RecuperaBlocchi();
    struct Sagoma { // shape cells of a drawing, one bit per column, rows prima..ultima; its ring
        std::array<uint16_t, 12> riga{}, anello{};
        uint8_t prima = 0, ultima = 0, righe = 0;
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
    // Per cell, the box of every cell of the placements that cover it (set by AvviaRiquadri when
    // the search backjumps).
    void AvviaRiquadri();
    std::array<Riquadro, MaxRighe * MaxRighe + 1> riquadro_{};
    Riquadro RiquadroDi(int32_t k2, int e) const;      // the box of placement k2 of island e
    std::array<Riquadro, MaxEle + 1> riquadroIsola_{}; // of every placement of the island
    bool domini_ = false;
    std::vector<Sagoma> sagome_;
    std::vector<Posizione> posizioni_;
    std::array<uint8_t, MaxRighe * MaxRighe + 1> occupata_{};
    std::array<uint64_t, MaxRighe + 2> occupate_{};
    std::array<int32_t, MaxEle + 1> testimoneIsola_{};
    std::array<int32_t, MaxRighe * MaxRighe + 1> testimoneCella_{}; // a node of copre_
    std::array<Irraggiungibile, MaxRighe * MaxRighe + 1> fuori_{};
    std::array<uint32_t, MaxEle + 1> passoLivello_{}; // passo_ when island k got its shape
    uint32_t passo_ = 0;
    int posate_ = 0; // islands 1..posate_ have a shape on the board

    Modello& m;
    Griglia& Gr;
    Piattaforma& p;

    // Marks with segno the cells reached from (r0, c0) through cells that are not island, and
    // calls suBordo(r, c) for every island cell met on the way.
    template <class F> void Inonda(int r0, int c0, uint8_t segno, F&& suBordo);
    // Work tables of the wall checks, sized to the largest board: row masks of VerificaMuro2
    // (island cells, wall cells, cells of TblIsoleLog, cells reached, free cells whose reach is
    // known and those out of reach; island and wall cells with a hypothesis on the board), and
    // the cell-by-cell flood of CausaMuro.
    Maschere isola_{}, muro_{}, log_{}, raggiunte_{}, notaRag_{}, nonRagNota_{};
    Maschere isolaIpotesi_{}, muroIpotesi_{};
    std::array<uint8_t, 64> righeDaFare_{};
    std::array<std::pair<uint8_t, uint8_t>, MaxRighe * MaxRighe + 1> inondate_{};
    Griglia8 raggiunta_{};
    mutable std::vector<int32_t> inizioCelle_;
    mutable std::vector<uint16_t> celle_;
    mutable uint32_t versioneCelle_ = ~0u;
    // Per clue cell, its island's placements (first, last), as the lists were built; the work
    // list of BloccaMuro.
    std::array<std::pair<int32_t, int32_t>, MaxRighe * MaxRighe + 2> rangoIndizio_{};
    std::vector<int32_t> anello_;
    bool conteggiAttivi_ = false;
    // During the search: the earliest placed island covering each cell (island or ring), kept
    // by InserisciOTogli for the island inPosa_.
    std::array<uint8_t, MaxRighe * MaxRighe + 1> proprietario_{};
    uint8_t inPosa_ = 0;
    bool salti_ = false; // backjumping on: set by Soluzione for its own search
    std::vector<uint8_t> isolaDi_;
    std::array<int32_t, MaxEle + 1> libere_{};
};

} // namespace isolmar
