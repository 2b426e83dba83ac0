// The puzzle generator and the uniqueness searches. One attempt grows a connected wall at random
// inside the largest open zone, never closing a 2x2 block, until every zone is small enough; each
// zone becomes an island with its clue on a random cell; then the second-solution repair moves
// clues inside their islands until the puzzle has exactly one solution. The generate command
// repeats attempts, relaxing the island sizes when they keep failing.
//
// A Generatore works on one Modello through its Risolutore and reaches the host only through
// Piattaforma. All its state is in the model or in the object itself, so generators of different
// models may run in different threads.
#pragma once

#include "model/Modello.h"
#include "solver/Risolutore.h"
#include "view/Griglia.h"
#include "view/Piattaforma.h"

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace isolmar {

class Generatore {
  public:
    Generatore(Modello& m, Griglia& Gr, Piattaforma& p, Risolutore& s) : m(m), Gr(Gr), p(p), s(s) {}

    // ---- Random numbers ----------------------------------------------------------------------
    // Every attempt reseeds the generator. By default its seed comes from a high-resolution
    // clock; after ImpostaSeme the n-th attempt from then on uses a seed derived from (seme, n),
    // so a whole run is reproducible.
    void ImpostaSeme(uint64_t seme);
    void SemeDaOrologio();
    // A seed for a series of its own (generation at a level), drawn as an attempt's seed is:
    // reproducible after ImpostaSeme, from the clock otherwise.
    uint64_t ProssimoSeme();
    // A whole number from 1 to n: the integer part of u x n + 1 for the next uniform u in [0, 1).
    double GeneraCasuale(double n);

    // ---- The generate command ------------------------------------------------------------------
    // What "Genera schema" does: attempts until one yields a puzzle with exactly one solution,
    // the user presses Esc, or the grid cannot be partitioned into at most 50 islands.
    void Genera();
    // How an attempt's partition ended; only an accepted one goes on to the repair.
    // Scartata: a partition this generator's options do not take (its largest zone is below
    // MinMaggiore, or a symmetric one cannot be completed); the next attempt tries again.
    enum class EsitoPartizione { Accettata, TroppeZone, NessunaZona, ZonaTroppoGrande, Scartata };
    // One attempt; NumSol = 1 afterwards means success.
    EsitoPartizione GeneraSchema();
    // True when cell (r, c) may become wall: it touches a wall cell and closes no 2x2 wall block.
    bool VerificaTreUno(int16_t r, int16_t c, const Griglia8& TabGen) const;

    // Codes of TabGen besides the zone numbers 1..50.
    static constexpr uint8_t Muro = 99, Raggiunta = 88;
    // The partition of the current attempt: 0 unassigned, 1..50 zone, Muro, Raggiunta.
    Griglia8 TabGen;

    // ---- Steps of one attempt, in the order GeneraSchema runs them ----------------------------
    // Walls the k-th cell in row order and clears the rest of TabGen.
    void PosaMuroIniziale(int k);
    // Zones and walling from the wall in TabGen until the partition is accepted.
    EsitoPartizione CreaPartizione();
    // Flood-fills the cells that are not wall into Zone / NumZone; false when more than 50.
    bool Partiziona();
    // Over the zones not excluded with at least 2 cells: the first largest one (0 if none), its
    // size and the number of zones of at least DimIsolaGrande cells.
    int16_t MisuraZone(int16_t& dimMaggiore, int16_t& zoneGrandi) const;
    // Lists zone g's wallable cells, tries each and returns the one to wall; {0, 0} when the zone
    // has none. The lists stay readable below.
    struct Posto {
        uint8_t Riga = 0, Colonna = 0;
        bool operator==(const Posto&) const = default;
    };
    Posto ScegliMuro(int16_t g);
    static constexpr int MaxCandidatiMuro = 100;
    std::array<Posto, MaxCandidatiMuro + 1> Candidati{};
    int16_t NumCandidati = 0;
    std::array<Posto, MaxCandidatiMuro + 1> NonDividono{};
    int16_t NumNonDividono = 0;
    // Zone k becomes island k with its clue on a random cell of the zone.
    void AssegnaIsole();

    // ---- Puzzles that look composed by hand -----------------------------------------------------
    // With a symmetry the wall grows in pairs of image cells, so the zones come in image pairs and
    // the clues sit on image cells; the repair moves a clue together with its image. Rot2: the
    // half turn, (r, c) with (R + 1 - r, C + 1 - c); Specchio: the left-right mirror, (r, C + 1 -
    // c). The mirror needs an odd number of columns: with an even one the two middle columns would
    // hold zones that are their own image with no cell on the axis for their clue.
    using Simmetria = isolmar::Simmetria;
    Simmetria Simm = Simmetria::Nessuna;
    // An attempt whose largest island is smaller is discarded (0: any); the fallback to small
    // islands after many attempts stops at this size.
    int MinMaggiore = 0;
    // After a puzzle is found, clues are removed one by one in a random order (an image pair
    // together) while the puzzle keeps exactly one solution, until none more can go.
    bool Minimo = false;
    Posto Immagine(Posto x) const;
    // The minimal pass on the puzzle in Ele, which must have one solution. accetta, when given, is
    // asked about each reduced puzzle with one solution (laid out, its solution in Tblsol) and
    // may refuse it. Returns the clues removed; afterwards NumSol = 1 and Tblsol holds the
    // solution of the puzzle left.
    int Minimizza(const std::function<bool()>& accetta = {});
    // The clues the last minimal pass tried in its last round, all of which stayed.
    std::vector<Posto> ProvatiMinimo;

    // ---- Uniqueness search ---------------------------------------------------------------------
    // Solves the puzzle in Ele asking for two solutions and, when there are two, moves clues of
    // the first differing island until one is left. NumSol = 1 afterwards means success.
    void CercaSu2Start();
    void CercaSu2();
    // The repair remembers the layouts it solved (see visitate_); off only to compare.
    bool RicordaSchemi = true;
    // Adds incremento to TblVisitate under every cell of shape t placed with (a, b) on the clue
    // cell (riga, colonna), except the clue cell; cells outside the grid are skipped.
    void InserisciVerifica(int16_t riga, int16_t colonna, int32_t t, int16_t a, int16_t b,
                           int16_t incremento);
    struct Candidato {
        uint8_t Isola = 0;
        uint8_t Riga = 0;
        uint8_t Colonna = 0;
        uint8_t Num = 0;
        bool operator==(const Candidato&) const = default;
    };
    static constexpr int MaxCandidati = 100;
    // The candidate list built by CercaSu2 at a level; it stays until that level runs again.
    std::span<const Candidato> ElencoCandidati(int livello) const;

    // Tries every combination of clue positions over the zones of the last partition, in order,
    // until one gives a puzzle with exactly one solution (RicercaInterrotta: aborted on time).
    void CercaSoluzioneUnicaStart();
    void CercaSolunica(int16_t k);

    // ---- Developer commands --------------------------------------------------------------------
    void CommandRipetiSoloUn_Click();
    // Writes the non-zero values of TblVisitate into the board grid, red on green.
    void CommandInsVer_Click();
    // Asks for the depth limit of the repair.
    void CommandMaxProf_Click();
    // Sets MaxLivello from the number at the start of the answer (0 when there is none); a value
    // outside 0..8 is refused with a message and leaves MaxLivello unchanged.
    bool ImpostaMaxProf(std::string_view risposta);

    // ---- Counters since the last Genera began (GeneraSchema alone adds to them too) -----------
    struct Statistiche {
        int Tentativi = 0;         // attempts
        int PartizioniFallite = 0; // attempts discarded before the repair
        int Riparazioni = 0;       // attempts that reached the uniqueness repair
        int UnicheSubito = 0;      // ... whose first solve was already unique
        int Riuscite = 0;          // ... that ended with one solution
        int SoluzioniRiusate = 0;  // repair layouts met again, not solved again
        int RamiRisparmiati = 0;   // ... whose candidates had all been tried already
        int IndiziTolti = 0;       // clues removed by the minimal pass
    };
    const Statistiche& Statistica() const { return stat_; }

    // Messages of the generate command.
    static constexpr const char* TestoErroreLimiti = "Errore limiti";
    static constexpr const char* TestoTroppeZone =
        "Impossibile generare lo schema: su questa griglia servirebbero più di 50 isole.";
    static constexpr const char* TestoZonaTroppoGrande =
        "Impossibile generare lo schema: resta una zona di più di 9 caselle che nessun muro può "
        "dividere.";
    static constexpr int MaxTentativiGenera = 1000;
    static constexpr const char* TestoNessunaZona =
        "Impossibile generare lo schema: la griglia è troppo piccola per contenere un'isola.";
    static constexpr const char* TestoSpecchioPari =
        "La simmetria a specchio vuole un numero dispari di colonne.";
    static constexpr const char* TestoMaxProf = "Il valore di maxprof deve essere da 0 a 8.";

  private:
    double Rnd();
    void Randomizza();
    // Seconds since t0 on the clock of seconds since midnight, across midnight too.
    double Trascorsi(double t0);
    // Lays the islands on a fresh board and solves asking for up to n solutions; a puzzle
    // beyond the placement table counts as unsolved.
    void Risolvi(int16_t n);
    void PreparaTessere();
    // The symmetric partition from a seed pair, and its clues.
    EsitoPartizione CreaPartizioneSimmetrica();
    Posto ScegliMuroSimmetrico(int16_t g);
    bool MuroConnesso() const;
    bool AssegnaIsoleSimmetriche();
    // The island whose clue is on the image of island k's clue cell; 0 if none.
    int IsolaImmagine(int k) const;
    int16_t DimMaggiore() const;

    Modello& m;
    Griglia& Gr;
    Piattaforma& p;
    Risolutore& s;

    std::mt19937 rng_{5489u};
    bool semeFisso_ = false;
    uint64_t seme_ = 0;
    uint64_t tentativoSeme_ = 0;

    // Work tables of ScegliMuro, sized to the board.
    std::array<Posto, MaxRighe * MaxRighe + 1> ordinate_{};
    std::array<Posto, MaxRighe * MaxRighe + 1> coda_{};

    std::array<std::array<Candidato, MaxCandidati + 1>, MaxLivelli + 1> elenchi_{};
    std::array<int16_t, MaxLivelli + 1> numElenchi_{};

    // The clue layouts one repair has solved. The repair often reaches a layout again (a clue
    // moved back, or two clues moved in the other order); its solve gives the same answer, and a
    // layout whose candidates were all tried to a depth at least as great cannot lead anywhere
    // new. Cleared when a repair starts.
    struct Visitata {
        int16_t NumSol = 0;                          // 0 not solved yet, -1 no solution
        std::array<std::vector<Isola>, 3> Soluzioni; // 1 and 2: the first two solutions
        int16_t EsploratoDa = 0; // shallowest level whose subtree failed in full; 0 if none
    };
    std::unordered_map<std::string, Visitata> visitate_;
    std::string ChiaveIsole() const;
    void Ricorda(Visitata& v) const; // the solve just made, at level Livello

    Statistiche stat_;
};

} // namespace isolmar
