// The explanation driver: passes of direct rules, then hypotheses over 1 to 5 islands, and the
// difficulty level.
#include "explain/Spiegazione.h"
#include "model/Impostazione.h"
#include "solver/Tessere.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace isolmar {

void Spiegazione::AzzeraContatori() {
    for (int k = 1; k <= 5; ++k) {
        NumConfig[k] = 0;
        MossaConfig[k] = 0;
        if (!sporco_[k]) continue;
        // Only the cells of the board are ever counted.
        for (int c = 1; c <= m.NumColonne; ++c)
            for (int r = 1; r <= m.NumRighe; ++r)
                ContaIsola(k, r, c) = ContaMuro(k, r, c) = 0;
        sporco_[k] = false;
    }
}

bool Spiegazione::ProvaCombinazione(const int* isole, int L) {
    for (int k = 1; k <= L; ++k)
        Ris.RecuperaUnEle(static_cast<uint8_t>(k), static_cast<uint8_t>(isole[k]));
    AzzeraContatori();
    esaurita_ = false;
    ProvaTesseraSol(1);
    if (Fine() || esaurita_) return false; // incomplete counts prove nothing
    bool concluso = false;
    for (int k = 1; k <= L; ++k) {
        const int ik = isole[k];
        const Isola& e = m.Ele[k];
        const int32_t n = NumConfig[k];
        Conclusione x{CodiceLog::II3, e.Riga, e.Colonna, k, e.Riga, e.Colonna, L};
        if (n == 1 && EleFinito[ik] == 0) {
            concluso = true;
            const bool avanti = Riporta(x);
            PosaForma(k, ik, MossaConfig[k]);
            if (!avanti) return true;
        }
        for (int r = 1; r <= m.NumRighe; ++r)
            for (int c = 1; c <= m.NumColonne; ++c) {
                if (n < 1 || ContaIsola(k, r, c) != n || m.TblSchema(r, c) != 0 ||
                    m.TblIsoleLog(r, c) != 0)
                    continue;
                concluso = true;
                x.Codice = CodiceLog::IS3;
                x.Riga = r;
                x.Colonna = c;
                const bool avanti = Riporta(x);
                m.TblIsoleLog(r, c) = IsolaDelGiocatore;
                isolaIS3_(r, c) = static_cast<uint8_t>(ik);
                Ris.BloccaMuro(static_cast<int16_t>(r), static_cast<int16_t>(c));
                Ris.BloccaperCella(static_cast<int16_t>(r), static_cast<int16_t>(c),
                                   m.svEle[ik].PrimaMossa, m.svEle[ik].UltimaMossa);
                if (!avanti) return true;
            }
        for (int r = 1; r <= m.NumRighe; ++r)
            for (int c = 1; c <= m.NumColonne; ++c) {
                if (m.TblSchema(r, c) != 0) continue;
                const bool bordo = n >= 1 && ContaMuro(k, r, c) == n;
                const bool irraggiungibile = TabUnicaIsola(r, c) == ik && ContaIsola(k, r, c) == 0;
                if (!bordo && !irraggiungibile) continue;
                concluso = true;
                x.Codice = CodiceLog::MU3;
                x.Riga = r;
                x.Colonna = c;
                const bool avanti = Riporta(x);
                m.TblSchema(r, c) = 2;
                Ris.BloccaperCella(static_cast<int16_t>(r), static_cast<int16_t>(c), 0, 0);
                if (!avanti) return true;
            }
    }
    return concluso;
}

bool Spiegazione::Ipotesi() {
    auto inizioLivello = [&] {
        p.CursoreOccupato(false);
        Ris.RiprendiEleDasvEle();
        p.BarraProgresso(0, 60);
        p.ValoreProgresso(0);
        m.TempoInizio = p.Orologio();
        p.CursoreOccupato(true);
    };
    inizioLivello();
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            TabUnicaIsola(r, c) = static_cast<int16_t>(Ris.RagSoloDiUnEle(r, c));
    if (Fine()) return false;

    std::vector<int> idonee; // the islands that may join a combination, in svEle order
    for (int i = 1; i <= m.svNumEle; ++i)
        if (Idonea(i)) idonee.push_back(i);
    const int n = static_cast<int>(idonee.size());
    int isole[6] = {};
    auto prova = [&](int L) {
        const bool si = ProvaCombinazione(isole, L);
        Ris.RiprendiEleDasvEle();
        if (si) LivelloLog = std::max<uint8_t>(LivelloLog, static_cast<uint8_t>(L));
        return si;
    };

    for (int a = 0; a < n && !Fine() && LivelloMassimo >= 1; ++a) {
        isole[1] = idonee[a];
        if (prova(1)) return true;
    }
    for (int L = 2; L <= std::min(5, LivelloMassimo) && !Fine(); ++L) {
        if (L == 5 && m.svNumEle < 4) break;
        inizioLivello();
        if (L <= 3) {
            // Cheapest first: the product of the islands' candidate counts, ten digits, then the
            // indices, sorted as text.
            ElencoCombinazioni.assign(1, std::string());
            auto chiave = [&](std::initializer_list<int> ii) {
                long long prodotto = 1;
                for (int i : ii)
                    prodotto *= m.svEle[i].UltimaMossa - m.svEle[i].PrimaMossa + 1;
                char buf[64];
                int k = std::snprintf(buf, sizeof buf, "%010lld", prodotto);
                for (int i : ii)
                    k += std::snprintf(buf + k, sizeof buf - static_cast<size_t>(k), ",%d", i);
                ElencoCombinazioni.emplace_back(buf, static_cast<size_t>(k));
            };
            for (int a = 0; a < n; ++a)
                for (int b = a + 1; b < n; ++b) {
                    if (L == 2) {
                        chiave({idonee[a], idonee[b]});
                        continue;
                    }
                    for (int c = b + 1; c < n; ++c)
                        chiave({idonee[a], idonee[b], idonee[c]});
                }
            Sortaqs6(ElencoCombinazioni, 1, static_cast<int>(ElencoCombinazioni.size()) - 1);
            for (size_t j = 1; j < ElencoCombinazioni.size() && !Fine(); ++j) {
                const char* s = ElencoCombinazioni[j].c_str();
                for (int k = 1; k <= L; ++k) {
                    while (*s != ',')
                        ++s;
                    isole[k] = std::atoi(++s);
                }
                if (prova(L)) return true;
            }
        } else {
            // Increasing indices, the first island outermost.
            int pos[6] = {};
            for (int k = 1; k <= L; ++k)
                pos[k] = k - 1;
            while (L <= n && !Fine()) {
                for (int k = 1; k <= L; ++k)
                    isole[k] = idonee[pos[k]];
                if (prova(L)) return true;
                int k = L;
                while (k >= 1 && pos[k] == n - L + k - 1)
                    --k;
                if (k < 1) break;
                ++pos[k];
                for (int j = k + 1; j <= L; ++j)
                    pos[j] = pos[j - 1] + 1;
            }
        }
        if (L == 2 && SoloValuta && !Fine()) { // a stopped level proves nothing
            for (int r = 1; r <= m.NumRighe; ++r)
                for (int c = 1; c <= m.NumColonne; ++c)
                    if (m.TblSchema(r, c) == 0) LivelloLog = 3;
            return false;
        }
    }
    return false;
}

bool Spiegazione::Prepara() {
    Fermata = Interrotta = false;
    Conteggi.fill(0);
    LivelloLog = 0;
    ModoLog = 0;
    m.TempoScaduto = 0;
    EleFinito.fill(0);
    AzzeraTabella(isolaIS3_);
    InizializzaSchemaEle(m);
    Ris.SortaEle("A");
    Ris.InizializzaMossePossibili(); // clears TblIsoleLog
    if (m.MossePiene || m.ListePiene) return false;
    AggiornaConTblGioco();
    Ris.SalvaEleInsvele();
    sporco_.fill(true);
    return true;
}

bool Spiegazione::EseguiLog(Relatore& relatore, bool soloValuta) {
    relatore_ = &relatore;
    SoloValuta = soloValuta;
    if (m.NumEle == 0) return true;
    if (!Prepara()) return false;
    const Booleano colori = m.NoColori;
    m.NoColori = Vero; // the window redraws the board from the tables
    while (!Fine()) {
        p.Cedi();
        if (PassoDiretto()) continue;
        if (!Ipotesi()) break;
    }
    Interrotta = m.TempoScaduto == 1;
    Ris.RiprendiEleDasvEle();
    m.NoColori = colori;
    p.CursoreOccupato(false);
    relatore_ = nullptr;
    return true;
}

} // namespace isolmar
