// The author's check: for a clue set composed by hand, whether it has no solution, one or
// several, where two solutions differ, its level when it has one, which clues could go and which
// clue would settle an ambiguity. It runs on the calling thread with its own model, solver and
// explanation, and yields through a callback that can stop it at any time.
#pragma once

#include "model/Schema.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace isolmar {

struct Cella {
    int Riga = 0, Colonna = 0; // from 1
    bool operator==(const Cella&) const = default;
};

// NonValido: the clue set is not a puzzle (ValidaSchema). Oltre: the solver cannot take it.
// Interrotta: the callback stopped the check.
enum class StatoVerifica { NonValido, Oltre, Nessuna, Unica, Multiple, Interrotta };

struct EsitoVerifica {
    StatoVerifica Stato = StatoVerifica::Interrotta;
    // NonValido and Oltre: why. Nessuna: the clue that cannot be satisfied, in words, when known.
    std::string Motivo;
    std::vector<Cella> Diverse; // Multiple: the cells where the first two solutions differ
    // Unica and Multiple: the first solution, R x C characters row by row, '1' island else '0';
    // Multiple: also the second.
    std::string Soluzione, Seconda;
    int Livello = -1; // Unica, with the level asked, and the rating decided every cell: 0..5
    // Nessuna: index into Schema::Isole of a clue no shape can satisfy on the board; -1 if none
    // is known.
    int Impossibile = -1;
    // With OpzioniVerifica::Minimale and one solution: indices into Schema::Isole of the clues
    // whose removal alone leaves exactly one solution.
    std::vector<int> Rimovibili;
};

struct OpzioniVerifica {
    bool Livello = true;
    bool Minimale = false;
};

struct Proposta {
    Indizio Nuovo;
    int Sostituisce = -1; // index into Schema::Isole of the clue it moves; -1 when added
};

class Verificatore {
  public:
    // cedi is called on the calling thread about every 10 ms of work (and at the start of each
    // solve); when it answers true the work stops as soon as it can and gives Interrotta. A
    // call made from inside the callback, while another runs, gives Interrotta (nullopt, -1)
    // at once.
    explicit Verificatore(std::function<bool()> cedi = {});
    ~Verificatore();
    Verificatore(const Verificatore&) = delete;
    Verificatore& operator=(const Verificatore&) = delete;

    EsitoVerifica Verifica(const Schema& s, const OpzioniVerifica& o = {});
    // A clue moved within its island of one of the solutions found (up to MaxContate), so that
    // solution stays one and another is ruled out, that leaves the fewest solutions (counted up
    // to MaxContate), then the fewest cells where the first two differ. A clue added is never
    // proposed: every island of a solution already holds its one clue. nullopt when the puzzle is
    // not ambiguous, when no move does better than the puzzle as it is, or when stopped. At most
    // MaxProposte moves are tried.
    std::optional<Proposta> Suggerisci(const Schema& s);
    static constexpr int MaxContate = 3;
    static constexpr int MaxProposte = 40;

    // The solutions of s up to massimo (1..10); -1 when s is not valid, beyond the solver, or
    // the count was stopped.
    int ContaSoluzioni(const Schema& s, int massimo);

    // Solves made since construction (each costs one search).
    long Ricerche() const;

  private:
    struct Officina;
    std::unique_ptr<Officina> o_;
};

// The status line of a check: "Una sola soluzione — livello 2", "Almeno 2 soluzioni",
// "Nessuna soluzione" (with the clue that cannot be satisfied), the reason, "Ricerca…".
std::string TestoVerifica(const EsitoVerifica& e);
// "riga 3, colonna 5": where a clue is, in the check's messages.
std::string TestoPosto(int r, int c);
// "Indizio 4 in riga 3, colonna 5 (al posto di riga 3, colonna 4)".
std::string TestoProposta(const Proposta& p, const Schema& s);

} // namespace isolmar
