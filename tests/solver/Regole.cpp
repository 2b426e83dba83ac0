#include "solver/Regole.h"

#include "io/Letture.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace isolmar::prova {

std::string ControllaRegole(const Schema& s, const Tavola& t) {
    const int R = s.Righe, C = s.Colonne;
    if (static_cast<int>(t.size()) != R) return "righe";
    auto terra = [&](int x) { return t[x / C][x % C] == '1'; };
    std::vector<int> gruppo(R * C, -1); // the clue whose island holds the cell; s.Isole.size() wall
    // Labels k on the cells of x's kind connected to x; their number.
    auto riempi = [&](int x, int k) {
        int n = 0;
        gruppo[x] = k;
        for (std::vector<int> pila{x}; !pila.empty(); ++n) {
            const int y = pila.back();
            pila.pop_back();
            for (int z : {y - C, y + C, y % C ? y - 1 : -1, (y + 1) % C ? y + 1 : -1})
                if (z >= 0 && z < R * C && terra(z) == terra(x) && gruppo[z] == -1) {
                    gruppo[z] = k;
                    pila.push_back(z);
                }
        }
        return n;
    };
    const int k = static_cast<int>(s.Isole.size());
    for (int i = 0; i < k; ++i) {
        const Indizio& d = s.Isole[i];
        const int x = (d.Riga - 1) * C + d.Colonna - 1;
        if (!terra(x)) return "indizio su muro";
        if (gruppo[x] != -1) return "due indizi in un'isola";
        if (riempi(x, i) != d.Num) return "isola di dimensione sbagliata";
    }
    int muri = 0;
    for (int x = 0; x < R * C; ++x) {
        if (terra(x) && gruppo[x] == -1) return "isola senza indizio";
        muri += !terra(x);
        if (x / C + 1 < R && (x + 1) % C && !terra(x) && !terra(x + 1) && !terra(x + C) &&
            !terra(x + C + 1))
            return "muro 2x2";
    }
    for (int x = 0; x < R * C; ++x)
        if (!terra(x)) return riempi(x, k) == muri ? "" : "muro diviso";
    return "";
}

Tavola TavolaDaTblsol(const Modello& m, int k) {
    Tavola t(m.NumRighe, std::string(m.NumColonne, '0'));
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            if (m.Tblsol(k, r, c) == 1) t[r - 1][c - 1] = '1';
    return t;
}

std::set<std::pair<int, int>> CelleForma(const Modello& m, int r, int c, int t, int a, int b) {
    std::set<std::pair<int, int>> celle;
    const Tessera& s = m.Tessere[t];
    for (int i = 1; i <= s.Righe; ++i)
        for (int j = 1; j <= s.Colonne; ++j)
            if (s.Cella[i][j] == CellaTessera) celle.insert({r - a + i, c - b + j});
    return celle;
}

namespace {

std::filesystem::path CartellaPubblicati() {
    const char* cartella = std::getenv("ISOLMAR_PUZZLES");
    return cartella ? cartella : ISOLMAR_PUZZLES_DIR;
}

// The text files of a folder, through the program's reader (the file forms have their own tests).
std::vector<Pubblicato> Leggi(const std::filesystem::path& cartella) {
    std::vector<Pubblicato> tutti;
    for (const auto& f : std::filesystem::directory_iterator(cartella)) {
        std::string testo;
        if (f.path().extension() != ".txt" || !LeggiFile(f.path().string(), testo)) continue;
        const SchemaLetto l = LeggiSchema(testo).Letto;
        Pubblicato p{f.path().stem().string(), l.S, {}};
        for (size_t k = 0; k < l.Soluzione.size(); k += l.S.Colonne)
            p.Soluzione.push_back(l.Soluzione.substr(k, l.S.Colonne));
        tutti.push_back(std::move(p));
    }
    std::sort(tutti.begin(), tutti.end(),
              [](const Pubblicato& a, const Pubblicato& b) { return a.Nome < b.Nome; });
    return tutti;
}

} // namespace

std::vector<Pubblicato> PuzzlePubblicati() {
    return Leggi(CartellaPubblicati());
}

std::vector<Pubblicato> PuzzleDifficili() {
    return Leggi(CartellaPubblicati().parent_path() / "difficili");
}

std::vector<Pubblicato> PuzzleOltre() {
    return Leggi(CartellaPubblicati().parent_path() / "oltre");
}

} // namespace isolmar::prova
