// Maximum flow with unit cell capacities (Edmonds-Karp on the split graph: every cell an entry
// node and an exit node, joined by an edge of capacity 1 for a cuttable cell and unbounded
// otherwise; neighbouring cells joined exit to entry, unbounded). By the max-flow min-cut
// theorem, once no augmenting path is left, the cuttable cells whose entry the sources still
// reach and whose exit they do not form a minimum separator.
#include "sat/Taglio.h"

#include <algorithm>

namespace isolmar {

Separatore::Separatore(int righe, int colonne) : righe_(righe), colonne_(colonne) {
    const size_t n = static_cast<size_t>(righe) * colonne;
    interno_.assign(n, 0);
    uscita_.assign(n * 4, 0);
    padre_.assign(n * 2, -1);
    visto_.assign(n * 2, 0);
    coda_.reserve(n * 2);
}

int Separatore::Direzione(int da, int a) const {
    if (da / colonne_ == a / colonne_) return a < da ? 2 : 3;
    return a < da ? 0 : 1;
}

bool Separatore::Aumenta(const std::vector<uint8_t>& ruolo) {
    ++giro_;
    coda_.clear();
    const int n = static_cast<int>(ruolo.size());
    for (int v = 0; v < n; ++v)
        if (ruolo[v] == Sorgente) {
            visto_[2 * v] = giro_;
            padre_[2 * v] = -1;
            coda_.push_back(2 * v);
        }
    auto passa = [&](int da, int a) {
        if (visto_[a] == giro_) return;
        visto_[a] = giro_;
        padre_[a] = da;
        coda_.push_back(a);
    };
    for (size_t i = 0; i < coda_.size(); ++i) {
        const int x = coda_[i], v = x / 2;
        const bool tagliabile = ruolo[v] == Tagliabile;
        if (x % 2 == 0) { // entry node
            if (ruolo[v] == Pozzo) {
                for (int b = x, a = padre_[b]; a >= 0; b = a, a = padre_[a]) {
                    const int va = a / 2, vb = b / 2;
                    if (va == vb) {
                        if (ruolo[va] == Tagliabile) {
                            interno_[va] = a % 2 == 0 ? 1 : 0;
                        }
                    } else if (a % 2 == 1) { // exit of va to entry of vb
                        ++uscita_[va * 4 + Direzione(va, vb)];
                    } else { // back along the edge from vb's exit to va's entry
                        --uscita_[vb * 4 + Direzione(vb, va)];
                    }
                }
                return true;
            }
            if (!tagliabile || interno_[v] == 0) passa(x, x + 1);
            for (int d = 0; d < 4; ++d) {
                const int u = Vicino(v, d);
                if (u >= 0 && ruolo[u] != Fuori && uscita_[u * 4 + (d ^ 1)] > 0)
                    passa(x, 2 * u + 1);
            }
        } else { // exit node
            for (int d = 0; d < 4; ++d) {
                const int u = Vicino(v, d);
                if (u >= 0 && ruolo[u] != Fuori) passa(x, 2 * u);
            }
            if (!tagliabile || interno_[v] > 0) passa(x, x - 1);
        }
    }
    return false;
}

bool Separatore::Minimo(const std::vector<uint8_t>& ruolo, std::vector<int>& taglio) {
    taglio.clear();
    std::fill(interno_.begin(), interno_.end(), 0);
    std::fill(uscita_.begin(), uscita_.end(), 0);
    // A path through cells that may not be cut carries unbounded flow: no separator.
    {
        ++giro_;
        coda_.clear();
        const int n = static_cast<int>(ruolo.size());
        for (int v = 0; v < n; ++v)
            if (ruolo[v] == Sorgente) {
                visto_[v] = giro_;
                coda_.push_back(v);
            }
        for (size_t i = 0; i < coda_.size(); ++i)
            for (int d = 0; d < 4; ++d) {
                const int u = Vicino(coda_[i], d);
                if (u < 0 || ruolo[u] == Fuori || ruolo[u] == Tagliabile || visto_[u] == giro_)
                    continue;
                if (ruolo[u] == Pozzo) return false;
                visto_[u] = giro_;
                coda_.push_back(u);
            }
    }
    while (Aumenta(ruolo)) {
    }
    // The last search marked what the sources reach in the residual graph.
    for (int v = 0; v < static_cast<int>(ruolo.size()); ++v)
        if (ruolo[v] == Tagliabile && visto_[2 * v] == giro_ && visto_[2 * v + 1] != giro_)
            taglio.push_back(v);
    return true;
}

} // namespace isolmar
