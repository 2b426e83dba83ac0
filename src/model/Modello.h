// Modello: every table and counter of the puzzle model. Index 0 of every dimension holds no data;
// loops run from 1. The grid tables and the islands are sized to the puzzle when it is laid out
// (DimensionaTabelle); the search's tables are fixed to its limits. One Modello is created per
// main window (or per generator thread) and never reallocated; create it on the heap.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace isolmar {

// Booleans of the model are 16-bit values: True has all bits set, False is 0.
using Booleano = int16_t;
inline constexpr Booleano Vero = -1;
inline constexpr Booleano Falso = 0;

// The largest board a puzzle may have (rows and columns); its clues go up to its cell count.
inline constexpr int MaxLato = 100;
// Limits of the search over whole island shapes: boards up to 50 x 50 (its row masks), clues
// (shape sizes) up to 9 (the shape table). The generator and the settings keep these and at most
// MaxEle islands.
inline constexpr int MaxRighe = 50; // also columns
inline constexpr int MaxEle = 50;   // islands of a generated puzzle and of the settings
// The islands the solver's and the explanation's tables hold (the search over shapes and the
// explanation take any puzzle up to MaxRighe x MaxRighe with at most this many).
inline constexpr int MaxIsole = 254;
inline constexpr int MaxNum = 9; // clue number, shape size
inline constexpr int MaxTessere = 14000;
// Islands over MaxNum cells take their placements from the board itself (FormeGrandi.h): their
// drawings follow the table's in Tessere from PrimaTesseraGrande on. An island with more than
// MaxPosizionamentiGrandi placements, or with one wider than a drawing holds, gets none.
inline constexpr int32_t PrimaTesseraGrande = MaxTessere + 1;
inline constexpr int64_t MaxPosizionamentiGrandi = 100000;
// The placements start with room for this many and grow to what the puzzle needs (a clue of 9
// on an open board alone has tens of thousands of placements).
inline constexpr int MosseIniziali = 30000;
// The placement tables of one puzzle (placements and per-cell cover lists) may take at most this
// many bytes; a puzzle that would need more is refused before they are built. Within the model's
// limits (50 clues of 9 on a 50 x 50 board) they need about 200 MB.
inline constexpr int64_t LimiteTabelleMB = 400;
inline constexpr int MaxSol = 10; // solutions kept in Tblsol
inline constexpr int MaxSolParz = 200;
inline constexpr int MaxLivelli = 9; // search levels kept in EleSol
inline constexpr int MaxSolLivello = 5;

// A grid table indexed (row, column) for a board of Righe() x Colonne() cells, with a margin of
// zeros around it: rows 0..Righe() + 1, columns 0..Colonne() + 1, so that a neighbour of an edge
// cell reads 0. Stored column-major: (r, c) follows (r - 1, c). A default table fits the largest
// board of the search (MaxRighe x MaxRighe). The sanitizer build checks every index.
[[noreturn]] void FuoriTabella(int r, int c, int righe, int colonne);

template <class T> class TabellaGriglia {
  public:
    TabellaGriglia() : TabellaGriglia(MaxRighe, MaxRighe) {}
    TabellaGriglia(int righe, int colonne) { Dimensiona(righe, colonne); }

    // Resizes to righe x colonne; the cells both sizes hold keep their values, the others are 0.
    void Dimensiona(int righe, int colonne) {
        if (righe == righe_ && colonne == colonne_) return;
        const int passo = righe + 2;
        std::vector<T> v(static_cast<size_t>(passo) * static_cast<size_t>(colonne + 2), T{});
        for (int c = 0; !v_.empty() && c <= std::min(colonne, colonne_) + 1; ++c)
            for (int r = 0; r <= std::min(righe, righe_) + 1; ++r)
                v[static_cast<size_t>(c) * passo + r] = v_[static_cast<size_t>(c) * passo_ + r];
        v_ = std::move(v);
        passo_ = passo;
        righe_ = righe;
        colonne_ = colonne;
    }
    int Righe() const { return righe_; }
    int Colonne() const { return colonne_; }
    size_t Elementi() const { return v_.size(); } // margin included
    // Every element, margin included, set to 0.
    void Azzera() { std::fill(v_.begin(), v_.end(), T{}); }

    T& operator()(int r, int c) { return v_[Indice(r, c)]; }
    const T& operator()(int r, int c) const { return v_[Indice(r, c)]; }
    bool operator==(const TabellaGriglia&) const = default;

  private:
    size_t Indice(int r, int c) const {
#ifdef ISOLMAR_CONTROLLA_INDICI
        if (r < 0 || r > righe_ + 1 || c < 0 || c > colonne_ + 1)
            FuoriTabella(r, c, righe_, colonne_);
#endif
        return static_cast<size_t>(c) * static_cast<size_t>(passo_) + static_cast<size_t>(r);
    }
    std::vector<T> v_;
    int passo_ = 0;
    int righe_ = -1, colonne_ = -1;
};

// K grid tables under a leading index 0..K-1.
template <class T, int K> struct TabellaGriglia3 {
    std::array<TabellaGriglia<T>, K> t{};
    T& operator()(int k, int r, int c) { return t[k](r, c); }
    const T& operator()(int k, int r, int c) const { return t[k](r, c); }
    TabellaGriglia<T>& operator[](int k) { return t[k]; }
    const TabellaGriglia<T>& operator[](int k) const { return t[k]; }
    void Dimensiona(int righe, int colonne) {
        for (TabellaGriglia<T>& x : t)
            x.Dimensiona(righe, colonne);
    }
    void Azzera() {
        for (TabellaGriglia<T>& x : t)
            x.Azzera();
    }
};

using Griglia8 = TabellaGriglia<uint8_t>;

// One island (one clue). Num, Riga, Colonna and Marcata describe the puzzle; the rest is the
// solver's and is recomputed before every search.
struct Isola {
    int16_t Num = 0;
    uint8_t Riga = 0;
    uint8_t Colonna = 0;
    int32_t PrimaMossa = 0;
    int32_t UltimaMossa = 0;
    int32_t Tessera = 0;
    uint8_t TessRiga = 0;
    uint8_t TessColonna = 0;
    uint8_t Marcata = 0;
    bool operator==(const Isola&) const = default;
};

// TblIsoleLog value of a cell the player marked as island (the others hold an island, 1..MaxIsole).
inline constexpr uint8_t IsolaDelGiocatore = 255;
static_assert(MaxIsole < IsolaDelGiocatore);

// Cell codes of a shape drawing.
inline constexpr uint8_t Fuori = 0, CellaTessera = 1, CellaBordo = 2;

// One fixed island shape drawn with its orthogonal border ring, normalised so that row 1 and
// column 1 hold ring cells. Only rows 1..Righe and columns 1..Colonne are used: up to
// LatoTessera - 1, so a shape spans at most LatoTessera - 3 rows and columns.
inline constexpr int LatoTessera = 18;
struct Tessera {
    uint8_t Dim = 0;
    std::array<std::array<uint8_t, LatoTessera>, LatoTessera> Cella{};
    uint8_t Righe = 0;
    uint8_t Colonne = 0;
    bool operator==(const Tessera&) const = default;
};

struct IntervalloTessere {
    int32_t Prima = 0;
    int32_t Ultima = 0;
};

// A candidate placement: shape Tessera with its cell (TessRiga, TessColonna) on the clue cell.
struct Mossa {
    int32_t Tessera = 0;
    uint8_t TessRiga = 0;
    uint8_t TessColonna = 0;
};

// One move of the player: the clicked cell and the mouse button (1 left, 2 right, 4 middle).
struct MossaGioco {
    uint8_t Riga = 0;
    uint8_t Colonna = 0;
    uint8_t Tasto = 0;
    uint8_t Insieme = 0; // 1: one move with the one before (a hint applied); undone together
};

struct Modello {
    // Builds a zero-filled model with the defaults of a freshly opened main window: an empty
    // 10 x 10 puzzle, the monomino as shape 1 and the generation settings' defaults.
    Modello();

    // Grid tables.
    Griglia8 TblGioco;  // player's board: 0 undecided, 1 island, 2 wall
    Griglia8 TblSchema; // solver's board: 0 free, 1 island, 2k wall in the rings of k islands
    TabellaGriglia3<uint8_t, MaxSol + 1> Tblsol;
    Griglia8 TblVisitate; // difference table of two solutions; visited cells of a flood fill
    Griglia8 TblIsoleLog; // island decided by the explanation, per cell; IsolaDelGiocatore
                          // marks a cell the player made island

    // Islands.
    // Islands 1..NumEle; never fewer than MaxEle + 1 entries, those beyond NumEle zero.
    std::vector<Isola> Ele = std::vector<Isola>(MaxEle + 1);
    int16_t NumEle = 0;
    uint8_t NumRighe = 0;
    uint8_t NumColonne = 0;

    // Shapes.
    // Shapes 1..NumTessere; it grows as the shapes of a size are made.
    std::vector<Tessera> Tessere;
    std::array<IntervalloTessere, MaxNum + 1> IndTessere{};
    int32_t NumTessere = 0;

    // Candidate placements, 1..NumMosse.
    std::vector<Mossa> Mosse = std::vector<Mossa>(MosseIniziali + 1);
    // Per placement, the placed shapes that exclude it; 0 = usable. Apart from Mosse so that the
    // counters a shape walks lie close together.
    std::vector<int16_t> Blocchi = std::vector<int16_t>(MosseIniziali + 1);
    int32_t NumMosse = 0;
    // Per cell, the placements covering it (its own clue cell excepted), in increasing order:
    // cell x = CellaLista(r, c) holds Copre[InizioCopre[x]] .. Copre[InizioCopre[x + 1] - 1].
    // One packed array of 4-byte entries instead of linked 8-byte nodes, and no lists of ring
    // cells: the placements with a cell in their ring are found from the covers of its
    // neighbours (every ring cell neighbours a shape cell). The search walks it in its inner loop.
    std::vector<int32_t> Copre;
    std::array<int32_t, MaxRighe * MaxRighe + 2> InizioCopre{};
    static constexpr int CellaLista(int r, int c) { return (c - 1) * MaxRighe + r; }
    // A number of its own at every rebuild of the placements, so that a solver's tables derived
    // from them know when to rebuild.
    uint32_t VersioneListe = 0;
    // Both True when the placement tables were not built: the puzzle needs more than
    // LimiteTabelleMB (or the memory is exhausted). No search is run then.
    Booleano ListePiene = Falso;
    Booleano MossePiene = Falso;

    // Saved copies of the islands.
    std::vector<Isola> svEle = std::vector<Isola>(MaxEle + 1);
    int16_t svNumEle = 0;
    // Partial solutions 1..NumSolParz, islands 1..NumEleparz; it grows as they are stored.
    std::vector<std::vector<Isola>> Eleparz;
    std::array<int16_t, MaxSolParz + 1> NumEleparz{};
    uint8_t NumSolParz = 0;
    // Per level and solution, its islands: as many entries as Ele (DimensionaTabelle).
    std::array<std::array<std::vector<Isola>, MaxSolLivello + 1>, MaxLivelli + 1> EleSol = [] {
        std::array<std::array<std::vector<Isola>, MaxSolLivello + 1>, MaxLivelli + 1> t;
        for (auto& livello : t)
            for (auto& s : livello)
                s.resize(MaxEle + 1);
        return t;
    }();

    // Search state. Why the last search was not run on a puzzle beyond its limits; "" if it was.
    std::string OltreLaRicerca;
    Booleano SoluzMultiple = Falso;
    Booleano Trovata = Falso;
    Booleano MuroOk = Falso;
    int16_t NumSol = 0;
    int16_t SolCercate = 0;
    uint8_t Livello = 0;
    Booleano NoBlocchi = Falso;
    Booleano NoColori = Falso;
    int16_t CelleLibere = 0;
    int16_t ModoTempo = 0;
    double TempoInizio = 0;
    uint8_t TempoScaduto = 0;
    int64_t NumProve = 0; // wide enough for any search the program can run
    double TempoProgress = 0;
    double TempoRidisegno = 0;
    Booleano ModoAuto = Falso;
    Booleano Attivata = Falso;

    // Outcome of the last wall check.
    uint8_t EsitoMuro = 0;
    uint8_t Muro2x2Riga = 0, Muro2x2Colonna = 0;
    uint8_t TaglioRiga1 = 0, TaglioColonna1 = 0;
    uint8_t TaglioRiga2 = 0, TaglioColonna2 = 0;

    // Main window fields that board set-up reads.
    double LarghezzaIniziale = 0;
    Booleano RidisegnaSchema = Falso;
    int32_t NumMosseGioco = 0;
    // The player's moves 1..NumMosseGioco, oldest first (index 0 unused). It grows as needed: a
    // game on a large board can take thousands of clicks.
    std::vector<MossaGioco> MosseGioco = std::vector<MossaGioco>(1001);

    // Generation settings.
    int16_t DimMaxIsola = 4;
    int16_t DimIsolaGrande = 4;
    int16_t MaxIsoleGrandi = 6;
    int16_t TempoMaxGen = 50;
    int16_t MaxLivello = 4;
    int16_t SecSolunica = 5;
    int16_t SecSu2 = 30;

    // ---- Generator and uniqueness search (src/generator) -------------------------------------
    // One zone of the generator's partition: its cells in flood-fill order. Sized to the largest
    // board, so that even the first partition of a 50 x 50 grid fits.
    struct Zona {
        std::array<uint8_t, MaxRighe * MaxRighe + 1> CellaRiga{};
        std::array<uint8_t, MaxRighe * MaxRighe + 1> CellaColonna{};
        int16_t NumCelle = 0;
        uint8_t Esclusa = 0; // 1 = no cell of the zone may be walled (current measuring pass)
    };
    std::vector<Zona> Zone; // zone k becomes island k; it grows as zones are made
    int16_t NumZone = 0;
    Booleano RicercaFinita = Falso;
    Booleano RicercaInterrotta = Falso;
    double TempoInizioRicerca = 0;
    int32_t ContaFoglie = 0;

    // Rules of the configuration file Isolmar.ini (production mode); rule 0 takes the keys met
    // before the first "<REGOLA>".
    static constexpr int MaxRegole = 20;
    struct Regola {
        std::string Dir;
        std::string ModoFile;
        int16_t Schemi = 0;
        uint8_t Row = 0;
        uint8_t Col = 0;
        uint8_t IsolaMax = 0;
    };
    std::array<Regola, MaxRegole + 1> Regole{};
    int16_t NumRegole = 0;
    // ---- end of the generator's fields ------------------------------------------------------
};

// Sizes the grid tables to NumRighe x NumColonne and the islands to NumEle (at least MaxEle);
// what the old and new sizes share is kept.
void DimensionaTabelle(Modello& m);

inline std::unique_ptr<Modello> NuovoModello() {
    return std::make_unique<Modello>();
}

} // namespace isolmar
