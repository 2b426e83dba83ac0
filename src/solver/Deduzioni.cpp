// The candidate queries and the five direct rules (their order and codes: RegoleDirette).
#include "solver/Risolutore.h"

#include "model/Impostazione.h"

#include <algorithm>

namespace isolmar {

// ---- Candidate queries ------------------------------------------------------------------------

int32_t Risolutore::RagSolo1(int r, int c) const {
    int32_t trovata = -1;
    const int x = m.CellaLista(r, c);
    for (int32_t n = m.InizioCopre[x]; n < m.InizioCopre[x + 1]; ++n) {
        const int32_t k = m.Copre[n];
        if (m.Blocchi[k] != 0) continue;
        if (trovata != -1) return -1;
        trovata = k;
    }
    return trovata;
}

bool Risolutore::PosAppartenteAcella(int r, int c, int32_t mossa) const {
    const int x = m.CellaLista(r, c);
    return std::binary_search(m.Copre.begin() + m.InizioCopre[x],
                              m.Copre.begin() + m.InizioCopre[x + 1], mossa);
}

int Risolutore::eleDiapp(int32_t mossa) const {
    for (int i = 1; i <= m.NumEle; ++i)
        if (m.Ele[i].PrimaMossa != 0 && mossa >= m.Ele[i].PrimaMossa &&
            mossa <= m.Ele[i].UltimaMossa)
            return i;
    return m.NumEle + 1;
}

int Risolutore::RagSoloDiUnEle(int r, int c) const {
    const auto [e1, e2] = RagSoloDidueEle(r, c);
    return e2 == -1 ? e1 : -1;
}

std::pair<int, int> Risolutore::RagSoloDidueEle(int r, int c) const {
    int e1 = -1, e2 = -1;
    const int x = m.CellaLista(r, c);
    // A cell that one or two islands reach is walked to the end of its list: a yield (the
    // answer stays exact).
    Passi(static_cast<uint64_t>(m.InizioCopre[x + 1] - m.InizioCopre[x]));
    for (int32_t n = m.InizioCopre[x]; n < m.InizioCopre[x + 1]; ++n) {
        const int32_t k = m.Copre[n];
        if (m.Blocchi[k] != 0) continue;
        // Placements are listed in increasing order, so a placement inside the current island's
        // range belongs to it; only a placement outside it needs the island search.
        auto di = [&](int e) {
            return e >= 1 && e <= m.NumEle && k >= m.Ele[e].PrimaMossa && k <= m.Ele[e].UltimaMossa;
        };
        if (di(e1) || di(e2)) continue;
        const int e = eleDiapp(k);
        if (e1 == -1)
            e1 = e;
        else if (e2 == -1)
            e2 = e;
        else
            return {-1, -1};
    }
    return {e1, e2};
}

// ---- Direct rules -----------------------------------------------------------------------------

int Risolutore::RegolaNRG(const Riscontro& x) {
    int n = 0;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            const int16_t r16 = static_cast<int16_t>(r), c16 = static_cast<int16_t>(c);
            if (m.TblSchema(r, c) != 0 || !NonRag2(r16, c16)) continue;
            m.TblSchema(r, c) = 2;
            BloccaperCella(r16, c16, 0, 0);
            ++n;
            if (!x.Conclusione(r, c, 0)) return n;
        }
    return n;
}

int Risolutore::RegolaIIN(const Riscontro& x) {
    int n = 0;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            if (m.TblIsoleLog(r, c) != IsolaDelGiocatore) continue;
            const int32_t mossa = RagSolo1(r, c);
            if (mossa <= 0) continue;
            const int e = eleDiapp(mossa);
            if (e > m.NumEle) continue;
            x.Posa(e, mossa);
            m.TblIsoleLog(r, c) = static_cast<uint8_t>(e);
            ++n;
            if (!x.Conclusione(r, c, e)) return n;
        }
    return n;
}

int Risolutore::RegolaAPP(const Riscontro& x) {
    int n = 0;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            if (m.TblIsoleLog(r, c) != IsolaDelGiocatore) continue;
            const int e = RagSoloDiUnEle(r, c);
            if (e < 1 || e > m.NumEle) continue;
            for (int32_t k = m.Ele[e].PrimaMossa; k != 0 && k <= m.Ele[e].UltimaMossa; ++k)
                if (m.Blocchi[k] == 0 && !PosAppartenteAcella(r, c, k)) ++m.Blocchi[k];
            m.TblIsoleLog(r, c) = static_cast<uint8_t>(e);
            ++n;
            if (!x.Conclusione(r, c, e)) return n;
        }
    return n;
}

int Risolutore::RegolaMUR(const Riscontro& x) {
    // The test board: every cell known to be island is island on it.
    Griglia8 copia;
    CopiaTabella(m.TblSchema, copia);
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            if (m.TblIsoleLog(r, c) != 0) m.TblSchema(r, c) = 1;
    // The wall check's masks follow the test board cell by cell instead of being read whole for
    // every cell tried.
    const bool vive = tavole_.vive;
    CaricaMaschere();
    tavole_.vive = true;
    auto poni = [&](int r, int c, uint8_t v) {
        m.TblSchema(r, c) = v;
        AggiornaMaschere(r, c);
    };
    int n = 0;
    bool fermo = false;
    for (int r = 1; r <= m.NumRighe && !fermo; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            if (m.TblSchema(r, c) != 0) continue;
            Passi(static_cast<uint64_t>(m.NumRighe)); // a flood of the board, a row at a time
            poni(r, c, 1);
            if (VerificaMuro2(Vero)) {
                poni(r, c, 0);
                continue;
            }
            poni(r, c, 2);
            copia(r, c) = 2;
            BloccaperCella(static_cast<int16_t>(r), static_cast<int16_t>(c), 0, 0);
            ++n;
            tavole_.vive = vive; // whoever hears of it may touch the board
            if (!x.Conclusione(r, c, 0)) {
                fermo = true;
                break;
            }
            CaricaMaschere();
            tavole_.vive = true;
        }
    CopiaTabella(copia, m.TblSchema);
    tavole_.vive = vive;
    if (vive) CaricaMaschere();
    return n;
}

// The 2x2 test does not look at EsitoMuro: whether a square would be all wall depends only on
// the board, not on what an earlier wall check happened to find.
int Risolutore::RegolaISO(const Riscontro& x) {
    int n = 0;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            if (m.TblSchema(r, c) != 0 || m.TblIsoleLog(r, c) != 0) continue;
            m.TblSchema(r, c) = 2;
            bool quadrato = false;
            for (int a = r - 1; a <= r && !quadrato; ++a)
                for (int b = c - 1; b <= c && !quadrato; ++b)
                    if (a >= 1 && b >= 1 && a < m.NumRighe && b < m.NumColonne)
                        quadrato = !VerificaQuattroPerCella(static_cast<int16_t>(a),
                                                            static_cast<int16_t>(b));
            m.TblSchema(r, c) = 0;
            if (!quadrato) continue;
            m.TblIsoleLog(r, c) = IsolaDelGiocatore;
            BloccaMuro(static_cast<int16_t>(r), static_cast<int16_t>(c));
            ++n;
            if (!x.Conclusione(r, c, 0)) return n;
        }
    return n;
}

} // namespace isolmar
