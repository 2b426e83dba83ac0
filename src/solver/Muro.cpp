// The wall checks: a complete board (no 2 x 2 wall block, then the solution stored), a board
// under way (every wall cell connected, no block that can only be wall), the row masks they
// work on, and for backjumping the islands that made a check fail.
#include "solver/Risolutore.h"

#include "model/Impostazione.h"
#include "solver/RisolutoreInterno.h"

namespace isolmar {

void Risolutore::VerificaMuro() {
    m.Trovata = Vero;
    for (int r = 1; r < m.NumRighe; ++r)
        for (int c = 1; c < m.NumColonne; ++c)
            if (m.TblSchema(r, c) != 1 && m.TblSchema(r + 1, c) != 1 &&
                m.TblSchema(r, c + 1) != 1 && m.TblSchema(r + 1, c + 1) != 1) {
                m.Trovata = Falso;
                return;
            }
    if (m.NumSol >= MaxSol) { // the store is full: never write past it
        m.Trovata = Vero;
        return;
    }
    ++m.NumSol;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            m.Tblsol(m.NumSol, r, c) = m.TblSchema(r, c);
    if (m.Livello <= MaxLivelli && m.NumSol <= MaxSolLivello)
        for (int i = 1; i <= m.NumEle; ++i) {
            Isola e = m.Ele[i];
            e.Marcata = 0;
            m.EleSol[m.Livello][m.NumSol][i] = e;
        }
    if (m.NumSol < m.SolCercate) m.Trovata = Falso;
}

void Risolutore::VerificaMuro3() {
    // Every island is placed: a free cell shut in by walls can only be wall itself, so it counts
    // as wall in the 2 x 2 test; other free cells may still belong to islands not searched.
    auto muro = [&](int r, int c) {
        const uint8_t v = m.TblSchema(r, c);
        return v >= 2 || (v == 0 && NonRag3(static_cast<int16_t>(r), static_cast<int16_t>(c)));
    };
    m.MuroOk = Vero;
    for (int r = 1; r < m.NumRighe; ++r)
        for (int c = 1; c < m.NumColonne; ++c)
            if (muro(r, c) && muro(r + 1, c) && muro(r, c + 1) && muro(r + 1, c + 1)) {
                m.MuroOk = Falso;
                return;
            }
}

bool Risolutore::NonRag3(int16_t r, int16_t c) const {
    auto muro = [&](int rr, int cc) {
        return rr < 1 || rr > m.NumRighe || cc < 1 || cc > m.NumColonne || m.TblSchema(rr, cc) >= 2;
    };
    return muro(r - 1, c) && muro(r + 1, c) && muro(r, c - 1) && muro(r, c + 1);
}

bool Risolutore::NonRag2(int16_t r, int16_t c) const {
    if (m.TblSchema(r, c) >= 2) return true;
    const int i = Cella(r, c);
    const int32_t inizio = m.InizioCopre[i], fine = m.InizioCopre[i + 1];
    int32_t n = inizio;
    while (n < fine && m.Blocchi[m.Copre[n]] != 0)
        ++n;
    Passi(static_cast<uint64_t>(n - inizio + 1)); // the answer stays exact: only a yield
    return n == fine;
}

bool Risolutore::VerificaQuattroPerCella(int16_t r, int16_t c) const {
    return QuattroPerCella(r, c, [this](int rr, int cc) {
        return NonRag2(static_cast<int16_t>(rr), static_cast<int16_t>(cc));
    });
}

bool Risolutore::VerificaMuro2(Booleano salta2x2) {
    if (domini_.esplorazione)
        return Muro2(salta2x2, [this](int r, int c) { return SenzaCopertura(r, c); });
    return Muro2(salta2x2, [this](int r, int c) {
        return NonRag2(static_cast<int16_t>(r), static_cast<int16_t>(c));
    });
}

void Risolutore::CaricaMaschere() {
    const int R = m.NumRighe, C = m.NumColonne;
    tavole_.isola[0] = tavole_.muro[0] = tavole_.log[0] = tavole_.isola[R + 1] =
        tavole_.muro[R + 1] = tavole_.log[R + 1] = 0;
    for (int r = 1; r <= R; ++r) {
        uint64_t isola = 0, muro = 0, log = 0;
        for (int c = 1; c <= C; ++c) {
            const uint8_t v = m.TblSchema(r, c);
            isola |= uint64_t{v == 1} << c;
            muro |= uint64_t{v >= 2} << c;
            log |= uint64_t{m.TblIsoleLog(r, c) != 0} << c;
        }
        tavole_.isola[r] = isola;
        tavole_.muro[r] = muro;
        tavole_.log[r] = log;
    }
}

void Risolutore::AggiornaMaschere(int r, int c) {
    const uint64_t bit = uint64_t{1} << c;
    const uint8_t v = m.TblSchema(r, c);
    tavole_.isola[r] = v == 1 ? tavole_.isola[r] | bit : tavole_.isola[r] & ~bit;
    tavole_.muro[r] = v >= 2 ? tavole_.muro[r] | bit : tavole_.muro[r] & ~bit;
}

// ---- Why a wall check failed --------------------------------------------------------------------

Risolutore::Insieme Risolutore::CausaMuro(Insieme tutte) {
    Insieme s = 0;
    if (m.EsitoMuro == 0) {
        // A 2 x 2 block of cells none of which can be island: rings, and free cells whose every
        // covering placement is blocked.
        for (int dr = 0; dr <= 1; ++dr)
            for (int dc = 0; dc <= 1; ++dc) {
                const int r = m.Muro2x2Riga + dr, c = m.Muro2x2Colonna + dc;
                if (m.TblSchema(r, c) >= 2) {
                    s |= Proprietario(r, c);
                    continue;
                }
                // Every placement covering the cell lies in its box: what blocks them is among
                // the owners of the box's cells (more than needed, never less).
                const Riquadro q = salti_.riquadro[Cella(r, c)];
                for (int a = q.r0; a <= q.r1 && s != tutte; ++a)
                    for (int b = q.c0; b <= q.c1; ++b)
                        s |= Proprietario(a, b);
            }
        return s;
    }
    // A cut wall: the island cells around the region of the second wall cell keep it apart
    // from the first. That region is flooded again here (the first one's is usually the large
    // one, bounded by most islands).
    s = Proprietario(m.TaglioRiga1, m.TaglioColonna1) |
        Proprietario(m.TaglioRiga2, m.TaglioColonna2);
    for (int c = 1; c <= m.NumColonne; ++c)
        for (int r = 1; r <= m.NumRighe; ++r)
            tavole_.raggiunta(r, c) = 0;
    Inonda(m.TaglioRiga2, m.TaglioColonna2, 1, [&](int r, int c) { s |= Proprietario(r, c); });
    return s;
}

} // namespace isolmar
