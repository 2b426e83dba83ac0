// The formula. Variables: per cell "wall"; per clue and per cell the clue can reach, "this cell
// belongs to the clue's island". A clue reaches the cells at a distance below its number from
// its cell along paths that avoid the other clues' cells and their neighbours (a neighbour of
// clue j that is island belongs to j). Clauses:
//   - an island cell has exactly one owner; a cell no clue reaches is wall; a clue owns its cell;
//   - two neighbouring island cells have the same owner;
//   - each island has exactly its number of cells (a totalizer over its cells);
//   - no 2 x 2 block of wall;
//   - an owned cell other than the clue has an owned neighbour, a wall cell a wall neighbour
//     (both implied by connectivity, given cheaply).
// What the clauses leave out is connectivity: an island in several pieces, or a wall in several
// parts. Each model the solver returns is checked, and every piece found adds a cut (see
// TagliIsole and TagliMuro); only a connected model is a solution.
// Two encodings run side by side when a puzzle is not settled quickly: one where only islands of
// up to 9 cells are built in connected, one where every island is. Neither wins everywhere (the
// second solves a 50 x 50 with an island of 70 cells seven times faster, the first a 20 x 36 with
// one of 46 three times faster), so they take turns in slices of conflicts, doubling, and the first
// to finish answers. Slices count conflicts, not time: the answer never depends on the machine.
#include "sat/Sat.h"

#include "sat/Taglio.h"

#include <cadical.hpp>

#include <algorithm>
#include <initializer_list>
#include <numeric>

namespace isolmar {

namespace {

// Conflicts the first encoding runs alone, and the first slice of each after that.
constexpr int64_t PrimaFetta = 20000;

struct Arresto : CaDiCaL::Terminator {
    const std::function<bool()>* Ferma = nullptr;
    bool terminate() override { return *Ferma && (*Ferma)(); }
};

// Every learned clause is one conflict.
struct Conta : CaDiCaL::Learner {
    int64_t Conflitti = 0;
    bool learning(int) override {
        ++Conflitti;
        return false;
    }
    void learn(int) override {}
};

class Formula {
  public:
    Formula(const Schema& s, const OpzioniSat& o, int maxConnessa)
        : s_(s), o_(o), R_(s.Righe), C_(s.Colonne), N_(R_ * C_), maxConnessa_(maxConnessa),
          sep_(R_, C_) {}
    ~Formula();

    // Builds the formula; false when stopped meanwhile.
    bool Avvia();
    // Runs for about conflitti more conflicts; true once the run is over (Risultato).
    bool Avanza(int64_t conflitti);
    RisultatoSat Risultato();

  private:
    struct Proprietario {
        int k, v; // clue, variable
    };
    const Schema& s_;
    const OpzioniSat& o_;
    int R_, C_, N_;
    int maxConnessa_;
    bool fermata_ = false;
    CaDiCaL::Solver sat_;
    Arresto arresto_;
    Conta conta_;
    int nvar_ = 0;
    bool vuota_ = false;                           // the empty clause was added
    std::vector<int> muro_;                        // per cell
    std::vector<int> indizio_;                     // per cell: its clue, or -1
    std::vector<std::vector<Proprietario>> owner_; // per cell, by clue
    std::vector<std::vector<int>> raggio_;         // per clue: its cells, nearest first
    std::vector<int> etichetta_;                   // per cell in a model: -1 wall, else owner
    std::vector<int> pezzo_;                       // per cell in a model: its piece
    std::vector<uint8_t> ruolo_;
    std::vector<int> taglio_;
    Separatore sep_;
    RisultatoSat ris_;

    int Nuova() { return ++nvar_; }
    void Clausola(std::initializer_list<int> l) { Clausola(l.begin(), l.end()); }
    template <class I> void Clausola(I a, I b) {
        if (a == b) vuota_ = true;
        for (; a != b; ++a)
            sat_.add(*a);
        sat_.add(0);
    }
    void Clausola(const std::vector<int>& l) { Clausola(l.begin(), l.end()); }
    int Vicino(int v, int d) const { return VicinoSu(v, d, R_, C_); }
    int Cella(int k) const { return (s_.Isole[k].Riga - 1) * C_ + s_.Isole[k].Colonna - 1; }
    // The variable "cell v belongs to clue k", 0 when k cannot reach v.
    int Var(int k, int v) const {
        const auto& l = owner_[v];
        auto it = std::lower_bound(l.begin(), l.end(), k,
                                   [](const Proprietario& p, int k) { return p.k < k; });
        return it != l.end() && it->k == k ? it->v : 0;
    }
    bool Ferma() const { return o_.Ferma && o_.Ferma(); }

    void Raggiungibili();
    bool Codifica();
    void AlPiuUno(const std::vector<int>& x);
    void Esattamente(const std::vector<int>& x, int n);
    std::vector<int> Totale(const std::vector<int>& x, size_t a, size_t b, int p);
    void Connessa(int k);
    void Leggi();
    int Pezzi(bool muro);
    int TagliIsole();
    int TagliMuro();
    void Escludi();
};

void Formula::Raggiungibili() {
    indizio_.assign(N_, -1);
    const int K = static_cast<int>(s_.Isole.size());
    for (int k = 0; k < K; ++k)
        indizio_[Cella(k)] = k;
    owner_.assign(N_, {});
    raggio_.assign(K, {});
    std::vector<int> dist(N_, -1);
    for (int k = 0; k < K; ++k) {
        auto vietata = [&](int v) {
            if (indizio_[v] >= 0) return indizio_[v] != k;
            for (int d = 0; d < 4; ++d) {
                const int u = Vicino(v, d);
                if (u >= 0 && indizio_[u] >= 0 && indizio_[u] != k) return true;
            }
            return false;
        };
        std::vector<int>& l = raggio_[k];
        l.push_back(Cella(k));
        dist[Cella(k)] = 0;
        for (size_t i = 0; i < l.size(); ++i) {
            const int v = l[i];
            if (dist[v] + 1 >= s_.Isole[k].Num) continue;
            for (int d = 0; d < 4; ++d) {
                const int u = Vicino(v, d);
                if (u < 0 || dist[u] >= 0 || vietata(u)) continue;
                dist[u] = dist[v] + 1;
                l.push_back(u);
            }
        }
        for (int v : l) {
            dist[v] = -1;
            owner_[v].push_back({k, Nuova()});
        }
    }
}

void Formula::AlPiuUno(const std::vector<int>& x) {
    if (x.size() <= 6) {
        for (size_t i = 0; i < x.size(); ++i)
            for (size_t j = i + 1; j < x.size(); ++j)
                Clausola({-x[i], -x[j]});
        return;
    }
    // A ladder: a_i = "one of x_0..x_i is true".
    int prima = 0;
    for (size_t i = 0; i + 1 < x.size(); ++i) {
        const int a = Nuova();
        Clausola({-x[i], a});
        if (prima) Clausola({-prima, a});
        Clausola({-a, -x[i + 1]});
        prima = a;
    }
}

// Totalizer with outputs capped at p: o[j] = "at least j of x[a..b) are true", j = 1..,
// defined both ways.
std::vector<int> Formula::Totale(const std::vector<int>& x, size_t a, size_t b, int p) {
    if (b - a == 1) return {0, x[a]};
    const size_t mezzo = (a + b) / 2;
    const std::vector<int> A = Totale(x, a, mezzo, p), B = Totale(x, mezzo, b, p);
    const int ma = static_cast<int>(A.size()) - 1, mb = static_cast<int>(B.size()) - 1;
    const int m = std::min(ma + mb, p);
    std::vector<int> o(m + 1, 0);
    for (int j = 1; j <= m; ++j)
        o[j] = Nuova();
    for (int i = 0; i <= ma; ++i)
        for (int j = 0; j <= mb; ++j) {
            if (i + j >= 1) { // A_i and B_j: at least i + j
                std::vector<int> l;
                if (i) l.push_back(-A[i]);
                if (j) l.push_back(-B[j]);
                l.push_back(o[std::min(i + j, m)]);
                Clausola(l);
            }
            if (i + j + 1 <= m) { // not A_{i+1} and not B_{j+1}: fewer than i + j + 1
                std::vector<int> l;
                if (i + 1 <= ma) l.push_back(A[i + 1]);
                if (j + 1 <= mb) l.push_back(B[j + 1]);
                l.push_back(-o[i + j + 1]);
                Clausola(l);
            }
        }
    return o;
}

// Exactly n of x: the totalizer's outputs capped at n + 1, "at least n" and not "at least
// n + 1". A tree of merges propagates through a logarithmic depth, where a sequential counter
// (tried first) runs along the whole list, and large islands solve several times faster.
void Formula::Esattamente(const std::vector<int>& x, int n) {
    const int m = static_cast<int>(x.size());
    if (n > m) {
        Clausola({}); // not enough cells
        return;
    }
    if (n == 0) {
        for (int v : x)
            Clausola({-v});
        return;
    }
    const std::vector<int> o = Totale(x, 0, x.size(), n + 1);
    Clausola({o[n]});
    if (n + 1 < static_cast<int>(o.size())) Clausola({-o[n + 1]});
}

bool Formula::Codifica() {
    muro_.resize(N_);
    for (int v = 0; v < N_; ++v)
        muro_[v] = Nuova();
    Raggiungibili();
    const int K = static_cast<int>(s_.Isole.size());
    int64_t isola = 0;
    for (const Indizio& i : s_.Isole)
        isola += i.Num;
    const bool muroLungo = N_ - isola >= 2;
    std::vector<int> l;
    for (int v = 0; v < N_; ++v) {
        const auto& ow = owner_[v];
        l.assign(1, muro_[v]);
        for (const Proprietario& p : ow) {
            l.push_back(p.v);
            Clausola({-p.v, -muro_[v]});
        }
        Clausola(l); // island: some owner
        l.erase(l.begin());
        AlPiuUno(l);
        for (int d = 0; d < 4; ++d) {
            const int u = Vicino(v, d);
            if (u < 0) continue;
            // Neighbouring island cells share the owner.
            for (const Proprietario& p : ow) {
                const int q = Var(p.k, u);
                if (q)
                    Clausola({-p.v, muro_[u], q});
                else
                    Clausola({-p.v, muro_[u]});
            }
        }
        // Support: an owned cell other than the clue has an owned neighbour.
        for (const Proprietario& p : ow) {
            if (indizio_[v] == p.k) continue;
            l.assign(1, -p.v);
            for (int d = 0; d < 4; ++d) {
                const int u = Vicino(v, d);
                if (u >= 0 && Var(p.k, u)) l.push_back(Var(p.k, u));
            }
            Clausola(l);
        }
        if (muroLungo && indizio_[v] < 0) {
            l.assign(1, -muro_[v]);
            for (int d = 0; d < 4; ++d) {
                const int u = Vicino(v, d);
                if (u >= 0 && indizio_[u] < 0) l.push_back(muro_[u]);
            }
            Clausola(l);
        }
        const int r = v / C_, c = v % C_;
        if (r + 1 < R_ && c + 1 < C_)
            Clausola({-muro_[v], -muro_[v + 1], -muro_[v + C_], -muro_[v + C_ + 1]});
        if (!o_.Fisse.empty() && o_.Fisse[v] >= 0)
            Clausola({o_.Fisse[v] == 0 ? muro_[v] : -muro_[v]});
    }
    for (int k = 0; k < K; ++k) {
        if (Ferma()) return false;
        Clausola({Var(k, Cella(k))});
        l.clear();
        for (size_t i = 1; i < raggio_[k].size(); ++i)
            l.push_back(Var(k, raggio_[k][i]));
        Esattamente(l, s_.Isole[k].Num - 1);
        if (s_.Isole[k].Num >= 3 && s_.Isole[k].Num <= maxConnessa_) Connessa(k);
    }
    return true;
}

// Island k connected from the start: g[v][t] = "v is owned by k and joined to the clue by a
// path of k's cells of at most t steps", only justified upwards (g[v][t] implies v owned and
// g[v][t-1] or some neighbour's g[u][t-1]); an owned cell needs g[v][n - 1]. In a solution the
// island's own distances give such values (an island of n cells has none over n - 1), so no
// solution is lost; and any model of these clauses has every owned cell joined to the clue.
void Formula::Connessa(int k) {
    const int n = s_.Isole[k].Num;
    const std::vector<int>& celle = raggio_[k];
    std::vector<int> prec(N_, 0), cur(N_, 0); // per cell, 0: false
    prec[Cella(k)] = Var(k, Cella(k));        // true: the clue owns its cell
    for (int t = 1; t < n; ++t) {
        for (int v : celle) {
            cur[v] = 0;
            std::vector<int> l{0};
            if (prec[v]) l.push_back(prec[v]);
            for (int d = 0; d < 4; ++d) {
                const int u = Vicino(v, d);
                if (u >= 0 && prec[u]) l.push_back(prec[u]);
            }
            if (l.size() == 1) continue;
            const int g = Nuova();
            cur[v] = g;
            l[0] = -g;
            Clausola(l);
            Clausola({-g, Var(k, v)});
        }
        std::swap(prec, cur);
    }
    for (int v : celle)
        if (v != Cella(k)) Clausola({-Var(k, v), prec[v]});
}

void Formula::Leggi() {
    etichetta_.assign(N_, -1);
    for (int v = 0; v < N_; ++v) {
        if (sat_.val(muro_[v]) > 0) continue;
        for (const Proprietario& p : owner_[v])
            if (sat_.val(p.v) > 0) {
                etichetta_[v] = p.k;
                break;
            }
    }
}

// Numbers the pieces of the island cells (muro false: cells of one owner) or of the wall cells
// into pezzo_ (-1 for the other cells); returns how many.
int Formula::Pezzi(bool muro) {
    pezzo_.assign(N_, -1);
    int n = 0;
    std::vector<int> coda;
    for (int v0 = 0; v0 < N_; ++v0) {
        if (pezzo_[v0] >= 0 || (etichetta_[v0] < 0) != muro) continue;
        pezzo_[v0] = n;
        coda.assign(1, v0);
        for (size_t i = 0; i < coda.size(); ++i)
            for (int d = 0; d < 4; ++d) {
                const int u = Vicino(coda[i], d);
                if (u >= 0 && pezzo_[u] < 0 && etichetta_[u] == etichetta_[v0]) {
                    pezzo_[u] = n;
                    coda.push_back(u);
                }
            }
        ++n;
    }
    return n;
}

// A piece P of clue k's cells without the clue's cell. In a solution island k is connected, so
// a path of its cells joins every cell p of P to the clue's cell c, and every cell of that path
// is one k reaches (it is owned by k). The separator B is computed in the graph of the cells k
// reaches, between P (sources) and the piece holding c (sinks): every such path from p to c
// meets B, and p and c are not in B. Hence "p owned by k implies some cell of B owned by k"
// holds in every solution. The cells k owns in this model may not be cut, so B holds none of
// them and the clause is false in this model: the same model never comes back.
int Formula::TagliIsole() {
    Pezzi(false);
    int tagli = 0;
    const int K = static_cast<int>(s_.Isole.size());
    std::vector<int> pezzoIndizio(K);
    for (int k = 0; k < K; ++k)
        pezzoIndizio[k] = pezzo_[Cella(k)];
    std::vector<char> fatto(N_, 0); // per piece
    for (int v0 = 0; v0 < N_; ++v0) {
        const int k = etichetta_[v0];
        if (k < 0 || pezzo_[v0] == pezzoIndizio[k] || fatto[pezzo_[v0]]) continue;
        fatto[pezzo_[v0]] = 1;
        ruolo_.assign(N_, Separatore::Fuori);
        for (int v : raggio_[k])
            ruolo_[v] = etichetta_[v] != k             ? Separatore::Tagliabile
                        : pezzo_[v] == pezzo_[v0]      ? Separatore::Sorgente
                        : pezzo_[v] == pezzoIndizio[k] ? Separatore::Pozzo
                                                       : Separatore::Passante;
        if (!sep_.Minimo(ruolo_, taglio_)) continue; // cannot happen: pieces do not touch
        // The same separator holds for every cell of the piece.
        std::vector<int> l{0};
        for (int b : taglio_)
            l.push_back(Var(k, b));
        for (int v : raggio_[k])
            if (ruolo_[v] == Separatore::Sorgente) {
                l[0] = -Var(k, v);
                Clausola(l);
            }
        ++tagli;
    }
    return tagli;
}

// Wall parts A (each but the largest) and T (the largest). In a solution where a cell a of A
// and a cell t of T are both wall, a path of wall cells joins them, and wall cells are never
// clue cells. The separator B is computed in the graph of the cells without a clue, between A
// and T: every such path meets B, and a and t are not in B. Hence "a wall and t wall imply some
// cell of B wall" holds in every solution (both a and t must be on the left: neither is wall
// in every solution). The wall cells of this model may not be cut, so the clause is false in
// this model.
int Formula::TagliMuro() {
    const int n = Pezzi(true);
    if (n <= 1) return 0;
    // Per part its size and a cell of it, one no clue reaches (wall in every solution) if any:
    // the clause is then the stronger.
    std::vector<int> misura(n, 0), primo(n, -1);
    for (int v = 0; v < N_; ++v)
        if (pezzo_[v] >= 0) {
            ++misura[pezzo_[v]];
            if (primo[pezzo_[v]] < 0 || (owner_[v].empty() && !owner_[primo[pezzo_[v]]].empty()))
                primo[pezzo_[v]] = v;
        }
    const int T = static_cast<int>(std::max_element(misura.begin(), misura.end()) - misura.begin());
    int tagli = 0;
    for (int a = 0; a < n; ++a) {
        if (a == T) continue;
        ruolo_.assign(N_, Separatore::Fuori);
        for (int v = 0; v < N_; ++v)
            if (indizio_[v] < 0)
                ruolo_[v] = pezzo_[v] < 0    ? Separatore::Tagliabile
                            : pezzo_[v] == a ? Separatore::Sorgente
                            : pezzo_[v] == T ? Separatore::Pozzo
                                             : Separatore::Passante;
        if (!sep_.Minimo(ruolo_, taglio_)) continue;
        // The same separator holds for every cell of A.
        std::vector<int> l{0, -muro_[primo[T]]};
        for (int b : taglio_)
            l.push_back(muro_[b]);
        for (int v = 0; v < N_; ++v)
            if (pezzo_[v] == a) {
                l[0] = -muro_[v];
                Clausola(l);
            }
        ++tagli;
    }
    return tagli;
}

// Rules the model's solution out. The island cells number the sum of the clues in every
// solution, so another solution turns some island cell of this one into wall; with islands to
// project on, one of those islands loses one of its cells (its size is fixed).
void Formula::Escludi() {
    std::vector<int> l;
    if (o_.Proiezione.empty()) {
        for (int v = 0; v < N_; ++v)
            if (etichetta_[v] >= 0 && indizio_[v] < 0) l.push_back(muro_[v]);
    } else {
        for (int v = 0; v < N_; ++v) {
            const int k = etichetta_[v];
            if (k >= 0 && indizio_[v] < 0 &&
                std::find(o_.Proiezione.begin(), o_.Proiezione.end(), k) != o_.Proiezione.end())
                l.push_back(-Var(k, v));
        }
    }
    Clausola(l);
}

bool Formula::Avvia() {
    arresto_.Ferma = &o_.Ferma;
    sat_.set("quiet", 1);
    sat_.connect_terminator(&arresto_);
    sat_.connect_learner(&conta_);
    fermata_ = !Codifica();
    return !fermata_;
}

Formula::~Formula() {
    sat_.disconnect_learner();
    sat_.disconnect_terminator();
}

bool Formula::Avanza(int64_t conflitti) {
    const int64_t fine = conta_.Conflitti + conflitti;
    while (!fermata_ && !vuota_ && static_cast<int>(ris_.Soluzioni.size()) < o_.Soluzioni) {
        if (conta_.Conflitti >= fine) return false;
        sat_.limit("conflicts",
                   static_cast<int>(std::min<int64_t>(fine - conta_.Conflitti, 1 << 30)));
        const int r = sat_.solve();
        if (r == 0) {
            if (Ferma()) fermata_ = true;
            if (fermata_) break;
            return false; // the slice is spent
        }
        if (r != 10) break;
        ++ris_.Modelli;
        Leggi();
        const int tagli = TagliIsole() + TagliMuro();
        ris_.Tagli += tagli;
        if (tagli > 0) continue;
        std::string sol(N_, '0');
        for (int v = 0; v < N_; ++v)
            if (etichetta_[v] >= 0) sol[v] = '1';
        ris_.Soluzioni.push_back(std::move(sol));
        Escludi();
        if (Ferma()) fermata_ = true;
    }
    return true;
}

RisultatoSat Formula::Risultato() {
    ris_.Conflitti = conta_.Conflitti;
    const size_t n = ris_.Soluzioni.size();
    ris_.Esito = fermata_ ? EsitoSat::Interrotta
                 : n == 0 ? EsitoSat::Nessuna
                 : n == 1 ? EsitoSat::Una
                          : EsitoSat::Piu;
    return std::move(ris_);
}

} // namespace

RisultatoSat RisolviSat(const Schema& s, const OpzioniSat& o) {
    if (s.Righe <= 0 || s.Colonne <= 0 || o.Soluzioni <= 0) return {};
    Formula a(s, o, o.MaxConnessa);
    if (!a.Avvia() || a.Avanza(PrimaFetta)) return a.Risultato();
    Formula b(s, o, s.Righe * s.Colonne);
    if (!b.Avvia()) return b.Risultato();
    for (int64_t fetta = PrimaFetta;; fetta *= 2) {
        for (Formula* f : {&b, &a})
            if (f->Avanza(fetta)) {
                RisultatoSat r = f->Risultato();
                // The work of both.
                const RisultatoSat altra = (f == &a ? b : a).Risultato();
                r.Conflitti += altra.Conflitti;
                r.Tagli += altra.Tagli;
                r.Modelli += altra.Modelli;
                return r;
            }
    }
}

} // namespace isolmar
