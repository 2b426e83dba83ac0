// The deductions before the search (the direct rules and single-island hypotheses to a
// fixpoint), the hypothesis test itself, and the hypotheses the search makes after placing an
// island.
#include "solver/Risolutore.h"

#include "model/Impostazione.h"
#include "solver/RegoleDirette.h"
#include "solver/RisolutoreInterno.h"

#include <algorithm>

namespace isolmar {

bool Risolutore::DeduzioniPossibili() const {
    if (!Deduzioni || m.NoBlocchi || m.ListePiene || m.SoluzMultiple || m.NumEle == 0) return false;
    // Only on the board the search starts from: the clues and nothing else.
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            if (m.TblSchema(r, c) > 1 || m.TblIsoleLog(r, c) != 0) return false;
    return true;
}

void Risolutore::Deduci() {
    deduzioni_.escluse.clear();
    const Griglia8 schema = m.TblSchema;
    const auto ele = m.Ele;
    const int16_t libere = m.CelleLibere;
    const Booleano colori = m.NoColori;
    m.NoColori = Vero;
    std::vector<int16_t> blocchi(static_cast<size_t>(m.NumMosse) + 1);
    for (int32_t k = 1; k <= m.NumMosse; ++k)
        blocchi[k] = m.Blocchi[k];
    AvviaDomini();
    deduzioni_.finita.fill(false);
    deduzioni_.contraddizione = false;

    // A rule stops at its next conclusion once the search is stopped, and the pass after it.
    const Ascolto a{[this](CodiceLog, int, int, int) { return m.TempoScaduto != 1; },
                    [this](int e, int32_t mossa) { PosaDedotta(e, mossa); }};
    const auto ferma = [this] { return m.TempoScaduto == 1 || deduzioni_.contraddizione; };
    for (;;) {
        p.Cedi();
        if (ferma()) break;
        if (PassoDiretto(*this, a, ferma)) continue;
        if (!IpotesiSingole()) break;
    }

    // Every step ruled out only placements in no solution, so whatever was reached when it
    // ended (even on Esc) may be kept.
    for (int i = 1; i <= m.NumEle; ++i)
        for (int32_t k = m.Ele[i].PrimaMossa; k != 0 && k <= m.Ele[i].UltimaMossa; ++k)
            if (deduzioni_.contraddizione ||
                (deduzioni_.finita[i] ? k != deduzioni_.posata[i] : m.Blocchi[k] != 0))
                deduzioni_.escluse.push_back(k);
    m.TblSchema = schema;
    AzzeraTabella(m.TblIsoleLog);
    m.Ele = ele;
    m.CelleLibere = libere;
    m.NoColori = colori;
    for (int32_t k = 1; k <= m.NumMosse; ++k)
        m.Blocchi[k] = blocchi[k];
    for (int32_t k : deduzioni_.escluse)
        ++m.Blocchi[k];
}

void Risolutore::PosaDedotta(int e, int32_t mossa) {
    Isola& x = m.Ele[e];
    const Mossa& mo = m.Mosse[mossa];
    x.Tessera = mo.Tessera;
    x.TessRiga = mo.TessRiga;
    x.TessColonna = mo.TessColonna;
    InserisciOTogli(x.Riga, x.Colonna, x.Tessera, x.TessRiga, x.TessColonna, "I");
    deduzioni_.finita[e] = true;
    deduzioni_.posata[e] = mossa;
}

void Risolutore::RilasciaDeduzioni() {
    for (int32_t k : deduzioni_.escluse)
        --m.Blocchi[k];
}

// ---- Single-island hypotheses -------------------------------------------------------------------

void Risolutore::Segna(int32_t k2, int delta) {
    const Isola& e = m.Ele[liste_.isolaDi[k2]];
    const Mossa& mo = m.Mosse[k2];
    PerCelle(e.Riga, e.Colonna, mo.Tessera, mo.TessRiga, mo.TessColonna,
             [&](int r, int c, uint8_t codice) {
                 Occupa(r, c, delta);
                 m.TblSchema(r, c) = static_cast<uint8_t>(m.TblSchema(r, c) +
                                                          (codice == CellaBordo ? 2 : 1) * delta);
             });
}

bool Risolutore::Coperta(int x, int32_t prima, int32_t ultima, int k) {
    // During the search only the islands after k count, and a cell out of their reach stays so.
    const int32_t dopo = k == 0 ? 0 : m.Ele[k].UltimaMossa;
    if (k != 0) {
        const Irraggiungibile f = domini_.fuori[x];
        if (f.livello != 0 && f.livello <= k && domini_.passoLivello[f.livello] <= f.passo)
            return false;
    }
    const int32_t w = domini_.testimoneCella[x];
    if (w >= 0 && m.Copre[w] > dopo && (m.Copre[w] < prima || m.Copre[w] > ultima) &&
        Usabile(m.Copre[w]))
        return true;
    if (k == 0 && deduzioni_.inIsola) { // a hypothesis before the search
        if (deduzioni_.giroCella[x] != deduzioni_.giroIsola) {
            // Stopped: any answer will do, and nothing is listed.
            if (m.TempoScaduto == 1 ||
                Passi(static_cast<uint64_t>(m.InizioCopre[x + 1] - m.InizioCopre[x])))
                return true;
            deduzioni_.giroCella[x] = deduzioni_.giroIsola;
            deduzioni_.inizioCandidate[x] = static_cast<int32_t>(deduzioni_.candidate.size());
            for (int32_t n = m.InizioCopre[x]; n < m.InizioCopre[x + 1]; ++n) {
                const int32_t k2 = m.Copre[n];
                if ((k2 < prima || k2 > ultima) && m.Blocchi[k2] == 0 &&
                    Libera(k2, deduzioni_.occupateIsola))
                    deduzioni_.candidate.push_back(n);
            }
            deduzioni_.fineCandidate[x] = static_cast<int32_t>(deduzioni_.candidate.size());
        }
        const int32_t inizio = deduzioni_.inizioCandidate[x], fine = deduzioni_.fineCandidate[x];
        int32_t j = inizio;
        while (j < fine && !Usabile(m.Copre[deduzioni_.candidate[j]]))
            ++j;
        Passi(static_cast<uint64_t>(j - inizio + 1)); // the answer stays exact: only a yield
        if (j < fine) return domini_.testimoneCella[x] = deduzioni_.candidate[j], true;
        return false;
    }
    // The list is in placement order: the islands up to k and island i's run are skipped.
    const auto inizio = m.Copre.begin() + m.InizioCopre[x],
               fine = m.Copre.begin() + m.InizioCopre[x + 1];
    for (auto n = k == 0 ? inizio : std::upper_bound(inizio, fine, dopo); n < fine; ++n) {
        if (*n >= prima && *n <= ultima) {
            n = std::upper_bound(n, fine, ultima) - 1;
        } else if (Usabile(*n)) {
            domini_.testimoneCella[x] = static_cast<int32_t>(n - m.Copre.begin());
            return true;
        }
    }
    return false;
}

bool Risolutore::CoerenteInGiro(int i, int32_t k2, int k) {
    // The board with placement k2 on it, as row masks: its cells and ring on the rows tested by
    // Libera and on copies of the wall check's masks, nothing on TblSchema.
    const int R = m.NumRighe;
    const uint64_t dentro = ((uint64_t{1} << m.NumColonne) - 1) << 1;
    const Posizione& q = domini_.posizioni[k2];
    const Sagoma& g = domini_.sagome[q.t];
    auto sposta = [&](uint16_t x) {
        return (q.dc >= 0 ? uint64_t{x} << q.dc : uint64_t{x} >> -q.dc) & dentro;
    };
    const int a0 = std::max(1, 1 - q.dr), a1 = std::min<int>(g.righe, R - q.dr);
    for (int a = a0; a <= a1; ++a) {
        const int r = a + q.dr;
        ipotesi_.occupateGiro[a] = domini_.occupate[r];
        domini_.occupate[r] |= sposta(g.riga[a]) | sposta(g.anello[a]);
    }
    // Every later island had a usable placement as the sweep began and keeps one through it;
    // only those whose placements reach the new cells or ring can lose them all.
    const int r0 = a0 + q.dr, r1 = a1 + q.dr;
    const int c0 = std::max(1, 1 + q.dc),
              c1 = std::min<int>(m.NumColonne, m.Tessere[q.t].Colonne + q.dc);
    bool ok = true;
    for (int j = k + 1; j <= m.NumEle && ok; ++j) {
        const Riquadro& d = ipotesi_.riquadroIsola[j];
        if (j != i && !deduzioni_.finita[j] && d.r0 <= r1 && d.r1 >= r0 && d.c0 <= c1 && d.c1 >= c0)
            ok = HaPosto(j);
    }
    if (ok) {
        tavole_.isolaIpotesi = tavole_.isola;
        tavole_.muroIpotesi = tavole_.muro;
        for (int a = a0; a <= a1; ++a) {
            const int r = a + q.dr;
            tavole_.isolaIpotesi[r] |= sposta(g.riga[a]);
            tavole_.muroIpotesi[r] |= sposta(g.anello[a]);
        }
        const int32_t prima = m.Ele[i].PrimaMossa, ultima = m.Ele[i].UltimaMossa;
        ok = Muro2Maschere(
            Falso, [&](int r, int c) { return !Coperta(Cella(r, c), prima, ultima, k); },
            tavole_.isolaIpotesi, tavole_.muroIpotesi);
    }
    for (int a = a0; a <= a1; ++a)
        domini_.occupate[a + q.dr] = ipotesi_.occupateGiro[a];
    return ok;
}

bool Risolutore::Coerente(int i, int32_t k2, int da) {
    if (ipotesi_.inGiro && deduzioni_.noteIsola.empty()) return CoerenteInGiro(i, k2, da - 1);
    Segna(k2, 1);
    const int k = da - 1;
    const int32_t prima = m.Ele[i].PrimaMossa, ultima = m.Ele[i].UltimaMossa;
    bool ok = true;
    for (int j = da; j <= m.NumEle && ok; ++j)
        if (j != i && !deduzioni_.finita[j]) ok = HaPosto(j);
    for (size_t n = 0; n < deduzioni_.noteIsola.size() && ok; ++n) {
        const auto [r, c] = deduzioni_.noteIsola[n];
        ok = m.TblSchema(r, c) == 1 || Coperta(Cella(r, c), prima, ultima, k);
    }
    if (ok)
        ok = Muro2(Falso, [&](int r, int c) {
            return m.TblSchema(r, c) >= 2 || !Coperta(Cella(r, c), prima, ultima, k);
        });
    Segna(k2, -1);
    return ok;
}

bool Risolutore::IpotesiSingole() {
    struct Fine {
        bool& in;
        ~Fine() { in = false; }
    } fine{deduzioni_.inIsola};
    bool cambiato = false;
    deduzioni_.noteIsola.clear();
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            if (m.TblIsoleLog(r, c) != 0 && m.TblSchema(r, c) == 0)
                deduzioni_.noteIsola.push_back({static_cast<uint8_t>(r), static_cast<uint8_t>(c)});
    for (int i = 1; i <= m.NumEle; ++i) {
        const Isola& e = m.Ele[i];
        if (deduzioni_.finita[i] || e.PrimaMossa == 0) continue;
        int32_t n = 0, ultima = 0;
        for (int c = 1; c <= m.NumColonne; ++c)
            for (int r = 1; r <= m.NumRighe; ++r)
                deduzioni_.contaIsola[Cella(r, c)] = deduzioni_.contaBordo[Cella(r, c)] = 0;
        // While island i's placements are tried the board holds only them in turn: the covers
        // of a cell usable without them are listed once, when first needed.
        ++deduzioni_.giroIsola;
        deduzioni_.inIsola = true;
        deduzioni_.candidate.clear();
        deduzioni_.occupateIsola = domini_.occupate;
        for (int32_t k2 = e.PrimaMossa; k2 <= e.UltimaMossa; ++k2) {
            if (m.Blocchi[k2] != 0) continue;
            if (Passi(32)) return false; // a hypothesis costs about as much as 32 inner steps
            if (!Coerente(i, k2, 1)) {
                ++m.Blocchi[k2];
                cambiato = true;
                continue;
            }
            ++n;
            ultima = k2;
            const Mossa& mo = m.Mosse[k2];
            PerCelle(e.Riga, e.Colonna, mo.Tessera, mo.TessRiga, mo.TessColonna,
                     [&](int r, int c, uint8_t codice) {
                         ++(codice == CellaBordo ? deduzioni_.contaBordo
                                                 : deduzioni_.contaIsola)[Cella(r, c)];
                     });
        }
        if (n == 0) {
            deduzioni_.contraddizione = true;
            return false;
        }
        if (n == 1) {
            PosaDedotta(i, ultima);
            cambiato = true;
            continue;
        }
        // Cells every consistent placement covers are island, of this island; cells in the ring
        // of every one are wall.
        for (int r = 1; r <= m.NumRighe; ++r)
            for (int c = 1; c <= m.NumColonne; ++c) {
                if (m.TblSchema(r, c) != 0 || m.TblIsoleLog(r, c) != 0) continue;
                const int x = Cella(r, c);
                const int16_t r16 = static_cast<int16_t>(r), c16 = static_cast<int16_t>(c);
                if (deduzioni_.contaIsola[x] == n) {
                    m.TblIsoleLog(r, c) = IsolaDelGiocatore;
                    BloccaMuro(r16, c16);
                    BloccaperCella(r16, c16, e.PrimaMossa, e.UltimaMossa);
                    cambiato = true;
                } else if (deduzioni_.contaBordo[x] == n) {
                    m.TblSchema(r, c) = 2;
                    BloccaperCella(r16, c16, 0, 0);
                    cambiato = true;
                }
            }
    }
    return cambiato;
}

// ---- Hypotheses during the search ---------------------------------------------------------------

Risolutore::Riquadro Risolutore::RiquadroDi(int32_t k2, int e) const {
    const Isola& x = m.Ele[e];
    Riquadro q{x.Riga, x.Riga, x.Colonna, x.Colonna};
    for (int32_t n = liste_.inizioCelle[k2]; n < liste_.inizioCelle[k2 + 1]; ++n) {
        const int y = liste_.celle[n], r = (y - 1) % MaxRighe + 1, c = (y - 1) / MaxRighe + 1;
        q.r0 = std::min<uint8_t>(q.r0, static_cast<uint8_t>(r));
        q.r1 = std::max<uint8_t>(q.r1, static_cast<uint8_t>(r));
        q.c0 = std::min<uint8_t>(q.c0, static_cast<uint8_t>(c));
        q.c1 = std::max<uint8_t>(q.c1, static_cast<uint8_t>(c));
    }
    return q;
}

void Risolutore::ElencaUtili(int k) {
    ipotesi_.utili.clear();
    for (int i = k + 1; i <= m.NumEle; ++i) {
        const Isola& e = m.Ele[i];
        ipotesi_.inizioUtili[i] = ipotesi_.testimoneUtile[i] =
            static_cast<int32_t>(ipotesi_.utili.size());
        Passi(static_cast<uint64_t>(e.UltimaMossa - e.PrimaMossa + 1));
        for (int32_t k2 = e.PrimaMossa; k2 != 0 && k2 <= e.UltimaMossa; ++k2)
            if (Usabile(k2)) ipotesi_.utili.push_back(k2);
        ipotesi_.fineUtili[i] = static_cast<int32_t>(ipotesi_.utili.size());
    }
}

bool Risolutore::HaPostoUtile(int i) {
    const int32_t inizio = ipotesi_.inizioUtili[i], n = ipotesi_.fineUtili[i] - inizio;
    const int32_t w = ipotesi_.testimoneUtile[i] - inizio;
    for (int32_t j = w; j < n + w; ++j) {
        const int32_t x = inizio + (j < n ? j : j - n);
        if (Passi()) return true;
        if (Usabile(ipotesi_.utili[x])) return ipotesi_.testimoneUtile[i] = x, true;
    }
    return false;
}

bool Risolutore::IpotesiDopo(int k, int32_t mossa) {
    ipotesi_.inizioEscluse[k] = ipotesi_.escluse.size();
    // A sweep looks only at the placements usable as it starts, listed once per island: an
    // island left without one is found without walking the rest of its run.
    ElencaUtili(k);
    if (!tavole_.vive) CaricaMaschere();
    ipotesi_.inGiro = true;
    struct Fine {
        bool& in;
        ~Fine() { in = false; }
    } fine{ipotesi_.inGiro};
    // Only the islands that can come within two cells of the new shape: far ones seldom change,
    // and skipping them rules out less, never wrongly.
    constexpr int margine = 2;
    const Riquadro q = RiquadroDi(mossa, k);
    for (int i = k + 1; i <= m.NumEle; ++i) {
        const Riquadro& d = ipotesi_.riquadroIsola[i];
        if (d.r0 > q.r1 + margine || q.r0 > d.r1 + margine || d.c0 > q.c1 + margine ||
            q.c0 > d.c1 + margine)
            continue;
        bool resta = false;
        for (int32_t n = ipotesi_.inizioUtili[i]; n < ipotesi_.fineUtili[i]; ++n) {
            const int32_t k2 = ipotesi_.utili[n];
            if (!Usabile(k2)) continue;
            if (Passi(32)) return true; // stopped: the next attempt returns
            if (Coerente(i, k2, k + 1)) {
                resta = true;
                continue;
            }
            ++m.Blocchi[k2];
            ipotesi_.escluse.push_back(k2);
        }
        if (!resta) return false;
    }
    return true;
}

void Risolutore::RiammettiDopo(int k) {
    for (size_t n = ipotesi_.inizioEscluse[k]; n < ipotesi_.escluse.size(); ++n)
        --m.Blocchi[ipotesi_.escluse[n]];
    ipotesi_.escluse.resize(ipotesi_.inizioEscluse[k]);
}

} // namespace isolmar
