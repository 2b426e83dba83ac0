// Hypothesis exploration: every joint placement of the islands Ele(1..NumEle), counted per depth
// and per cell (mode 0), or the ways the configurations fail collected as failure records
// (modes 1 and 2).
#include "explain/Spiegazione.h"
#include "solver/Tessere.h"

namespace isolmar {

namespace {
void Aggiungi(std::string& s, int n) {
    char buf[12];
    int i = sizeof buf;
    do {
        buf[--i] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n > 0);
    s.append(buf + i, buf + sizeof buf);
}
} // namespace

std::string Spiegazione::SalvaSerieElePerLog(int k) const {
    std::string s;
    for (int i = 1; i <= k; ++i) {
        const Isola& e = m.Ele[i];
        for (int v : {int(e.Riga), int(e.Colonna), int(e.Tessera), int(e.TessRiga)}) {
            Aggiungi(s, v);
            s += ',';
        }
        Aggiungi(s, e.TessColonna);
        s += 'E';
    }
    return s + 'A';
}

void Spiegazione::SommaUnoDue(int k, int riga, int colonna, int32_t tessera, int tessRiga,
                              int tessColonna) {
    const Tessera& s = m.Tessere[tessera];
    sporco_[k] = true;
    for (int i = 1; i <= s.Righe; ++i) {
        const int r = riga - tessRiga + i;
        if (r < 1 || r > m.NumRighe) continue;
        for (int j = 1; j <= s.Colonne; ++j) {
            const int c = colonna - tessColonna + j;
            if (c < 1 || c > m.NumColonne || (r == riga && c == colonna)) continue;
            if (s.Cella[i][j] == CellaBordo)
                ++ContaMuro(k, r, c);
            else if (s.Cella[i][j] == CellaTessera)
                ++ContaIsola(k, r, c);
        }
    }
}

int Spiegazione::IsolaBloccata(int k) {
    for (int i = 1; i <= m.svNumEle; ++i) {
        if (EleFinito[i] != 0 || (profondita_[i] != 0 && profondita_[i] <= k)) continue;
        if (!Ris.HaPostoSv(i)) return i;
    }
    return 0;
}

void Spiegazione::ProvaTesseraSol(uint8_t k) {
    p.Cedi();
    if (m.TempoScaduto == 1) return;
    const Booleano colori = m.NoColori;
    m.NoColori = Vero;
    const bool pigra = k == 1 && Pigra && Ris.AvviaEsplorazione();
    if (k == 1)
        for (int i = 1; i <= m.svNumEle; ++i) {
            profondita_[i] = 0;
            for (int j = 1; j <= m.NumEle; ++j)
                if (m.Ele[j].Riga == m.svEle[i].Riga && m.Ele[j].Colonna == m.svEle[i].Colonna) {
                    profondita_[i] = static_cast<uint8_t>(j);
                    combinazione_[j] = i;
                }
        }
    const bool potare = Potatura && ModoLog == 0;
    if (k == 1 && potare) {
        // The cells a conclusion could name, on the board as it is before any placement.
        numCandidate_ = 0;
        for (int c = 1; c <= m.NumColonne; ++c)
            for (int r = 1; r <= m.NumRighe; ++r)
                if (m.TblSchema(r, c) == 0)
                    candidate_[numCandidate_++] = {static_cast<uint8_t>(r), static_cast<uint8_t>(c),
                                                   m.TblIsoleLog(r, c) == 0};
        prossima_.fill(0);
        morta_.fill(false);
    }
    const int32_t contateK = NumConfig[k];
    Isola& e = m.Ele[k];
    for (int32_t t = e.PrimaMossa; t != 0 && t <= e.UltimaMossa; ++t) {
        // Each placement tried is a step of the run: a yield every so many, and a stop seen
        // before the next one is placed.
        if (Ris.Passi()) break;
        const Mossa& mo = m.Mosse[t];
        e.Tessera = mo.Tessera;
        e.TessRiga = mo.TessRiga;
        e.TessColonna = mo.TessColonna;
        if (m.Tessere[mo.Tessera].Cella[mo.TessRiga][mo.TessColonna] != CellaTessera ||
            !Ris.UsabileOra(t))
            continue;
        if (EleMsg == k)
            DiversaMsg = !(mo.Tessera == TesseraMsg && mo.TessRiga == TessRigaMsg &&
                           mo.TessColonna == TessColonnaMsg);
        Ris.InserisciOTogli(e.Riga, e.Colonna, e.Tessera, e.TessRiga, e.TessColonna, "I");
        const int bloccata = IsolaBloccata(k);
        bool ok = bloccata == 0;
        if (!ok)
            m.EsitoMuro = 2;
        else
            ok = Ris.VerificaMuro2(Falso);
        if (ok) {
            bool conta = false;
            if (k >= m.NumEle) {
                conta = ModoLog == 0;
            } else if (ModoLog != 0 && Potatura && !Registrabile(k)) {
                // nothing below can be recorded
            } else {
                const int32_t prima = NumConfig[k + 1];
                ProvaTesseraSol(static_cast<uint8_t>(k + 1));
                conta = NumConfig[k + 1] != prima;
            }
            if (conta) {
                ++NumConfig[k];
                MossaConfig[k] = t;
                SommaUnoDue(k, e.Riga, e.Colonna, e.Tessera, e.TessRiga, e.TessColonna);
            }
        } else if (ModoLog != 0) {
            RegistraFallimento(k, bloccata);
        }
        Ris.InserisciOTogli(e.Riga, e.Colonna, e.Tessera, e.TessRiga, e.TessColonna, "T");
        if (m.TempoScaduto == 1 || esaurita_) break;
        if (!potare || !Morte(k)) continue;
        if (k == 1) {
            esaurita_ = true; // no depth can conclude anything
            break;
        }
        // The placement above is known to be consistent and nothing below it can conclude
        // anything: the rest of this subtree changes no count that matters.
        if (NumConfig[k] > contateK) break;
    }
    if (pigra) Ris.FineEsplorazione();
    m.NoColori = colori;
}

// Once a counter has left the value a conclusion needs it never comes back to it: NumConfig
// only grows past 1, a cell missed by one consistent configuration is never covered by all of
// them, a cell outside one ring is never in all of them, and a cell covered once is never
// covered by none. So a depth found dead stays dead, and so does each cell found dead, which
// makes the test cheap: it resumes at the first cell still alive.
bool Spiegazione::Morte(int da) {
    for (int d = da; d <= m.NumEle; ++d) {
        if (morta_[d]) continue;
        const int32_t n = NumConfig[d];
        if (n < 2) return false;
        const int isola = combinazione_[d];
        for (int& j = prossima_[d]; j < numCandidate_; ++j) {
            const Candidata& x = candidate_[j];
            const int32_t copre = ContaIsola(d, x.Riga, x.Colonna);
            if ((copre == n && x.Libera) || ContaMuro(d, x.Riga, x.Colonna) == n ||
                (copre == 0 && TabUnicaIsola(x.Riga, x.Colonna) == isola))
                return false;
        }
        morta_[d] = true;
    }
    return true;
}

// Once the cell of an IS3 is under a shape it stays island below (no usable placement covers or
// rings a placed shape), and once the cell of an MU3 is ring or wall it stays so: no failure
// below can then be recorded, nor below a shape of EleMsg equal to the one explained.
bool Spiegazione::Registrabile(int k) const {
    if (CodiceMsg == CodiceLog::II3) return k < EleMsg || DiversaMsg;
    if (CodiceMsg == CodiceLog::IS3) return m.TblSchema(RigaMsg, ColonnaMsg) != 1;
    if (CodiceMsg == CodiceLog::MU3) return m.TblSchema(RigaMsg, ColonnaMsg) < 2;
    return false;
}

void Spiegazione::RegistraFallimento(int k, int bloccata) {
    bool conta = false;
    if (CodiceMsg == CodiceLog::II3)
        conta = DiversaMsg;
    else if (CodiceMsg == CodiceLog::IS3)
        conta = m.TblSchema(RigaMsg, ColonnaMsg) >= 2;
    else if (CodiceMsg == CodiceLog::MU3)
        conta = m.TblSchema(RigaMsg, ColonnaMsg) == 1;
    if (!conta) return;
    SerieFallimento f;
    if (m.EsitoMuro == 0) {
        f.Tipo = '0';
        f.Celle = {m.Muro2x2Riga, m.Muro2x2Colonna, 0, 0};
    } else if (m.EsitoMuro == 1) {
        f.Tipo = '1';
        f.Celle = {m.TaglioRiga1, m.TaglioColonna1, m.TaglioRiga2, m.TaglioColonna2};
    } else {
        f.Tipo = '2';
        f.Celle = {static_cast<uint8_t>(bloccata), 0, 0, 0};
    }
    const std::string chiave = SalvaSerieElePerLog(k);
    for (int j = 1; j <= NumSerie; ++j)
        if (SerieLog[j].Tipo == f.Tipo && SerieLog[j].Celle == f.Celle) {
            SerieLog[j].Configurazioni += chiave;
            return;
        }
    f.Configurazioni = chiave;
    if (ModoLog == 2) {
        const std::string testo = IntestazioneFallimento() + "\n" + MotivoFallimento(f);
        if (MsgPosticipati) {
            f.Messaggio = testo;
            f.ConfigurazioneMsg = chiave;
            f.RigaMsg = static_cast<uint8_t>(RigaMsg);
            f.ColonnaMsg = static_cast<uint8_t>(ColonnaMsg);
        } else if (relatore_) {
            relatore_->MostraFallimento(*this, testo);
        }
    }
    ++NumSerie;
    if (static_cast<int>(SerieLog.size()) <= NumSerie)
        SerieLog.push_back(std::move(f));
    else
        SerieLog[NumSerie] = std::move(f);
}

} // namespace isolmar
