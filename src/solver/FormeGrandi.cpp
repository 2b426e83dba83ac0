#include "solver/FormeGrandi.h"

#include <algorithm>

namespace isolmar {

namespace {

constexpr int MaxCampo = LatoTessera - 3; // rows or columns a shape may span

struct Enumerazione {
    const Griglia8& s;
    int num;
    int64_t limite;
    const std::function<bool(const CelleForma&)>& f;
    int64_t trovate = 0;
    bool fermata = false;
    CelleForma celle;
    TabellaGriglia<uint8_t> vista; // 1: already in the set or on its frontier

    // A cell of the set: on the board, free (or the clue itself), no other clue beside it.
    bool Ammessa(int r, int c, int r0, int c0) const {
        if (r < 1 || r > s.Righe() || c < 1 || c > s.Colonne()) return false;
        if (r == r0 && c == c0) return true;
        if (s(r, c) != 0) return false;
        const int vicine[4][2] = {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
        for (const auto& v : vicine)
            if (!(v[0] == r0 && v[1] == c0) && s(v[0], v[1]) == 1) return false;
        return true;
    }

    // Redelmeier's enumeration: each connected set holding the clue is met exactly once.
    void Estendi(std::vector<std::pair<uint8_t, uint8_t>> daProvare, int r0, int c0) {
        while (!daProvare.empty() && !fermata) {
            const auto cella = daProvare.back();
            daProvare.pop_back();
            celle.push_back(cella);
            if (static_cast<int>(celle.size()) == num) {
                if (++trovate > limite || !Campo() || !f(celle)) fermata = true;
            } else {
                std::vector<std::pair<uint8_t, uint8_t>> nuove = daProvare;
                const size_t prima = nuove.size();
                const int r = cella.first, c = cella.second;
                const int vicine[4][2] = {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
                for (const auto& v : vicine)
                    if (Ammessa(v[0], v[1], r0, c0) && !vista(v[0], v[1])) {
                        vista(v[0], v[1]) = 1;
                        nuove.emplace_back(static_cast<uint8_t>(v[0]), static_cast<uint8_t>(v[1]));
                    }
                Estendi(nuove, r0, c0);
                for (size_t k = prima; k < nuove.size(); ++k)
                    vista(nuove[k].first, nuove[k].second) = 0;
            }
            celle.pop_back();
        }
    }

    // The set fits a drawing.
    bool Campo() const {
        auto [rmin, rmax] = std::minmax_element(celle.begin(), celle.end(),
                                                [](auto x, auto y) { return x.first < y.first; });
        auto [cmin, cmax] = std::minmax_element(celle.begin(), celle.end(),
                                                [](auto x, auto y) { return x.second < y.second; });
        return rmax->first - rmin->first < MaxCampo && cmax->second - cmin->second < MaxCampo;
    }
};

} // namespace

bool PerFormeGrandi(const Griglia8& schema, int riga, int colonna, int num, int64_t limite,
                    const std::function<bool(const CelleForma&)>& f) {
    Enumerazione e{schema, num,   limite, f,
                   0,      false, {},     Griglia8(schema.Righe(), schema.Colonne())};
    e.vista(riga, colonna) = 1;
    e.celle.emplace_back(static_cast<uint8_t>(riga), static_cast<uint8_t>(colonna));
    if (num == 1) return f(e.celle);
    std::vector<std::pair<uint8_t, uint8_t>> primi;
    const int vicine[4][2] = {
        {riga - 1, colonna}, {riga + 1, colonna}, {riga, colonna - 1}, {riga, colonna + 1}};
    for (const auto& v : vicine)
        if (e.Ammessa(v[0], v[1], riga, colonna)) {
            e.vista(v[0], v[1]) = 1;
            primi.emplace_back(static_cast<uint8_t>(v[0]), static_cast<uint8_t>(v[1]));
        }
    e.Estendi(primi, riga, colonna);
    return !e.fermata;
}

std::string TroppeFormeGrandi(const Modello& m) {
    Griglia8 indizi(m.NumRighe, m.NumColonne);
    std::vector<Isola> grandi;
    for (int i = 1; i <= m.NumEle; ++i) {
        indizi(m.Ele[i].Riga, m.Ele[i].Colonna) = 1;
        if (m.Ele[i].Num > MaxNum) grandi.push_back(m.Ele[i]);
    }
    std::sort(grandi.begin(), grandi.end(), [](const Isola& x, const Isola& y) {
        return std::pair(x.Riga, x.Colonna) < std::pair(y.Riga, y.Colonna);
    });
    for (const Isola& e : grandi)
        if (!PerFormeGrandi(indizi, e.Riga, e.Colonna, e.Num, MaxPosizionamentiGrandi,
                            [](const CelleForma&) { return true; }))
            return "l'isola " + std::to_string(e.Riga) + "," + std::to_string(e.Colonna) +
                   " ha troppe configurazioni possibili";
    return {};
}

void DisegniGrandi::Clear() {
    if (m.Tessere.size() > static_cast<size_t>(PrimaTesseraGrande))
        m.Tessere.resize(PrimaTesseraGrande);
    indice_.clear();
}

DisegniGrandi::Posa DisegniGrandi::Aggiungi(const CelleForma& celle, int riga, int colonna) {
    int r0 = LatoTessera * 8, c0 = r0, r1 = 0, c1 = 0;
    for (const auto& [r, c] : celle) {
        r0 = std::min<int>(r0, r), r1 = std::max<int>(r1, r);
        c0 = std::min<int>(c0, c), c1 = std::max<int>(c1, c);
    }
    // Cell (r, c) of the board is (r - r0 + 2, c - c0 + 2) of the drawing.
    Tessera t;
    t.Dim = static_cast<uint8_t>(celle.size());
    t.Righe = static_cast<uint8_t>(r1 - r0 + 3);
    t.Colonne = static_cast<uint8_t>(c1 - c0 + 3);
    for (const auto& [r, c] : celle)
        t.Cella[r - r0 + 2][c - c0 + 2] = CellaTessera;
    for (const auto& [r, c] : celle) {
        const int a = r - r0 + 2, b = c - c0 + 2;
        const int vicine[4][2] = {{a - 1, b}, {a + 1, b}, {a, b - 1}, {a, b + 1}};
        for (const auto& v : vicine)
            if (t.Cella[v[0]][v[1]] == Fuori) t.Cella[v[0]][v[1]] = CellaBordo;
    }
    std::string chiave(t.Righe * t.Colonne + 2, '\0');
    chiave[0] = static_cast<char>(t.Righe), chiave[1] = static_cast<char>(t.Colonne);
    for (int a = 1; a <= t.Righe; ++a)
        for (int b = 1; b <= t.Colonne; ++b)
            chiave[2 + (a - 1) * t.Colonne + (b - 1)] = static_cast<char>(t.Cella[a][b]);
    if (m.Tessere.size() < static_cast<size_t>(PrimaTesseraGrande))
        m.Tessere.resize(PrimaTesseraGrande);
    auto [it, nuova] = indice_.try_emplace(chiave, static_cast<int32_t>(m.Tessere.size()));
    if (nuova) m.Tessere.push_back(t);
    return {it->second, static_cast<uint8_t>(riga - r0 + 2),
            static_cast<uint8_t>(colonna - c0 + 2)};
}

} // namespace isolmar
