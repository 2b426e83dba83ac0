#include "sat/MotoreSat.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace isolmar {

Motore MotorePer(const Schema& s, Motore scelto) {
    if (scelto != Motore::Auto) return scelto;
    return OltreLeForme(s).empty() ? Motore::Forme : Motore::Sat;
}

namespace {

// The options every run on the model shares: the player's marks kept fixed (with giocatore), and
// the host's yield every 2 ms while the solver polls, so that Esc and the time limit stop it.
OpzioniSat Opzioni(Modello& m, Piattaforma& p, const Schema& s, bool giocatore) {
    OpzioniSat o;
    if (giocatore) {
        o.Fisse.assign(static_cast<size_t>(s.Righe) * s.Colonne, -1);
        for (int r = 1; r <= s.Righe; ++r)
            for (int c = 1; c <= s.Colonne; ++c) {
                const uint8_t g = m.TblGioco(r, c);
                if (g == 1 || g == 2) o.Fisse[(r - 1) * s.Colonne + c - 1] = g == 1 ? 1 : 0;
            }
    }
    o.Ferma = [&m, &p, ultima = std::chrono::steady_clock::now()]() mutable {
        const auto ora = std::chrono::steady_clock::now();
        if (ora - ultima >= std::chrono::milliseconds(2)) {
            ultima = ora;
            p.Cedi();
        }
        return m.TempoScaduto == 1;
    };
    return o;
}

} // namespace

RisultatoSat RisolviConSat(Modello& m, Piattaforma& p, int n, bool giocatore) {
    n = std::clamp(n, 1, MaxSol);
    m.TempoRidisegno = p.Orologio();
    m.TempoScaduto = 0;
    m.NumSol = 0;
    m.SolCercate = static_cast<int16_t>(n);
    m.Trovata = Falso;
    const Schema s = SchemaDa(m);
    OpzioniSat o = Opzioni(m, p, s, giocatore);
    o.Soluzioni = n;
    RisultatoSat r = RisolviSat(s, o);
    if (r.Esito == EsitoSat::Interrotta) {
        m.TempoScaduto = 1;
        return r;
    }
    for (const std::string& sol : r.Soluzioni) {
        ++m.NumSol;
        for (int i = 0; i < s.Righe; ++i)
            for (int j = 0; j < s.Colonne; ++j)
                m.Tblsol(m.NumSol, i + 1, j + 1) = sol[i * s.Colonne + j] == '1' ? 1 : 2;
    }
    m.Trovata = m.NumSol >= n ? Vero : Falso;
    return r;
}

ConfigurazioniIsole ConfigurazioniConSat(Modello& m, Piattaforma& p, const std::vector<int>& isole,
                                         int n) {
    m.TempoScaduto = 0;
    const Schema s = SchemaDa(m);
    OpzioniSat o = Opzioni(m, p, s, true);
    o.Soluzioni = std::max(n, 1);
    for (int i : isole)
        o.Proiezione.push_back(i - 1);
    const RisultatoSat r = RisolviSat(s, o);
    ConfigurazioniIsole x;
    x.Esito = r.Esito;
    if (r.Esito == EsitoSat::Interrotta) {
        m.TempoScaduto = 1;
        return x;
    }
    // Each island's cells: its region of island cells around its clue.
    const int C = s.Colonne;
    for (const std::string& sol : r.Soluzioni) {
        std::string celle(sol.size(), '0');
        std::vector<int> coda;
        for (int i : isole) {
            const Indizio& d = s.Isole[static_cast<size_t>(i - 1)];
            coda.assign(1, (d.Riga - 1) * C + d.Colonna - 1);
            celle[static_cast<size_t>(coda[0])] = '1';
            for (size_t k = 0; k < coda.size(); ++k) {
                const int x0 = coda[k], r0 = x0 / C, c0 = x0 % C;
                for (const auto& [dr, dc] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                    const int rr = r0 + dr, cc = c0 + dc, y = rr * C + cc;
                    if (rr < 0 || rr >= s.Righe || cc < 0 || cc >= C) continue;
                    if (sol[static_cast<size_t>(y)] != '1' || celle[static_cast<size_t>(y)] == '1')
                        continue;
                    celle[static_cast<size_t>(y)] = '1';
                    coda.push_back(y);
                }
            }
        }
        x.Celle.push_back(std::move(celle));
    }
    return x;
}

} // namespace isolmar
