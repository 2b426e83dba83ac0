// The SAT engine on the model's current puzzle, storing what it finds where the shape search
// stores its solutions, and the choice between the two engines.
#pragma once

#include "model/Modello.h"
#include "model/Schema.h"
#include "sat/Sat.h"
#include "view/Piattaforma.h"

namespace isolmar {

// Forme: the search over whole island shapes; Sat: the SAT engine; Auto: the SAT engine for the
// puzzles the shape search cannot take (OltreLeForme), the shape search for the others.
enum class Motore { Forme, Sat, Auto };

// The engine that solves s when scelto is asked for (Forme or Sat, never Auto).
Motore MotorePer(const Schema& s, Motore scelto);

// Solves the model's puzzle with the SAT engine: up to n solutions (1..MaxSol) into
// Tblsol(1..NumSol) with 1 island and 2 wall, SolCercate = n, Trovata true once n were found,
// as the shape search leaves them. p gets a yield every few milliseconds, so that Esc and the
// time limit (TempoScaduto = 1) stop it; NumSol is then 0, as after a stopped shape search.
// With giocatore, the player's marks (TblGioco: 1 island, 2 wall) are kept fixed.
RisultatoSat RisolviConSat(Modello& m, Piattaforma& p, int n, bool giocatore = false);

// The configurations of some islands (indices 1..NumEle of m.Ele) that the solutions respecting the
// player's marks give them, up to n: each as R x C characters row by row, '1' on the cells of those
// islands. Esito is Interrotta when Esc or the time limit stopped it (TempoScaduto = 1); the
// stored solutions are not touched.
struct ConfigurazioniIsole {
    EsitoSat Esito = EsitoSat::Nessuna;
    std::vector<std::string> Celle;
};
ConfigurazioniIsole ConfigurazioniConSat(Modello& m, Piattaforma& p, const std::vector<int>& isole,
                                         int n);

} // namespace isolmar
