#include "sat/MotoreSat.h"

#include <algorithm>
#include <chrono>

namespace isolmar {

Motore MotorePer(const Schema& s, Motore scelto) {
    if (scelto != Motore::Auto) return scelto;
    return OltreLeForme(s).empty() ? Motore::Forme : Motore::Sat;
}

RisultatoSat RisolviConSat(Modello& m, Piattaforma& p, int n, bool giocatore) {
    n = std::clamp(n, 1, MaxSol);
    m.TempoRidisegno = p.Orologio();
    m.TempoScaduto = 0;
    m.NumSol = 0;
    m.SolCercate = static_cast<int16_t>(n);
    m.Trovata = Falso;
    const Schema s = SchemaDa(m);
    OpzioniSat o;
    o.Soluzioni = n;
    if (giocatore) {
        o.Fisse.assign(static_cast<size_t>(s.Righe) * s.Colonne, -1);
        for (int r = 1; r <= s.Righe; ++r)
            for (int c = 1; c <= s.Colonne; ++c) {
                const uint8_t g = m.TblGioco(r, c);
                if (g == 1 || g == 2) o.Fisse[(r - 1) * s.Colonne + c - 1] = g == 1 ? 1 : 0;
            }
    }
    // The solver polls often; the host's yield (events, the clock) every 2 ms is enough.
    auto ultima = std::chrono::steady_clock::now();
    o.Ferma = [&] {
        const auto ora = std::chrono::steady_clock::now();
        if (ora - ultima >= std::chrono::milliseconds(2)) {
            ultima = ora;
            p.Cedi();
        }
        return m.TempoScaduto == 1;
    };
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

} // namespace isolmar
