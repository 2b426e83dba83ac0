#include "solver/Tessere.h"

#include <algorithm>
#include <utility>

namespace isolmar {

namespace {

constexpr int LatoChiave = 11; // a key is an 11 x 11 window
constexpr int LatoLavoro = 14; // the parent shifted by one, with room for one more ring row/column
using Disegno = std::array<std::array<uint8_t, LatoLavoro>, LatoLavoro>;

// A key: the codes of the 11 x 11 window read row by row, two bits each, packed from the most
// significant bit of the first word on. Comparing keys as arrays of words is comparing the codes
// one by one, so they sort as the windows read as text would, without building text.
using Chiave = std::array<uint64_t, 4>;
constexpr int CodiciPerParola = 32;

void ScriviCodice(Chiave& chiave, int indice, uint8_t codice) {
    chiave[indice / CodiciPerParola] |= uint64_t{codice} << (62 - 2 * (indice % CodiciPerParola));
}

uint8_t LeggiCodice(const Chiave& chiave, int indice) {
    return static_cast<uint8_t>(
        chiave[indice / CodiciPerParola] >> (62 - 2 * (indice % CodiciPerParola)) & 3u);
}

// The key of the drawing grown from shape p by turning its ring cell (i, j) into a shape cell.
// The parent is copied shifted by one row and column; its first row and column hold ring cells,
// so the grown drawing starts at row 2 and column 2 unless the new cell's ring adds a row above
// (i = 1) or a column to the left (j = 1).
Chiave ChiaveCresciuta(const Tessera& p, int i, int j) {
    Disegno w{};
    for (int a = 1; a <= p.Righe; ++a)
        for (int b = 1; b <= p.Colonne; ++b)
            w[a + 1][b + 1] = p.Cella[a][b];
    const int r = i + 1, c = j + 1;
    w[r][c] = CellaTessera;
    const int vicini[4][2] = {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
    for (const auto& v : vicini)
        if (w[v[0]][v[1]] == Fuori) w[v[0]][v[1]] = CellaBordo;
    const int minRiga = i == 1 ? 1 : 2, minColonna = j == 1 ? 1 : 2;
    Chiave chiave{};
    for (int a = 0; a < LatoChiave; ++a)
        for (int b = 0; b < LatoChiave; ++b) {
            const int ra = minRiga + a, cb = minColonna + b;
            if (ra < LatoLavoro && cb < LatoLavoro && w[ra][cb] != Fuori)
                ScriviCodice(chiave, a * LatoChiave + b, w[ra][cb]);
        }
    return chiave;
}

void AggiungiTessera(Modello& m, int d, const Chiave& chiave) {
    ++m.NumTessere;
    IntervalloTessere& ind = m.IndTessere[d];
    if (ind.Prima == 0) ind.Prima = m.NumTessere;
    ind.Ultima = m.NumTessere;
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

void GeneraTessere(Modello& m, int d) {
    for (int k = 2; k <= d; ++k)
        GeneraTessereDim(m, k);
}

void GeneraTessereDim(Modello& m, int d) {
    if (d < 2 || d > MaxNum || m.IndTessere[d].Prima != 0 || m.IndTessere[d - 1].Prima == 0) return;
    const IntervalloTessere genitori = m.IndTessere[d - 1];
    std::vector<Chiave> chiavi;
    for (int p = genitori.Prima; p <= genitori.Ultima; ++p) {
        const Tessera& t = m.Tessere[p];
        for (int i = 1; i <= t.Righe; ++i)
            for (int j = 1; j <= t.Colonne; ++j)
                if (t.Cella[i][j] == CellaBordo) chiavi.push_back(ChiaveCresciuta(t, i, j));
    }
    std::sort(chiavi.begin(), chiavi.end());
    chiavi.erase(std::unique(chiavi.begin(), chiavi.end()), chiavi.end());
    for (const Chiave& chiave : chiavi)
        AggiungiTessera(m, d, chiave);
}

void Sortaqs6(std::vector<std::string>& chiavi, int lo0, int hi0) {
    if (hi0 <= lo0) return; // nothing to sort (an empty range too: hi0 = lo0 - 1)
    int lo = lo0, hi = hi0;
    const int medio = lo + (hi - lo) / 2;
    std::string perno = std::move(chiavi[medio]);
    if (medio != lo) chiavi[medio] = std::move(chiavi[lo]);
    // The hole is at lo; each step fills it from the other end and moves it there.
    for (;;) {
        while (lo < hi && chiavi[hi] > perno)
            --hi;
        if (hi <= lo) break;
        chiavi[lo] = std::move(chiavi[hi]);
        ++lo;
        while (lo < hi && chiavi[lo] < perno)
            ++lo;
        if (lo >= hi) {
            lo = hi;
            break;
        }
        chiavi[hi] = std::move(chiavi[lo]);
        --hi;
    }
    chiavi[lo] = std::move(perno);
    if (lo - 1 > lo0) Sortaqs6(chiavi, lo0, lo - 1);
    if (hi0 > lo + 1) Sortaqs6(chiavi, lo + 1, hi0);
}

void VerificaTutteTessere(Modello& m, Piattaforma& p) {
    auto costruisci = [&](int d) {
        p.ImpostaTesto("Label2", TestoOttimizzazione);
        p.Ridisegna();
        if (d == 9) GeneraTessereDim(m, 8);
        GeneraTessereDim(m, d);
    };
    for (int i = 1; i <= m.NumEle; ++i) {
        const int num = m.Ele[i].Num;
        if (num >= 8 && m.IndTessere[num].Prima == 0) costruisci(num);
    }
    p.ImpostaTesto("Label2", "");
}

bool AlmenoUnaPossibile(const Modello& m, int16_t i) {
    const Isola& e = m.svEle[i];
    if (e.PrimaMossa == 0) return false;
    for (int32_t k = e.PrimaMossa; k <= e.UltimaMossa; ++k)
        if (m.Mosse[k].Blocchi == 0) return true;
    return false;
}

} // namespace isolmar
