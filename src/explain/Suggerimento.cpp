// The position check and the hint.
#include "explain/Suggerimento.h"
#include "model/Impostazione.h"
#include "solver/Tessere.h"

namespace isolmar {

namespace {

bool SuIndizio(const Modello& m, int r, int c) {
    for (int i = 1; i <= m.NumEle; ++i)
        if (m.Ele[i].Riga == r && m.Ele[i].Colonna == c) return true;
    return false;
}

// The cells of a placed shape: its own cells island, its border ring wall, inside the board.
void CelleForma(const Modello& m, int riga, int colonna, int32_t tessera, int tessRiga,
                int tessColonna, std::vector<CellaPasso>& celle) {
    const Tessera& s = m.Tessere[tessera];
    for (int i = 1; i <= s.Righe; ++i)
        for (int j = 1; j <= s.Colonne; ++j) {
            const int r = riga - tessRiga + i, c = colonna - tessColonna + j;
            if (r < 1 || r > m.NumRighe || c < 1 || c > m.NumColonne) continue;
            if (s.Cella[i][j] == CellaTessera)
                celle.push_back({r, c, true});
            else if (s.Cella[i][j] == CellaBordo)
                celle.push_back({r, c, false});
        }
}

} // namespace

bool PosizioneCompleta(const Modello& m) {
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            if (m.TblGioco(r, c) == 0 && !SuIndizio(m, r, c)) return false;
    return true;
}

void SoloNumeri(Modello& m) {
    AzzeraTabella(m.TblGioco);
    for (int i = 1; i <= m.NumEle; ++i)
        m.TblGioco(m.Ele[i].Riga, m.Ele[i].Colonna) = 1;
}

std::vector<std::pair<int, int>> CelleSbagliate(const Modello& m) {
    std::vector<std::pair<int, int>> errori;
    if (m.NumSol < 1) return errori;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            const uint8_t v = m.TblGioco(r, c);
            if ((v == 1 || v == 2) && (v == 1) != (m.Tblsol(1, r, c) == 1) && !SuIndizio(m, r, c))
                errori.emplace_back(r, c);
        }
    return errori;
}

int RelatorePrimoPasso::msgLog(Spiegazione& s, const Conclusione& c) {
    // Direct rules report once their conclusion is on the board, hypotheses just before: the
    // shape of an island is read from the island record or from the counted configuration.
    const Modello& m = s.Dati();
    std::vector<CellaPasso> celle;
    switch (Decide(c.Codice)) {
    case Decisione::Muro:
        celle.push_back({c.Riga, c.Colonna, false});
        break;
    case Decisione::Isola:
        celle.push_back({c.Riga, c.Colonna, true});
        break;
    case Decisione::Forma:
        if (c.Livello == 0) {
            const Isola& e = m.Ele[c.Isola];
            CelleForma(m, e.Riga, e.Colonna, e.Tessera, e.TessRiga, e.TessColonna, celle);
        } else {
            const Mossa& mo = m.Mosse[s.MossaConfig[c.Isola]];
            CelleForma(m, c.Riga, c.Colonna, mo.Tessera, mo.TessRiga, mo.TessColonna, celle);
        }
        break;
    case Decisione::Appartiene: // the cell was already known to be island
        break;
    }
    std::vector<CellaPasso> nuove;
    for (const CellaPasso& k : celle)
        if (m.TblGioco(k.Riga, k.Colonna) == 0 && !SuIndizio(m, k.Riga, k.Colonna))
            nuove.push_back(k);
    if (nuove.empty()) return 1;
    Trovato = true;
    Passo = {c, s.RigheMessaggio(c), std::move(nuove), c.Livello > 0 ? s.NumSerie : 0};
    return 2;
}

EsitoPasso CercaPasso(Spiegazione& s, PassoSuggerito& passo) {
    RelatorePrimoPasso relatore;
    if (!s.EseguiLog(relatore, false)) return EsitoPasso::TroppoGrande;
    if (relatore.Trovato) {
        passo = std::move(relatore.Passo);
        return EsitoPasso::Trovato;
    }
    return s.Interrotta ? EsitoPasso::Interrotto : EsitoPasso::Nessuno;
}

} // namespace isolmar
