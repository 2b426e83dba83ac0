#include "solver/Regole.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace isolmar::prova {

std::string ControllaRegole(const Schema& s, const Tavola& t) {
    const int R = s.Righe, C = s.Colonne;
    if (static_cast<int>(t.size()) != R) return "righe";
    std::vector<std::vector<int>> isola(R, std::vector<int>(C, -1));
    auto dentro = [&](int r, int c) { return r >= 0 && r < R && c >= 0 && c < C; };
    auto terra = [&](int r, int c) { return t[r][c] == '1'; };
    // Islands: flood from each clue; it must reach exactly Num cells and no other clue.
    for (size_t k = 0; k < s.Isole.size(); ++k) {
        const Indizio& d = s.Isole[k];
        const int r0 = d.Riga - 1, c0 = d.Colonna - 1;
        if (!terra(r0, c0)) return "indizio su muro";
        if (isola[r0][c0] != -1) return "due indizi in un'isola";
        std::vector<std::pair<int, int>> pila{{r0, c0}};
        isola[r0][c0] = static_cast<int>(k);
        int celle = 0;
        while (!pila.empty()) {
            auto [r, c] = pila.back();
            pila.pop_back();
            ++celle;
            const int dr[4] = {-1, 1, 0, 0}, dc[4] = {0, 0, -1, 1};
            for (int v = 0; v < 4; ++v) {
                const int rr = r + dr[v], cc = c + dc[v];
                if (!dentro(rr, cc) || !terra(rr, cc)) continue;
                if (isola[rr][cc] == static_cast<int>(k)) continue;
                if (isola[rr][cc] != -1) return "due indizi in un'isola";
                isola[rr][cc] = static_cast<int>(k);
                pila.push_back({rr, cc});
            }
        }
        if (celle != d.Num) return "isola di dimensione sbagliata";
    }
    int muri = 0, primoR = -1, primoC = -1;
    for (int r = 0; r < R; ++r)
        for (int c = 0; c < C; ++c) {
            if (terra(r, c) && isola[r][c] == -1) return "isola senza indizio";
            if (!terra(r, c)) {
                ++muri;
                if (primoR < 0) primoR = r, primoC = c;
            }
            if (r + 1 < R && c + 1 < C && !terra(r, c) && !terra(r + 1, c) && !terra(r, c + 1) &&
                !terra(r + 1, c + 1))
                return "muro 2x2";
        }
    if (muri == 0) return "";
    std::vector<std::vector<char>> visto(R, std::vector<char>(C, 0));
    std::vector<std::pair<int, int>> pila{{primoR, primoC}};
    visto[primoR][primoC] = 1;
    int raggiunti = 0;
    while (!pila.empty()) {
        auto [r, c] = pila.back();
        pila.pop_back();
        ++raggiunti;
        const int dr[4] = {-1, 1, 0, 0}, dc[4] = {0, 0, -1, 1};
        for (int v = 0; v < 4; ++v) {
            const int rr = r + dr[v], cc = c + dc[v];
            if (dentro(rr, cc) && !terra(rr, cc) && !visto[rr][cc]) {
                visto[rr][cc] = 1;
                pila.push_back({rr, cc});
            }
        }
    }
    return raggiunti == muri ? "" : "muro diviso";
}

Tavola TavolaDaTblsol(const Modello& m, int k) {
    Tavola t(m.NumRighe, std::string(m.NumColonne, '0'));
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            if (m.Tblsol(k, r, c) == 1) t[r - 1][c - 1] = '1';
    return t;
}

namespace {

std::string CartellaPubblicati() {
    const char* cartella = std::getenv("ISOLMAR_PUZZLES");
    return cartella ? cartella : ISOLMAR_PUZZLES_DIR;
}

std::vector<Pubblicato> Leggi(const std::filesystem::path& cartella) {
    std::vector<Pubblicato> tutti;
    if (!std::filesystem::is_directory(cartella)) return tutti;
    for (const auto& f : std::filesystem::directory_iterator(cartella)) {
        if (f.path().extension() != ".txt") continue;
        std::ifstream in(f.path());
        std::string riga;
        std::getline(in, riga);
        std::vector<std::string> campi;
        std::stringstream ss(riga);
        for (std::string x; std::getline(ss, x, ',');)
            campi.push_back(x);
        Pubblicato p;
        p.Nome = f.path().stem().string();
        p.S.Righe = std::stoi(campi.at(2));
        p.S.Colonne = std::stoi(campi.at(3));
        for (int r = 0; r < p.S.Righe; ++r)
            p.Soluzione.push_back(
                campi[0].substr(static_cast<size_t>(r) * p.S.Colonne, p.S.Colonne));
        while (std::getline(in, riga)) {
            if (!riga.empty() && riga.back() == '\r') riga.pop_back();
            if (riga.empty()) continue;
            int r = 0, c = 0, n = 0;
            if (std::sscanf(riga.c_str(), "%d,%d,%d", &r, &c, &n) == 3)
                p.S.Isole.push_back({n, r, c});
        }
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
    return Leggi(std::filesystem::path(CartellaPubblicati()).parent_path() / "difficili");
}

} // namespace isolmar::prova
