// The solver's own templates and inline helpers, shared by the .cpp files that define Risolutore
// (none else includes this header): the walk over a shape's cells, the free-placement test of lazy
// usability, and the wall checks on row masks with their flood fills.
#pragma once

#include "solver/Risolutore.h"

#include <bit>

namespace isolmar {

template <class F> void Risolutore::PerCelle(int R0, int C0, int32_t t, int a, int b, F&& f) const {
    const Tessera& s = m.Tessere[t];
    const int dr = R0 - a, dc = C0 - b;
    for (int i = 1; i <= s.Righe; ++i) {
        const int r = i + dr;
        if (r < 1 || r > m.NumRighe) continue;
        for (int j = 1; j <= s.Colonne; ++j) {
            const int c = j + dc;
            if (c < 1 || c > m.NumColonne) continue;
            const uint8_t codice = s.Cella[i][j];
            if (codice != Fuori && !(r == R0 && c == C0)) f(r, c, codice);
        }
    }
}

inline bool Risolutore::Libera(int32_t k2) const {
    return Libera(k2, domini_.occupate);
}

// Whether no island cell of drawing g, shifted by (dr, dc), lies on the row masks.
template <class G, class M> inline bool LiberaSu(const G& g, int dr, int dc, const M& occupate) {
    for (int i = g.prima; i <= g.ultima; ++i) {
        const uint64_t x = g.riga[i];
        const uint64_t bit = dc >= 0 ? x << dc : x >> -dc;
        if (occupate[i + dr] & bit) return false;
    }
    return true;
}

template <class M> inline bool Risolutore::Libera(int32_t k2, const M& occupate) const {
    const Posizione& q = domini_.posizioni[k2];
    if (q.t >= PrimaTesseraGrande) // only explorations place these
        return LiberaSu(domini_.sagomeGrandi[static_cast<size_t>(q.t - PrimaTesseraGrande)], q.dr,
                        q.dc, occupate);
    return LiberaSu(domini_.sagome[q.t], q.dr, q.dc, occupate);
}

inline bool Risolutore::Usabile(int32_t k2) const {
    return m.Blocchi[k2] == 0 && Libera(k2);
}

template <class N> bool Risolutore::QuattroPerCella(int r, int c, N&& nonRag) const {
    const int r1 = r + 1, c1 = c + 1;
    if (m.TblSchema(r, c) == 1 || m.TblSchema(r1, c) == 1 || m.TblSchema(r, c1) == 1 ||
        m.TblSchema(r1, c1) == 1)
        return true;
    return !(nonRag(r, c) && nonRag(r1, c) && nonRag(r, c1) && nonRag(r1, c1));
}

template <class F> void Risolutore::Inonda(int r0, int c0, uint8_t segno, F&& suBordo) {
    const int R = m.NumRighe, C = m.NumColonne;
    int numero = 1;
    tavole_.inondate[1] = {static_cast<uint8_t>(r0), static_cast<uint8_t>(c0)};
    tavole_.raggiunta(r0, c0) = segno;
    auto raggiungi = [&](int r, int c) {
        if (r < 1 || r > R || c < 1 || c > C || tavole_.raggiunta(r, c) == segno) return;
        if (m.TblSchema(r, c) == 1 || m.TblIsoleLog(r, c) != 0) {
            suBordo(r, c);
            return;
        }
        tavole_.raggiunta(r, c) = segno;
        tavole_.inondate[++numero] = {static_cast<uint8_t>(r), static_cast<uint8_t>(c)};
    };
    for (int i = 1; i <= numero; ++i) {
        const int r = tavole_.inondate[i].first, c = tavole_.inondate[i].second;
        raggiungi(r - 1, c);
        raggiungi(r + 1, c);
        raggiungi(r, c - 1);
        raggiungi(r, c + 1);
    }
}

// Spreads the bits of x along the runs of p that touch them, both ways (bit c is column c): a
// flood fill of one board row, in a fixed number of steps.
inline uint64_t Riempi(uint64_t x, uint64_t p) {
    uint64_t su = x, giu = x, ps = p, pg = p;
    for (int passo = 1; passo < 64; passo *= 2) {
        su |= ps & (su << passo);
        ps &= ps << passo;
        giu |= pg & (giu >> passo);
        pg &= pg >> passo;
    }
    return su | giu;
}

// The board as row masks (bit c of a row is column c): a block with an island cell is passed
// over a row at a time, nonRag is asked only for the free cells of the other blocks, once per
// cell, and the wall is flooded a row at a time. Same answer and outcome fields as a scan cell by
// cell: the first failing block and the first wall cell out of reach in row order. During the
// search the masks follow the board as shapes come and go (tavole_.vive).
template <class N> bool Risolutore::Muro2(Booleano salta2x2, N&& nonRag) {
    if (!tavole_.vive) CaricaMaschere();
    return Muro2Maschere(salta2x2, nonRag, tavole_.isola, tavole_.muro);
}

template <class N>
bool Risolutore::Muro2Maschere(Booleano salta2x2, N&& nonRag, const Maschere& isola,
                               const Maschere& muro) {
    m.EsitoMuro = 0;
    const int R = m.NumRighe, C = m.NumColonne;
    const uint64_t dentro = ((uint64_t{1} << C) - 1) << 1;
    if (!salta2x2) {
        for (int r = 1; r <= R; ++r)
            tavole_.notaRag[r] = tavole_.nonRagNota[r] = 0;
        auto tuttoMuro = [&](int r, int c) {
            const uint64_t b = uint64_t{1} << c;
            if (muro[r] & b) return true;
            if (tavole_.notaRag[r] & b) return (tavole_.nonRagNota[r] & b) != 0;
            tavole_.notaRag[r] |= b;
            if (!nonRag(r, c)) return false;
            tavole_.nonRagNota[r] |= b;
            return true;
        };
        for (int r = 1; r < R; ++r) {
            const uint64_t libere = dentro & ~(isola[r] | isola[r + 1]);
            for (uint64_t blocchi = libere & libere >> 1; blocchi != 0; blocchi &= blocchi - 1) {
                const int c = std::countr_zero(blocchi);
                if (tuttoMuro(r, c) && tuttoMuro(r + 1, c) && tuttoMuro(r, c + 1) &&
                    tuttoMuro(r + 1, c + 1)) {
                    m.Muro2x2Riga = static_cast<uint8_t>(r);
                    m.Muro2x2Colonna = static_cast<uint8_t>(c);
                    return false;
                }
            }
        }
    }

    int r0 = 1;
    while (r0 <= R && muro[r0] == 0)
        ++r0;
    if (r0 > R) return true;
    const int c0 = std::countr_zero(muro[r0]);
    m.TaglioRiga1 = static_cast<uint8_t>(r0);
    m.TaglioColonna1 = static_cast<uint8_t>(c0);
    // The region of the first wall cell, through every cell that is not island: a row that grows
    // passes the flood on to the rows above and below it.
    for (int r = 0; r <= R + 1; ++r)
        tavole_.raggiunte[r] = 0;
    tavole_.raggiunte[r0] = uint64_t{1} << c0;
    int daFare = 0;
    tavole_.righeDaFare[daFare++] = static_cast<uint8_t>(r0);
    uint64_t inCoda = uint64_t{1} << r0; // rows 1..50 as bits
    while (daFare > 0) {
        const int r = tavole_.righeDaFare[--daFare];
        inCoda &= ~(uint64_t{1} << r);
        const uint64_t p = dentro & ~(isola[r] | tavole_.log[r]);
        const uint64_t x = Riempi(
            tavole_.raggiunte[r] | ((tavole_.raggiunte[r - 1] | tavole_.raggiunte[r + 1]) & p), p);
        if (x == tavole_.raggiunte[r] && r != r0) continue;
        tavole_.raggiunte[r] = x;
        for (const int v : {r - 1, r + 1})
            if (v >= 1 && v <= R &&
                (x & ~(isola[v] | tavole_.log[v] | tavole_.raggiunte[v]) & dentro) != 0 &&
                !(inCoda >> v & 1)) {
                inCoda |= uint64_t{1} << v;
                tavole_.righeDaFare[daFare++] = static_cast<uint8_t>(v);
            }
    }
    for (int r = 1; r <= R; ++r)
        if (const uint64_t fuori = muro[r] & ~tavole_.log[r] & ~tavole_.raggiunte[r]; fuori != 0) {
            m.TaglioRiga2 = static_cast<uint8_t>(r);
            m.TaglioColonna2 = static_cast<uint8_t>(std::countr_zero(fuori));
            m.EsitoMuro = 1;
            return false;
        }
    return true;
}

} // namespace isolmar
