#include "solver/Tessere.h"

#include "solver/TabellaTessere.h"

#include <bit>
#include <cstring>
#include <utility>

namespace isolmar {

namespace {

// The four low bits of n as four bytes of 0 or 1, bit i in the i-th byte in memory: four columns
// of a drawing row written at once.
constexpr auto BitInByte = [] {
    std::array<uint32_t, 16> t{};
    for (int n = 0; n < 16; ++n)
        t[n] = std::bit_cast<uint32_t>(std::array<uint8_t, 4>{
            uint8_t(n & 1), uint8_t(n >> 1 & 1), uint8_t(n >> 2 & 1), uint8_t(n >> 3 & 1)});
    return t;
}();

// Draws shape v of d cells, coded as in TabellaTessere.h, into t: the cells from row and column 2
// on, the ring around them in the rows and columns next to them.
void Disegna(uint32_t v, int d, Tessera& t) {
    const int w = static_cast<int>(v & 15);
    const uint32_t celle = v >> 4;
    const int h = (std::bit_width(celle) - 1) / w + 1;
    // Drawing row a as a mask, column b at bit b.
    auto riga = [&](int a) -> uint32_t {
        return a >= 2 && a <= h + 1 ? (celle >> ((a - 2) * w) & ((1u << w) - 1)) << 2 : 0;
    };
    t = Tessera{};
    t.Dim = static_cast<uint8_t>(d);
    t.Righe = static_cast<uint8_t>(h + 2);
    t.Colonne = static_cast<uint8_t>(w + 2);
    for (int a = 1; a <= h + 2; ++a) {
        const uint32_t f = riga(a), bordo = (riga(a - 1) | riga(a + 1) | f << 1 | f >> 1) & ~f;
        for (int q = 0; q < 3; ++q) {
            const uint32_t codici = BitInByte[f >> 4 * q & 15] | BitInByte[bordo >> 4 * q & 15]
                                                                     << 1;
            std::memcpy(&t.Cella[a][4 * q], &codici, 4);
        }
    }
}

} // namespace

void GeneraTessere(Modello& m, int d) {
    for (int k = 2; k <= d; ++k)
        GeneraTessereDim(m, k);
}

// Sizes are only ever added in order, so the table holds exactly sizes 1..d - 1 here and size d
// goes at the same numbers as in the precomputed table.
void GeneraTessereDim(Modello& m, int d) {
    if (d < 2 || d > MaxNum || m.IndTessere[d].Prima != 0 || m.IndTessere[d - 1].Prima == 0) return;
    const IntervalloTessere ind = IndiciTessere[d];
    if (m.Tessere.size() <= static_cast<size_t>(ind.Ultima))
        m.Tessere.resize(static_cast<size_t>(ind.Ultima) + 1);
    for (int k = ind.Prima; k <= ind.Ultima; ++k)
        Disegna(FormeTessere[k], d, m.Tessere[k]);
    m.IndTessere[d] = ind;
    m.NumTessere = ind.Ultima;
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
        p.ImpostaTesto(controlli::Label2, TestoOttimizzazione);
        p.Ridisegna();
        if (d == 9) GeneraTessereDim(m, 8);
        GeneraTessereDim(m, d);
    };
    for (int i = 1; i <= m.NumEle; ++i) {
        const int num = m.Ele[i].Num;
        if (num >= 8 && num <= MaxNum && m.IndTessere[num].Prima == 0) costruisci(num);
    }
    p.ImpostaTesto(controlli::Label2, "");
}

} // namespace isolmar
