// The palette: every colour the program paints, named once by its role, and the one function
// from a board cell's state to its look. Colours are 0x00BBGGRR numbers.
#pragma once

#include <cstdint>
#include <iterator>

namespace isolmar {

using Colore = uint32_t;

// The colours themselves; the roles below say what each is used for.
inline constexpr Colore Nero = 0x000000;
inline constexpr Colore Grigio = 0xC0C0C0;
inline constexpr Colore Bianco = 0xFFFFFF;
inline constexpr Colore Blu = 0xFF0000;
inline constexpr Colore Giallo = 0x00FFFF;
inline constexpr Colore Verdeacqua = 0xC0C000;
inline constexpr Colore Rosso = 0x0000FF;
inline constexpr Colore Magenta = 0xFF00FF;
inline constexpr Colore Verde = 0x00FF00;

// A failure record's islands, each in its own colour (its clue cell and the squares of its
// shape), repeated from the first when there are more islands.
inline constexpr Colore ColoriIsole[] = {Giallo, 0x80FF80, 0x60C0FF, 0xFFA0E0, 0xFFFF80};

namespace Tavolozza {
// Board cells.
inline constexpr Colore Indecisa = Grigio;
inline constexpr Colore Isola = Bianco; // island cells and clue cells alike
inline constexpr Colore Muro = Blu;
inline constexpr Colore IndizioMarcato = Giallo; // a clue the player marked
inline constexpr Colore Sbagliata = Rosso;       // a mark the whole-board check found wrong
// A step's cells (log, hint, the option view of the solver's board): island or wall to be.
inline constexpr Colore EvidenzaIsola = Giallo;
inline constexpr Colore EvidenzaMuro = Verdeacqua;
// The generator's count of visits written on a cell.
inline constexpr Colore Visitata = Rosso, TestoVisitata = Verde;

// Texts and symbols on the board.
inline constexpr Colore TestoIndizioEvidenziato = Magenta; // the clue a step's island rests on
inline constexpr Colore TestoCellaIsola = Blu;             // the "r,c" of the island a step joins
inline constexpr Colore SimboloIsola = Giallo;             // log square: the cell would be island
inline constexpr Colore SimboloMuro = Verdeacqua;          // log square: the cell would be wall
inline constexpr Colore TestoFotografia = Blu;             // the symbols of the snapshot strip

// The printed board: islands yellow, walls blue, everything else white.
inline constexpr Colore StampaIsola = Giallo, StampaMuro = Blu, StampaAltro = Bianco;

// The log grid.
inline constexpr Colore LogPassoMostrato = Bianco, LogTestoMostrato = Nero;
inline constexpr Colore LogAltri = 0xF0F0F0, LogTestoAltri = 0x707070;
inline constexpr Colore LogReplay = 0x80FFFF;     // the row whose record is replayed
inline constexpr Colore LogFallimento = 0xC0FFFF; // the heading of a failure shown alone

// The page around a board's picture.
inline constexpr Colore Carta = Bianco;

// Lines and frames drawn over the grids.
inline constexpr Colore BordoCella = 0x606060;
inline constexpr Colore CorniceLog = 0xDC00DC;     // the cell of the log's step
inline constexpr Colore CorniceCursore = 0x0080FF; // the keyboard cursor
} // namespace Tavolozza

// What a board cell shows, as the program knows it. The board's grids keep it beside each cell,
// so that what the board shows is read from here and never from the colours.
enum class StatoCella : uint8_t {
    Vuota,          // never painted: the grid's default white
    Colorata,       // a colour set directly, no board meaning
    Indecisa,       // undecided
    Isola,          // island cell
    Indizio,        // clue cell
    IndizioMarcato, // clue cell the player marked
    Muro,           // wall cell
    Sbagliata,      // a mark the whole-board check found wrong
    EvidenzaIsola,  // a step's cell that becomes island
    EvidenzaMuro,   // a step's cell that becomes wall
    Visitata,       // the generator's count of visits
    Replay,         // a failure record's island: Replay + k for the k-th island (k from 0)
};

// Replay + k, the colours taken round from the first.
inline constexpr StatoCella StatoReplay(int k) {
    return static_cast<StatoCella>(static_cast<int>(StatoCella::Replay) +
                                   k % static_cast<int>(std::size(ColoriIsole)));
}

// The look of a cell in a state: its fill, and its text colour where the state sets one.
struct Aspetto {
    Colore Sfondo = Bianco;
    bool ConTesto = false;
    Colore Testo = Nero;
};

inline constexpr Aspetto AspettoCella(StatoCella s) {
    namespace T = Tavolozza;
    switch (s) {
    case StatoCella::Vuota:
    case StatoCella::Colorata:
        return {Bianco};
    case StatoCella::Indecisa:
        return {T::Indecisa};
    case StatoCella::Isola:
    case StatoCella::Indizio:
        return {T::Isola};
    case StatoCella::IndizioMarcato:
        return {T::IndizioMarcato};
    case StatoCella::Muro:
        return {T::Muro};
    case StatoCella::Sbagliata:
        return {T::Sbagliata};
    case StatoCella::EvidenzaIsola:
        return {T::EvidenzaIsola};
    case StatoCella::EvidenzaMuro:
        return {T::EvidenzaMuro};
    case StatoCella::Visitata:
        return {T::Visitata, true, T::TestoVisitata};
    default:
        return {ColoriIsole[static_cast<int>(s) - static_cast<int>(StatoCella::Replay)]};
    }
}

// Cells that show white: an island or clue, or never painted.
inline constexpr bool StatoBianco(StatoCella s) {
    return s == StatoCella::Vuota || s == StatoCella::Isola || s == StatoCella::Indizio;
}

// The state of a cell of the player's board (TblGioco: 0 undecided, 1 island, 2 wall).
inline constexpr StatoCella StatoGioco(uint8_t codice) {
    return codice == 1 ? StatoCella::Isola : codice == 2 ? StatoCella::Muro : StatoCella::Indecisa;
}

} // namespace isolmar
