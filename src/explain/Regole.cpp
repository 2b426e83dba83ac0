// The direct rules of the explanation: the player's marks, then the solver's rules with every
// conclusion counted and reported.
#include "explain/Spiegazione.h"
#include "model/Impostazione.h"
#include "solver/RegoleDirette.h"

namespace isolmar {

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
    ++Conteggi[Indice(c.Codice)];
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
Conclusione Diretta(CodiceLog codice, int r, int c, const Modello& m, int e = 0) {
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
Risolutore::Ascolto Spiegazione::Diretti() {
    return {[this](CodiceLog codice, int r, int c, int e) {
                if (codice == CodiceLog::APP && e > 0 && isolaIS3_(r, c) == e) return !Fine();
                return Riporta(Diretta(codice, r, c, m, e));
            },
            [this](int e, int32_t mossa) { PosaForma(e, e, mossa); }};
}

// Unlike the solver's deductions, the explanation stops after the rule during which the run
// ended.
bool Spiegazione::PassoDiretto() {
    return isolmar::PassoDiretto(Ris, Diretti(), [this] { return Fine(); });
}

int Spiegazione::CelleDecise() const {
    int n = 0;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            n += Decisa(r, c);
    return n;
}

} // namespace isolmar
