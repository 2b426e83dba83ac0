// Pictures and booklets of puzzles for paper: isolmar-cli image and booklet, and the booklet of
// generate. They draw with the window's own painter on the offscreen platform and write through
// ScriviFileSicuro, so an existing file stays intact when a write fails.
#pragma once

#include "model/Schema.h"

#include <string>
#include <vector>

namespace isolmar {

// A puzzle as it goes on paper.
struct SchemaCarta {
    Schema S;
    std::string Soluzione; // R x C characters, '1' island; "" when not known
    int Livello = -1;      // full rating, -1 when not known
};

// Reads a puzzle file; with serveSoluzione, a puzzle without a stored solution is solved
// (within limite seconds) and refused unless it has exactly one. "" or the message.
std::string LeggiSchemaCarta(const std::string& percorso, bool serveSoluzione, int limite,
                             SchemaCarta& s);

struct OpzioniImmagine {
    std::string File, Uscita; // Uscita ends in .png, .svg or .pdf
    bool Soluzione = false;
    double CellaMm = 0; // side of a cell on paper; 0: as on the screen (500 twips)
    int Limite = 60;    // seconds to solve a puzzle without a stored solution
};
// isolmar-cli image; returns the exit status (0 written, 2 refused or not written).
int ComandoImmagine(const OpzioniImmagine& o);

struct OpzioniLibretto {
    std::string Uscita; // .pdf
    int PerPagina = 4;  // 1..12 puzzles a page; solutions go four times as many a page
    bool Soluzioni = false;
    std::string Titolo;
    std::vector<std::string> File;
    int Limite = 60;
};
inline constexpr int MaxPerPagina = 12;
// isolmar-cli booklet over o.File; returns the exit status.
int ComandoLibretto(const OpzioniLibretto& o);
// The booklet of puzzles already in memory (generate --booklet); "" or the message.
std::string ScriviLibretto(const OpzioniLibretto& o, const std::vector<SchemaCarta>& schemi);
// Pages a booklet of n puzzles has.
int PagineLibretto(int n, int perPagina, bool soluzioni);

// Bytes of a picture of s in the format of the extension of nome ("" when unknown).
std::string DisegnaImmagine(const SchemaCarta& s, const std::string& nome, bool soluzione,
                            double cellaMm);
std::string DisegnaLibretto(const OpzioniLibretto& o, const std::vector<SchemaCarta>& schemi);

// Starts the offscreen Qt platform once (pictures need fonts, not a display).
void AvviaGrafica();

} // namespace isolmar
