#include "ui/ErroriGioco.h"

#include "view/Griglia.h"

#include <algorithm>
#include <utility>

namespace isolmar {

std::vector<uint16_t> ErroriGioco(const Schema& s, std::string_view celle) {
    const int R = s.Righe, C = s.Colonne, n = R * C;
    std::vector<uint16_t> errori(static_cast<size_t>(std::max(n, 0)), 0);
    if (n <= 0 || celle.size() < static_cast<size_t>(n)) return errori;
    std::vector<int> indizio(static_cast<size_t>(n), 0); // the clue's number, 0 none
    for (const Indizio& k : s.Isole)
        if (k.Riga >= 1 && k.Riga <= R && k.Colonna >= 1 && k.Colonna <= C)
            indizio[static_cast<size_t>((k.Riga - 1) * C + k.Colonna - 1)] = k.Num;
    auto isola = [&](int i) { return indizio[i] > 0 || celle[i] == '1'; };
    auto muro = [&](int i) { return indizio[i] == 0 && celle[i] == '2'; };
    auto indecisa = [&](int i) { return !isola(i) && !muro(i); };
    auto vicini = [&](int i, auto&& f) {
        const int r = i / C, c = i % C;
        if (r > 0) f(i - C);
        if (r + 1 < R) f(i + C);
        if (c > 0) f(i - 1);
        if (c + 1 < C) f(i + 1);
    };

    for (int r = 0; r + 1 < R; ++r)
        for (int c = 0; c + 1 < C; ++c) {
            const int i = r * C + c;
            if (muro(i) && muro(i + 1) && muro(i + C) && muro(i + C + 1))
                for (int j : {i, i + 1, i + C, i + C + 1})
                    errori[j] |= segni::Muro2x2;
        }

    // Groups of cells joined side by side where dentro holds, one at a time from each cell not
    // yet reached; fatto gets each group's cells.
    std::vector<char> raggiunta(static_cast<size_t>(n));
    auto gruppi = [&](auto&& dentro, auto&& fatto) {
        std::fill(raggiunta.begin(), raggiunta.end(), 0);
        std::vector<int> g;
        for (int i = 0; i < n; ++i) {
            if (raggiunta[i] || !dentro(i)) continue;
            g.assign(1, i);
            raggiunta[i] = 1;
            for (size_t k = 0; k < g.size(); ++k)
                vicini(g[k], [&](int j) {
                    if (!raggiunta[j] && dentro(j)) {
                        raggiunta[j] = 1;
                        g.push_back(j);
                    }
                });
            fatto(g);
        }
    };

    gruppi(isola, [&](const std::vector<int>& g) {
        int indizi = 0, numero = 0;
        bool aperta = false;
        for (int i : g) {
            if (indizio[i] > 0) {
                ++indizi;
                numero = indizio[i];
            }
            vicini(i, [&](int j) { aperta = aperta || indecisa(j); });
        }
        const int dim = static_cast<int>(g.size());
        const uint16_t e = indizi > 1                               ? segni::DueIndizi
                           : indizi == 1 && dim > numero            ? segni::IsolaGrande
                           : indizi == 1 && !aperta && dim < numero ? segni::IsolaPiccola
                           : indizi == 0 && !aperta                 ? segni::IsolaSenzaIndizio
                                                                    : 0;
        for (int i : g)
            errori[i] |= e;
    });

    // The walls that wall and undecided cells can still join: one group each.
    std::vector<std::vector<int>> muri; // per group, its wall cells
    gruppi([&](int i) { return !isola(i); },
           [&](const std::vector<int>& g) {
               std::vector<int> m;
               for (int i : g)
                   if (muro(i)) m.push_back(i);
               if (!m.empty()) muri.push_back(std::move(m));
           });
    if (muri.size() > 1) {
        size_t piu = 0;
        for (const auto& m : muri)
            piu = std::max(piu, m.size());
        const auto conPiu =
            std::count_if(muri.begin(), muri.end(), [&](const auto& m) { return m.size() == piu; });
        for (const auto& m : muri)
            if (m.size() < piu || conPiu > 1)
                for (int i : m)
                    errori[i] |= segni::MuroDiviso;
    }
    return errori;
}

std::string DescriviErrori(uint16_t s) {
    static const std::pair<uint16_t, const char*> testi[] = {
        {segni::Muro2x2, "Blocco 2 x 2 di muro"},
        {segni::DueIndizi, "Isola con più di un numero"},
        {segni::IsolaGrande, "Isola più grande del suo numero"},
        {segni::IsolaPiccola, "Isola chiusa più piccola del suo numero"},
        {segni::IsolaSenzaIndizio, "Isola chiusa senza numero"},
        {segni::MuroDiviso, "Muro separato dal resto del muro"},
    };
    std::string t;
    for (const auto& [bit, testo] : testi)
        if (s & bit) t += (t.empty() ? "" : "\n") + std::string(testo);
    return t;
}

} // namespace isolmar
