// The candidate queries and the five direct rules.
#include "explain/Spiegazione.h"
#include "model/Impostazione.h"

namespace isolmar {

int32_t Spiegazione::RagSolo1(int r, int c) const {
    int32_t trovata = -1;
    for (int32_t n = m.ListeCella(r, c).PrimoCopre; n != 0; n = m.NodiCella[n].Succ) {
        const int32_t k = m.NodiCella[n].Mossa;
        if (m.Mosse[k].Blocchi != 0) continue;
        if (trovata != -1) return -1;
        trovata = k;
    }
    return trovata;
}

bool Spiegazione::PosAppartenteAcella(int r, int c, int32_t mossa) const {
    for (int32_t n = m.ListeCella(r, c).PrimoCopre; n != 0; n = m.NodiCella[n].Succ)
        if (m.NodiCella[n].Mossa == mossa) return true;
    return false;
}

int Spiegazione::eleDiapp(int32_t mossa) const {
    for (int i = 1; i <= m.NumEle; ++i)
        if (m.Ele[i].PrimaMossa != 0 && mossa >= m.Ele[i].PrimaMossa &&
            mossa <= m.Ele[i].UltimaMossa)
            return i;
    return m.NumEle + 1;
}

int Spiegazione::RagSoloDiUnEle(int r, int c) const {
    const auto [e1, e2] = RagSoloDidueEle(r, c);
    return e2 == -1 ? e1 : -1;
}

std::pair<int, int> Spiegazione::RagSoloDidueEle(int r, int c) const {
    int e1 = -1, e2 = -1;
    for (int32_t n = m.ListeCella(r, c).PrimoCopre; n != 0; n = m.NodiCella[n].Succ) {
        const int32_t k = m.NodiCella[n].Mossa;
        if (m.Mosse[k].Blocchi != 0) continue;
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

void Spiegazione::AggiornaConTblGioco() {
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            if (m.TblSchema(r, c) == 1) continue; // a clue cell
            if (m.TblGioco(r, c) == 1) {
                m.TblIsoleLog(r, c) = IsolaDelGiocatore;
                Ris.BloccaMuro(static_cast<int16_t>(r), static_cast<int16_t>(c));
            } else if (m.TblGioco(r, c) == 2) {
                m.TblSchema(r, c) = 2;
                Ris.BloccaperCella(static_cast<int16_t>(r), static_cast<int16_t>(c), 0, 0);
            }
        }
}

bool Spiegazione::Riporta(const Conclusione& c) {
    for (size_t i = 0; i < CodiciLog.size(); ++i)
        if (CodiciLog[i] == c.Codice) ++Conteggi[i];
    if (relatore_ && relatore_->msgLog(*this, c) == 2) Fermata = true;
    return !Fine();
}

// Island e of Ele (eSv in svEle) takes placement mossa as its final shape.
void Spiegazione::PosaForma(int e, int eSv, int32_t mossa) {
    Isola& x = m.Ele[e];
    const Mossa& mo = m.Mosse[mossa];
    x.Tessera = mo.Tessera;
    x.TessRiga = mo.TessRiga;
    x.TessColonna = mo.TessColonna;
    m.svEle[eSv].Tessera = x.Tessera;
    m.svEle[eSv].TessRiga = x.TessRiga;
    m.svEle[eSv].TessColonna = x.TessColonna;
    Ris.InserisciOTogli(x.Riga, x.Colonna, x.Tessera, x.TessRiga, x.TessColonna, "I");
    EleFinito[eSv] = 1;
}

namespace {
Conclusione Diretta(std::string_view codice, int r, int c, const Modello& m, int e = 0) {
    Conclusione x{codice, r, c, e};
    if (e > 0) {
        x.RigaIsola = m.Ele[e].Riga;
        x.ColonnaIsola = m.Ele[e].Colonna;
    }
    return x;
}
} // namespace

int Spiegazione::RegolaNRG() {
    int n = 0;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            const int16_t r16 = static_cast<int16_t>(r), c16 = static_cast<int16_t>(c);
            if (m.TblSchema(r, c) != 0 || !Ris.NonRag2(r16, c16)) continue;
            m.TblSchema(r, c) = 2;
            Ris.BloccaperCella(r16, c16, 0, 0);
            ++n;
            if (!Riporta(Diretta("NRG", r, c, m))) return n;
        }
    return n;
}

int Spiegazione::RegolaIIN() {
    int n = 0;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            if (m.TblIsoleLog(r, c) != IsolaDelGiocatore) continue;
            const int32_t mossa = RagSolo1(r, c);
            if (mossa <= 0) continue;
            const int e = eleDiapp(mossa);
            if (e > m.NumEle) continue;
            PosaForma(e, e, mossa);
            m.TblIsoleLog(r, c) = static_cast<uint8_t>(e);
            ++n;
            if (!Riporta(Diretta("IIN", r, c, m, e))) return n;
        }
    return n;
}

int Spiegazione::RegolaAPP() {
    int n = 0;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            if (m.TblIsoleLog(r, c) != IsolaDelGiocatore) continue;
            const int e = RagSoloDiUnEle(r, c);
            if (e < 1 || e > m.NumEle) continue;
            for (int32_t k = m.Ele[e].PrimaMossa; k != 0 && k <= m.Ele[e].UltimaMossa; ++k)
                if (m.Mosse[k].Blocchi == 0 && !PosAppartenteAcella(r, c, k)) ++m.Mosse[k].Blocchi;
            m.TblIsoleLog(r, c) = static_cast<uint8_t>(e);
            ++n;
            if (!Riporta(Diretta("APP", r, c, m, e))) return n;
        }
    return n;
}

int Spiegazione::RegolaMUR() {
    // The test board: every cell known to be island is island on it.
    Griglia8 copia;
    CopiaTabella(m.TblSchema, copia, MaxRighe);
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            if (m.TblIsoleLog(r, c) != 0) m.TblSchema(r, c) = 1;
    int n = 0;
    for (int r = 1; r <= m.NumRighe && !Fine(); ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            if (m.TblSchema(r, c) != 0) continue;
            m.TblSchema(r, c) = 1;
            if (Ris.VerificaMuro2(Vero)) {
                m.TblSchema(r, c) = 0;
                continue;
            }
            m.TblSchema(r, c) = copia(r, c) = 2;
            Ris.BloccaperCella(static_cast<int16_t>(r), static_cast<int16_t>(c), 0, 0);
            ++n;
            if (!Riporta(Diretta("MUR", r, c, m))) break;
        }
    CopiaTabella(copia, m.TblSchema, MaxRighe);
    return n;
}

// The 2x2 test does not look at EsitoMuro: whether a square would be all wall depends only on
// the board, not on what an earlier wall check happened to find.
int Spiegazione::RegolaISO() {
    int n = 0;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            if (m.TblSchema(r, c) != 0 || m.TblIsoleLog(r, c) != 0) continue;
            m.TblSchema(r, c) = 2;
            bool quadrato = false;
            for (int a = r - 1; a <= r && !quadrato; ++a)
                for (int b = c - 1; b <= c && !quadrato; ++b)
                    if (a >= 1 && b >= 1 && a < m.NumRighe && b < m.NumColonne)
                        quadrato = !Ris.VerificaQuattroPerCella(static_cast<int16_t>(a),
                                                                static_cast<int16_t>(b));
            m.TblSchema(r, c) = 0;
            if (!quadrato) continue;
            m.TblIsoleLog(r, c) = IsolaDelGiocatore;
            Ris.BloccaMuro(static_cast<int16_t>(r), static_cast<int16_t>(c));
            ++n;
            if (!Riporta(Diretta("ISO", r, c, m))) return n;
        }
    return n;
}

int Spiegazione::CelleDecise() const {
    int n = 0;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            n += Decisa(r, c);
    return n;
}

} // namespace isolmar
