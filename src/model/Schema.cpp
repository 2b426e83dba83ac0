#include "model/Schema.h"

#include <set>
#include <utility>

namespace isolmar {

namespace {
std::string n(int v) {
    return std::to_string(v);
}
} // namespace

std::string ValidaSchema(const Schema& s) {
    if (s.Righe < 1 || s.Righe > MaxLato)
        return "Numero di righe non ammesso: " + n(s.Righe) + " (da 1 a " + n(MaxLato) + ")";
    if (s.Colonne < 1 || s.Colonne > MaxLato)
        return "Numero di colonne non ammesso: " + n(s.Colonne) + " (da 1 a " + n(MaxLato) + ")";
    if (s.Isole.empty()) return "Lo schema non contiene isole";
    const int celle = s.Righe * s.Colonne;
    if (s.Isole.size() > static_cast<size_t>(celle))
        return "Troppe isole: " + n(static_cast<int>(s.Isole.size())) + " (al massimo " + n(celle) +
               ")";
    std::set<std::pair<int, int>> occupate;
    for (size_t k = 0; k < s.Isole.size(); ++k) {
        const Indizio& i = s.Isole[k];
        const std::string isola = "Isola " + n(static_cast<int>(k + 1)) + ": ";
        if (i.Num < 1 || i.Num > celle)
            return isola + "numero " + n(i.Num) + " non ammesso (da 1 a " + n(celle) + ")";
        if (i.Riga < 1 || i.Riga > s.Righe || i.Colonna < 1 || i.Colonna > s.Colonne)
            return isola + "la cella (" + n(i.Riga) + ", " + n(i.Colonna) +
                   ") è fuori dalla griglia";
        if (!occupate.insert({i.Riga, i.Colonna}).second)
            return isola + "la cella (" + n(i.Riga) + ", " + n(i.Colonna) + ") ha già un numero";
    }
    return {};
}

std::string OltreLeTabelle(const Schema& s) {
    if (s.Righe > MaxRighe || s.Colonne > MaxRighe)
        return "la griglia supera " + n(MaxRighe) + " x " + n(MaxRighe) + " celle";
    if (s.Isole.size() > static_cast<size_t>(MaxIsole))
        return "lo schema ha più di " + n(MaxIsole) + " isole";
    return {};
}

std::string OltreLeForme(const Schema& s) {
    if (std::string motivo = OltreLeTabelle(s); !motivo.empty()) return motivo;
    for (const Indizio& i : s.Isole)
        if (i.Num > MaxNum)
            return "l'isola " + n(i.Riga) + "," + n(i.Colonna) +
                   " ha troppe configurazioni possibili";
    return {};
}

std::pair<int, int> Immagine(Simmetria s, int righe, int colonne, int r, int c) {
    switch (s) {
    case Simmetria::Rot2:
        return {righe + 1 - r, colonne + 1 - c};
    case Simmetria::Specchio:
        return {r, colonne + 1 - c};
    case Simmetria::Nessuna:
        break;
    }
    return {r, c};
}

bool ApplicaSchema(Modello& m, const Schema& s) {
    if (!ValidaSchema(s).empty()) return false;
    PoniSchema(m, s);
    return true;
}

void PoniSchema(Modello& m, const Schema& s) {
    m.NumRighe = static_cast<uint8_t>(s.Righe);
    m.NumColonne = static_cast<uint8_t>(s.Colonne);
    m.NumEle = static_cast<int16_t>(s.Isole.size());
    DimensionaTabelle(m);
    for (size_t i = 1; i < m.Ele.size(); ++i)
        m.Ele[i] = Isola{};
    for (int i = 1; i <= m.NumEle; ++i) {
        const Indizio& d = s.Isole[i - 1];
        m.Ele[i].Num = static_cast<int16_t>(d.Num);
        m.Ele[i].Riga = static_cast<uint8_t>(d.Riga);
        m.Ele[i].Colonna = static_cast<uint8_t>(d.Colonna);
    }
}

Schema SchemaDa(const Modello& m) {
    Schema s{m.NumRighe, m.NumColonne, {}};
    for (int i = 1; i <= m.NumEle; ++i)
        s.Isole.push_back({m.Ele[i].Num, m.Ele[i].Riga, m.Ele[i].Colonna});
    return s;
}

std::string CelleSoluzione(const Modello& m, int k) {
    std::string celle;
    celle.reserve(static_cast<size_t>(m.NumRighe) * m.NumColonne);
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            celle += m.Tblsol(k, r, c) == 1 ? '1' : '0';
    return celle;
}

bool RisolveSchema(const Schema& s, std::string_view celle) {
    const int R = s.Righe, C = s.Colonne;
    if (R < 1 || C < 1 || celle.size() != static_cast<size_t>(R * C)) return false;
    auto isola = [&](int r, int c) {
        return celle[static_cast<size_t>((r - 1) * C + c - 1)] == '1';
    };
    std::vector<int> indizio(static_cast<size_t>(R * C), 0); // clue number per cell, 0 none
    for (const Indizio& i : s.Isole) {
        if (i.Riga < 1 || i.Riga > R || i.Colonna < 1 || i.Colonna > C) return false;
        if (!isola(i.Riga, i.Colonna)) return false;
        indizio[static_cast<size_t>((i.Riga - 1) * C + i.Colonna - 1)] = i.Num;
    }
    // Flood fill of every region of equal kind: islands must hold one clue of their size, and
    // there is at most one wall region.
    std::vector<char> vista(static_cast<size_t>(R * C), 0);
    std::vector<std::pair<int, int>> coda;
    int regioniMuro = 0;
    for (int r0 = 1; r0 <= R; ++r0)
        for (int c0 = 1; c0 <= C; ++c0) {
            if (vista[static_cast<size_t>((r0 - 1) * C + c0 - 1)]) continue;
            const bool tipo = isola(r0, c0);
            int indizi = 0, numero = 0;
            coda.assign(1, {r0, c0});
            vista[static_cast<size_t>((r0 - 1) * C + c0 - 1)] = 1;
            for (size_t k = 0; k < coda.size(); ++k) {
                const auto [r, c] = coda[k];
                if (const int n = indizio[static_cast<size_t>((r - 1) * C + c - 1)]) {
                    ++indizi;
                    numero = n;
                }
                for (const auto& [rr, cc] :
                     {std::pair{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}}) {
                    if (rr < 1 || rr > R || cc < 1 || cc > C || isola(rr, cc) != tipo) continue;
                    char& v = vista[static_cast<size_t>((rr - 1) * C + cc - 1)];
                    if (!v) {
                        v = 1;
                        coda.emplace_back(rr, cc);
                    }
                }
            }
            if (tipo && (indizi != 1 || static_cast<size_t>(numero) != coda.size())) return false;
            if (!tipo && ++regioniMuro > 1) return false;
        }
    for (int r = 1; r < R; ++r)
        for (int c = 1; c < C; ++c)
            if (!isola(r, c) && !isola(r + 1, c) && !isola(r, c + 1) && !isola(r + 1, c + 1))
                return false;
    return true;
}

} // namespace isolmar
