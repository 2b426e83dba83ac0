#include "solver/Tessere.h"

#include <utility>

namespace isolmar {

void GeneraTessere(Modello& m, int d) {
    for (int k = 2; k <= d; ++k)
        GeneraTessereDim(m, k);
}

void GeneraTessereDim(Modello& m, int d) {
    if (d < 2 || d > MaxNum || m.IndTessere[d].Prima != 0 || m.IndTessere[d - 1].Prima == 0) return;
    CresciTessere(m, d);
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
