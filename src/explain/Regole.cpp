// The candidate queries and the five direct rules.
#include "explain/Spiegazione.h"
#include "model/Impostazione.h"

namespace isolmar {

int32_t Spiegazione::RagSolo1(int r, int c) const {
    return Ris.RagSolo1(r, c);
}

bool Spiegazione::PosAppartenteAcella(int r, int c, int32_t mossa) const {
    return Ris.PosAppartenteAcella(r, c, mossa);
}

int Spiegazione::eleDiapp(int32_t mossa) const {
    return Ris.eleDiapp(mossa);
}

int Spiegazione::RagSoloDiUnEle(int r, int c) const {
    return Ris.RagSoloDiUnEle(r, c);
}

std::pair<int, int> Spiegazione::RagSoloDidueEle(int r, int c) const {
    return Ris.RagSoloDidueEle(r, c);
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

// The rules themselves are the solver's (its deductions before the search use them too); here
// every conclusion is counted and reported.
Risolutore::Riscontro Spiegazione::Diretti() {
    return {[this](std::string_view codice, int r, int c, int e) {
                if (codice == "APP" && e > 0 && isolaIS3_(r, c) == e) return !Fine();
                return Riporta(Diretta(codice, r, c, m, e));
            },
            [this](int e, int32_t mossa) { PosaForma(e, e, mossa); }};
}

int Spiegazione::RegolaNRG() {
    return Ris.RegolaNRG(Diretti());
}
int Spiegazione::RegolaIIN() {
    return Ris.RegolaIIN(Diretti());
}
int Spiegazione::RegolaAPP() {
    return Ris.RegolaAPP(Diretti());
}
int Spiegazione::RegolaMUR() {
    return Ris.RegolaMUR(Diretti());
}
int Spiegazione::RegolaISO() {
    return Ris.RegolaISO(Diretti());
}

int Spiegazione::CelleDecise() const {
    int n = 0;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            n += Decisa(r, c);
    return n;
}

} // namespace isolmar
