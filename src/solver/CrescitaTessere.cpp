// The computation of the shape table: each size grown from the one below by turning every ring
// cell of every shape into a shape cell, kept once each and sorted by key. The build runs it
// (tools/tabella_tessere.cpp); the programs decode its result.
#include "solver/Tessere.h"

#include <algorithm>

namespace isolmar {

namespace {

constexpr int LatoChiave = 11; // a key is an 11 x 11 window

// A key: the codes of the 11 x 11 window read row by row, two bits each, packed from the most
// significant bit of the first word on. Comparing keys as arrays of words is comparing the codes
// one by one, so they sort as the windows read as text would, without building text.
using Chiave = std::array<uint64_t, 4>;
constexpr int CodiciPerParola = 32;

uint8_t LeggiCodice(const Chiave& chiave, int indice) {
    return static_cast<uint8_t>(
        chiave[indice / CodiciPerParola] >> (62 - 2 * (indice % CodiciPerParola)) & 3u);
}

// A row of the window as a mask: column b (0-based) is bit 10 - b.
constexpr uint16_t RigaPiena = (1u << LatoChiave) - 1;

// Bit k of x moved to bit 2k (x of at most 16 bits).
uint32_t Allarga(uint32_t x) {
    x = (x | x << 8) & 0x00FF00FFu;
    x = (x | x << 4) & 0x0F0F0F0Fu;
    x = (x | x << 2) & 0x33333333u;
    return (x | x << 1) & 0x55555555u;
}

// The 22 bits of a window row: the two-bit code of column b at bits 21 - 2b and 20 - 2b.
uint32_t CodiciRiga(uint16_t forma, uint16_t bordo) {
    return Allarga(forma) | Allarga(bordo) << 1;
}

// The key of the shape whose cells are forma (window rows, the shape's first row and column at
// window row and column 1): its ring is every neighbour of a shape cell that is not one.
Chiave ChiaveDi(const std::array<uint16_t, LatoChiave>& forma) {
    Chiave chiave{};
    for (int a = 0; a < LatoChiave; ++a) {
        const uint16_t sopra = a > 0 ? forma[a - 1] : 0,
                       sotto = a + 1 < LatoChiave ? forma[a + 1] : 0;
        const uint16_t f = forma[a];
        const uint16_t bordo = (sopra | sotto | f << 1 | f >> 1) & ~f & RigaPiena;
        if ((f | bordo) == 0) continue;
        const uint64_t v = CodiciRiga(f, bordo);
        // Bits a * 22 .. a * 22 + 21 of the key, counted from the most significant of word 0.
        const int inizio = a * 2 * LatoChiave, parola = inizio / 64, dentro = inizio % 64;
        const int resto = 64 - dentro - 2 * LatoChiave; // room left in the word after the row
        if (resto >= 0) {
            chiave[parola] |= v << resto;
        } else {
            chiave[parola] |= v >> -resto;
            chiave[parola + 1] |= v << (64 + resto);
        }
    }
    return chiave;
}

using Forma = std::array<uint16_t, LatoChiave>;

// The shape cells of drawing p as window rows.
Forma FormaDi(const Tessera& p) {
    Forma forma{};
    for (int a = 1; a <= p.Righe && a <= LatoChiave; ++a)
        for (int b = 1; b <= p.Colonne && b <= LatoChiave; ++b)
            if (p.Cella[a][b] == CellaTessera)
                forma[a - 1] = static_cast<uint16_t>(forma[a - 1] | 1u << (LatoChiave - b));
    return forma;
}

// The key of the shape grown from the shape genitore (the cells of a drawing) by turning its
// ring cell (i, j) into a shape cell. The parent keeps its place in the window unless the new
// cell adds a row above (i = 1) or a column to the left (j = 1): then it moves down or right.
Chiave ChiaveCresciuta(const Forma& genitore, int i, int j) {
    const int si = i == 1 ? 1 : 0, sj = j == 1 ? 1 : 0;
    Forma forma{};
    for (int a = 0; a + si < LatoChiave; ++a)
        forma[a + si] = static_cast<uint16_t>(genitore[a] >> sj);
    const int r = i - 1 + si, c = j - 1 + sj;
    forma[r] = static_cast<uint16_t>(forma[r] | 1u << (LatoChiave - 1 - c));
    return ChiaveDi(forma);
}

void AggiungiTessera(Modello& m, int d, const Chiave& chiave) {
    ++m.NumTessere;
    IntervalloTessere& ind = m.IndTessere[d];
    if (ind.Prima == 0) ind.Prima = m.NumTessere;
    ind.Ultima = m.NumTessere;
    if (m.Tessere.size() <= static_cast<size_t>(m.NumTessere))
        m.Tessere.resize(static_cast<size_t>(m.NumTessere) + 1);
    Tessera& t = m.Tessere[m.NumTessere];
    t = Tessera{};
    t.Dim = static_cast<uint8_t>(d);
    for (int r = 1; r <= LatoChiave; ++r)
        for (int c = 1; c <= LatoChiave; ++c) {
            const uint8_t codice = LeggiCodice(chiave, LatoChiave * (r - 1) + c - 1);
            t.Cella[r][c] = codice;
            if (codice != Fuori) {
                t.Righe = std::max<uint8_t>(t.Righe, static_cast<uint8_t>(r));
                t.Colonne = std::max<uint8_t>(t.Colonne, static_cast<uint8_t>(c));
            }
        }
}

} // namespace

void CresciTessere(Modello& m, int d) {
    const IntervalloTessere genitori = m.IndTessere[d - 1];
    std::vector<Chiave> chiavi;
    for (int p = genitori.Prima; p <= genitori.Ultima; ++p) {
        const Tessera& t = m.Tessere[p];
        const Forma forma = FormaDi(t);
        for (int i = 1; i <= t.Righe; ++i)
            for (int j = 1; j <= t.Colonne; ++j)
                if (t.Cella[i][j] == CellaBordo) chiavi.push_back(ChiaveCresciuta(forma, i, j));
    }
    std::sort(chiavi.begin(), chiavi.end());
    chiavi.erase(std::unique(chiavi.begin(), chiavi.end()), chiavi.end());
    for (const Chiave& chiave : chiavi)
        AggiungiTessera(m, d, chiave);
}

} // namespace isolmar
