// The player's position against the solution, and the hint: the next step the explanation would
// take from the player's board. The hint runs the explanation engine itself and stops at its
// first conclusion that decides a cell the player has not marked yet.
#pragma once

#include "explain/Spiegazione.h"

#include <string>
#include <utility>
#include <vector>

namespace isolmar {

// Every cell the player marked against solution 1 (Tblsol), in reading order. Clue cells are
// never wrong.
std::vector<std::pair<int, int>> CelleSbagliate(const Modello& m);
// True when the player's board leaves no cell undecided but the clues.
bool PosizioneCompleta(const Modello& m);
// The player's board as the clues alone: what a rating starts from.
void SoloNumeri(Modello& m);

// A cell a step decides: island or wall.
struct CellaPasso {
    int Riga = 0, Colonna = 0;
    bool Isola = false;
};

// One step of the explanation, with the cells it decides that the player's board leaves open.
struct PassoSuggerito {
    Conclusione C;
    std::vector<std::string> Righe;
    std::vector<CellaPasso> Celle;
    int Serie = 0; // the failure records among the rows
};

// The reporter of the hint: it lets the engine go on through conclusions that add nothing to the
// player's board (an island's owner, a cell the player has marked already) and stops it at the
// first that decides an open cell, keeping its rows and cells.
class RelatorePrimoPasso : public Relatore {
  public:
    bool Trovato = false;
    PassoSuggerito Passo;
    int msgLog(Spiegazione& s, const Conclusione& c) override;
};

enum class EsitoPasso { Trovato, Nessuno, Interrotto, TroppoGrande };

// The next step from the player's board (TblGioco, which must hold no wrong mark). The engine's
// tables are left as the run left them; the player's board is not touched.
EsitoPasso CercaPasso(Spiegazione& s, PassoSuggerito& passo);

} // namespace isolmar
