// Options that make generated puzzles look composed by hand: clue cells symmetric in pairs, a
// largest island of at least a given size, and the minimal pass that removes clues while the
// puzzle keeps exactly one solution.
#include "generator/Generatore.h"

#include "model/Impostazione.h"

#include <algorithm>
#include <utility>

namespace isolmar {

Generatore::Posto Generatore::Immagine(Posto x) const {
    const auto [r, c] = isolmar::Immagine(Simm, m.NumRighe, m.NumColonne, x.Riga, x.Colonna);
    return {static_cast<uint8_t>(r), static_cast<uint8_t>(c)};
}

int16_t Generatore::DimMaggiore() const {
    int16_t d = 0;
    for (int k = 1; k <= m.NumZone; ++k)
        d = std::max(d, m.Zone[k].NumCelle);
    return d;
}

// The wall starts from a random cell and its image and grows a pair of image cells at a time,
// so it stays symmetric; the two halves may still fail to meet, and such an attempt is
// discarded. A zone that is its own image can hold its one clue only on a cell that is its own
// image, so a zone without one is split further.
Generatore::EsitoPartizione Generatore::CreaPartizioneSimmetrica() {
    const int C = m.NumColonne;
    const int k = static_cast<int>(GeneraCasuale(m.NumRighe * C));
    PosaMuroIniziale(k);
    const Posto seme =
        Immagine({static_cast<uint8_t>((k - 1) / C + 1), static_cast<uint8_t>((k - 1) % C + 1)});
    TabGen(seme.Riga, seme.Colonna) = Muro;
    auto senzaPosto = [&](int z) {
        const Modello::Zona& Z = m.Zone[z];
        const Posto y = Immagine({Z.CellaRiga[1], Z.CellaColonna[1]});
        if (TabGen(y.Riga, y.Colonna) != z) return false;
        for (int i = 1; i <= Z.NumCelle; ++i) {
            const Posto x{Z.CellaRiga[i], Z.CellaColonna[i]};
            if (Immagine(x) == x) return false;
        }
        return true;
    };
    for (;;) {
        if (!Partiziona()) return EsitoPartizione::TroppeZone;
        Posto t;
        for (;;) {
            int16_t dim = 0, grandi = 0;
            int16_t g = MisuraZone(dim, grandi);
            if (g == 0 || (grandi <= m.MaxIsoleGrandi && dim <= m.DimMaxIsola)) {
                g = 0;
                for (int16_t z = 1; z <= m.NumZone && g == 0; ++z)
                    if (m.Zone[z].Esclusa == 0 && senzaPosto(z)) g = z;
                if (g == 0) {
                    if (m.NumZone == 0) return EsitoPartizione::NessunaZona;
                    // A zone no pair of walls can split comes from this attempt's seed: the next
                    // attempt starts elsewhere.
                    if (DimMaggiore() > MaxNum) return EsitoPartizione::Scartata;
                    return MuroConnesso() ? EsitoPartizione::Accettata : EsitoPartizione::Scartata;
                }
            }
            t = ScegliMuroSimmetrico(g);
            if (t.Riga != 0) break;
            m.Zone[g].Esclusa = 1;
        }
        const Posto u = Immagine(t);
        TabGen(t.Riga, t.Colonna) = Muro;
        TabGen(u.Riga, u.Colonna) = Muro;
    }
}

// As ScegliMuro, with the cell and its image walled together: a candidate touches the wall,
// and walling the pair closes no 2x2 block; one that leaves zone g whole is preferred, else the
// one whose split leaves the largest smaller part.
Generatore::Posto Generatore::ScegliMuroSimmetrico(int16_t g) {
    const Modello::Zona& Z = m.Zone[g];
    const int R = m.NumRighe, C = m.NumColonne;
    auto muro = [&](int r, int c) {
        return r >= 1 && r <= R && c >= 1 && c <= C && TabGen(r, c) == Muro;
    };
    auto chiudeBlocco = [&](Posto x) {
        for (int r = x.Riga - 1; r <= x.Riga; ++r)
            for (int c = x.Colonna - 1; c <= x.Colonna; ++c)
                if (muro(r, c) && muro(r + 1, c) && muro(r, c + 1) && muro(r + 1, c + 1))
                    return true;
        return false;
    };
    std::vector<int> visto(static_cast<size_t>((R + 2) * (C + 2)), 0);
    std::vector<Posto> pila;
    int marca = 0;
    // The size of the part of zone g around x, marking it.
    auto parte = [&](Posto x) {
        int n = 0;
        pila.assign(1, x);
        visto[static_cast<size_t>(x.Riga * (C + 2) + x.Colonna)] = marca;
        while (!pila.empty()) {
            const Posto y = pila.back();
            pila.pop_back();
            ++n;
            const int vicini[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
            for (const auto& d : vicini) {
                const int r = y.Riga + d[0], c = y.Colonna + d[1];
                if (r < 1 || r > R || c < 1 || c > C || TabGen(r, c) != g) continue;
                int& v = visto[static_cast<size_t>(r * (C + 2) + c)];
                if (v == marca) continue;
                v = marca;
                pila.push_back({static_cast<uint8_t>(r), static_cast<uint8_t>(c)});
            }
        }
        return n;
    };

    NumCandidati = 0;
    NumNonDividono = 0;
    int miglioreValore = 0;
    Posto migliore;
    for (int i = 1; i <= Z.NumCelle && NumCandidati < MaxCandidatiMuro; ++i) {
        const Posto t{Z.CellaRiga[i], Z.CellaColonna[i]};
        if (!muro(t.Riga - 1, t.Colonna) && !muro(t.Riga + 1, t.Colonna) &&
            !muro(t.Riga, t.Colonna - 1) && !muro(t.Riga, t.Colonna + 1))
            continue; // the wall is symmetric: the image touches it exactly when t does
        const Posto u = Immagine(t);
        const uint8_t primaU = TabGen(u.Riga, u.Colonna);
        TabGen(t.Riga, t.Colonna) = Muro;
        TabGen(u.Riga, u.Colonna) = Muro;
        if (!chiudeBlocco(t) && !chiudeBlocco(u)) {
            Candidati[++NumCandidati] = t;
            ++marca;
            int parti = 0, dim[2] = {0, 0};
            for (int j = 1; j <= Z.NumCelle && parti < 2; ++j) {
                const Posto x{Z.CellaRiga[j], Z.CellaColonna[j]};
                if (TabGen(x.Riga, x.Colonna) != g ||
                    visto[static_cast<size_t>(x.Riga * (C + 2) + x.Colonna)] == marca)
                    continue;
                dim[parti++] = parte(x);
            }
            if (parti <= 1) {
                NonDividono[++NumNonDividono] = t;
            } else if (std::min(dim[0], dim[1]) > miglioreValore) {
                miglioreValore = std::min(dim[0], dim[1]);
                migliore = t;
            }
        }
        TabGen(u.Riga, u.Colonna) = primaU;
        TabGen(t.Riga, t.Colonna) = static_cast<uint8_t>(g);
    }
    if (NumNonDividono == 0) return migliore;
    return NonDividono[static_cast<int>(GeneraCasuale(NumNonDividono))];
}

bool Generatore::MuroConnesso() const {
    const int R = m.NumRighe, C = m.NumColonne;
    std::vector<char> visto(static_cast<size_t>((R + 2) * (C + 2)), 0);
    std::vector<Posto> pila;
    int totale = 0, raggiunti = 0;
    for (int r = 1; r <= R; ++r)
        for (int c = 1; c <= C; ++c) {
            if (TabGen(r, c) != Muro) continue;
            ++totale;
            if (pila.empty() && raggiunti == 0) {
                pila.push_back({static_cast<uint8_t>(r), static_cast<uint8_t>(c)});
                visto[static_cast<size_t>(r * (C + 2) + c)] = 1;
            }
        }
    while (!pila.empty()) {
        const Posto y = pila.back();
        pila.pop_back();
        ++raggiunti;
        const int vicini[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (const auto& d : vicini) {
            const int r = y.Riga + d[0], c = y.Colonna + d[1];
            if (r < 1 || r > R || c < 1 || c > C || TabGen(r, c) != Muro) continue;
            char& v = visto[static_cast<size_t>(r * (C + 2) + c)];
            if (v) continue;
            v = 1;
            pila.push_back({static_cast<uint8_t>(r), static_cast<uint8_t>(c)});
        }
    }
    return raggiunti == totale;
}

// Zone k's clue goes on a random cell and the image zone's on its image; a zone that is its own
// image gets its clue on a random cell that is its own image. False when a zone has none.
bool Generatore::AssegnaIsoleSimmetriche() {
    m.NumEle = m.NumZone;
    std::vector<char> fatta(static_cast<size_t>(m.NumZone) + 1, 0);
    std::vector<Posto> fissi;
    for (int k = 1; k <= m.NumEle; ++k) {
        if (fatta[static_cast<size_t>(k)]) continue;
        const Modello::Zona& Z = m.Zone[k];
        const Posto y = Immagine({Z.CellaRiga[1], Z.CellaColonna[1]});
        const int kk = TabGen(y.Riga, y.Colonna);
        if (kk < 1 || kk > m.NumZone || m.Zone[kk].NumCelle != Z.NumCelle) return false;
        Posto x;
        if (kk == k) {
            fissi.clear();
            for (int i = 1; i <= Z.NumCelle; ++i) {
                const Posto z{Z.CellaRiga[i], Z.CellaColonna[i]};
                if (Immagine(z) == z) fissi.push_back(z);
            }
            if (fissi.empty()) return false;
            x = fissi[static_cast<size_t>(GeneraCasuale(static_cast<double>(fissi.size())) - 1)];
        } else {
            const int j = static_cast<int>(GeneraCasuale(Z.NumCelle));
            x = {Z.CellaRiga[j], Z.CellaColonna[j]};
        }
        const Posto xx = Immagine(x);
        for (const auto& [isola, cella] : {std::pair{k, x}, std::pair{kk, xx}}) {
            Isola e;
            e.Num = static_cast<uint8_t>(Z.NumCelle);
            e.Riga = cella.Riga;
            e.Colonna = cella.Colonna;
            m.Ele[isola] = e;
            fatta[static_cast<size_t>(isola)] = 1;
        }
    }
    return true;
}

int Generatore::IsolaImmagine(int k) const {
    const Posto y = Immagine({m.Ele[k].Riga, m.Ele[k].Colonna});
    for (int i = 1; i <= m.NumEle; ++i)
        if (m.Ele[i].Riga == y.Riga && m.Ele[i].Colonna == y.Colonna) return i;
    return 0;
}

// ---- Minimal pass -------------------------------------------------------------------------------

int Generatore::Minimizza(const std::function<bool()>& accetta) {
    ProvatiMinimo.clear();
    if (m.NumSol != 1) return 0;
    // The clues in a random order, each with its image when there is a symmetry; an image pair
    // is one entry.
    std::vector<std::vector<Posto>> gruppi;
    std::vector<char> preso(static_cast<size_t>(m.NumEle) + 1, 0);
    for (int k = 1; k <= m.NumEle; ++k) {
        if (preso[static_cast<size_t>(k)]) continue;
        std::vector<Posto> g{{m.Ele[k].Riga, m.Ele[k].Colonna}};
        preso[static_cast<size_t>(k)] = 1;
        const int kk = Simm == Simmetria::Nessuna ? 0 : IsolaImmagine(k);
        if (kk != 0 && kk != k) {
            g.push_back({m.Ele[kk].Riga, m.Ele[kk].Colonna});
            preso[static_cast<size_t>(kk)] = 1;
        }
        gruppi.push_back(std::move(g));
    }
    for (size_t i = gruppi.size(); i > 1; --i)
        std::swap(gruppi[i - 1],
                  gruppi[static_cast<size_t>(GeneraCasuale(static_cast<double>(i)) - 1)]);

    auto togli = [&](const std::vector<Posto>& g) {
        int n = 0;
        for (int i = 1; i <= m.NumEle; ++i) {
            const Isola& e = m.Ele[i];
            if (std::find(g.begin(), g.end(), Posto{e.Riga, e.Colonna}) == g.end()) m.Ele[++n] = e;
        }
        for (int i = n + 1; i <= m.NumEle; ++i)
            m.Ele[i] = Isola{};
        m.NumEle = static_cast<int16_t>(n);
    };
    std::vector<char> tolto(gruppi.size(), 0);
    int tolti = 0;
    // A clue that had to stay may go once others are gone, so rounds repeat until one removes
    // nothing; every clue left was then tried against the puzzle as it is.
    for (bool ancora = true; ancora;) {
        ancora = false;
        ProvatiMinimo.clear();
        for (size_t j = 0; j < gruppi.size(); ++j) {
            if (tolto[j]) continue;
            const auto& g = gruppi[j];
            if (m.TempoScaduto == 1) break;
            // The largest clue asked for stays.
            int maggioreResto = 0;
            for (int i = 1; i <= m.NumEle; ++i)
                if (std::find(g.begin(), g.end(), Posto{m.Ele[i].Riga, m.Ele[i].Colonna}) ==
                    g.end())
                    maggioreResto = std::max<int>(maggioreResto, m.Ele[i].Num);
            if (maggioreResto < MinMaggiore || static_cast<int>(g.size()) >= m.NumEle) continue;
            const std::vector<Isola> salva = m.Ele;
            const int16_t salvaNum = m.NumEle;
            togli(g);
            Risolvi(2);
            bool tiene = m.NumSol == 1;
            if (tiene && accetta) {
                const std::vector<Isola> dopo = m.Ele;
                const int16_t dopoNum = m.NumEle;
                tiene = accetta();
                m.Ele = dopo;
                m.NumEle = dopoNum;
            }
            if (tiene) {
                tolto[j] = 1;
                tolti += static_cast<int>(g.size());
                ancora = true;
            } else {
                m.Ele = salva;
                m.NumEle = salvaNum;
                ProvatiMinimo.insert(ProvatiMinimo.end(), g.begin(), g.end());
            }
        }
    }
    stat_.IndiziTolti += tolti;
    // The solution of the puzzle left, in Tblsol and EleSol.
    Risolvi(2);
    return tolti;
}

} // namespace isolmar
