#include "solver/Risolutore.h"

#include "model/Impostazione.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <new>

namespace isolmar {

namespace {

// Room for at least minimo entries in a table of the model, taken without touching it (the
// memory becomes resident only as the entries are written); false when the memory is exhausted.
template <class T> bool Riserva(std::vector<T>& v, size_t minimo) {
    try {
        if (v.capacity() < minimo) v.reserve(minimo);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace

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

// ---- Placements and lists -------------------------------------------------------------------

void Risolutore::SortaEle(std::string_view ordine) {
    const bool asc = ordine == "A", desc = ordine == "D";
    if (!asc && !desc) return;
    int k = 1;
    while (k < m.NumEle) {
        Isola& x = m.Ele[k];
        Isola& y = m.Ele[k + 1];
        const bool inOrdine = asc ? y.Num >= x.Num : x.Num >= y.Num;
        if (inOrdine) {
            ++k;
            continue;
        }
        std::swap(x.Num, y.Num);
        std::swap(x.Riga, y.Riga);
        std::swap(x.Colonna, y.Colonna);
        std::swap(x.Marcata, y.Marcata);
        if (k > 1) --k;
    }
}

bool Risolutore::VerificaSeciSta(int16_t R0, int16_t C0, int32_t t, int16_t a, int16_t b) const {
    const Tessera& s = m.Tessere[t];
    for (int i = 1; i <= s.Righe; ++i)
        for (int j = 1; j <= s.Colonne; ++j) {
            const uint8_t codice = s.Cella[i][j];
            if (codice == Fuori) continue;
            const int r = i + R0 - a, c = j + C0 - b;
            const bool dentro = r >= 1 && r <= m.NumRighe && c >= 1 && c <= m.NumColonne;
            const bool indizio = r == R0 && c == C0;
            if (codice == CellaBordo) {
                // A ring cell may not touch another island, nor a cell the player made island.
                if (dentro && !indizio &&
                    (m.TblSchema(r, c) == 1 || m.TblIsoleLog(r, c) == IsolaDelGiocatore))
                    return false;
            } else {
                if (!dentro) return false;
                if (!indizio && m.TblSchema(r, c) != 0) return false;
            }
        }
    return true;
}

void Risolutore::InizializzaMossePossibili() {
    m.ListePiene = Falso;
    m.MossePiene = Falso;
    AzzeraTabella(m.TblIsoleLog, MaxRighe);
    // Every list is empty until all of them are complete: a stop or a refusal leaves none.
    m.InizioCopre.fill(0);
    // A number no build of any model had: a model copied back from a saved state keeps its old
    // one, which must not match what a solver derived from other lists.
    static std::atomic<uint32_t> versioni{0};
    m.VersioneListe = ++versioni;
    m.NumMosse = 0;
    rangoIndizio_.fill({0, 0});
    for (int i = 1; i <= m.NumEle; ++i)
        m.Ele[i].PrimaMossa = m.Ele[i].UltimaMossa = 0;
    int64_t candidati = 0, fatti = 0;
    for (int i = 1; i <= m.NumEle; ++i)
        if (const IntervalloTessere ind = m.IndTessere[m.Ele[i].Num]; ind.Prima != 0)
            candidati += int64_t{ind.Ultima - ind.Prima + 1} * m.Ele[i].Num;

    // The placements, and how many of them cover each cell (in InizioCopre[cell + 1]).
    std::array<int32_t, MaxRighe * MaxRighe + 2> conta{};
    int64_t coperture = 0;
    for (int i = 1; i <= m.NumEle; ++i) {
        Isola& e = m.Ele[i];
        const IntervalloTessere ind = m.IndTessere[e.Num];
        if (ind.Prima == 0) continue;
        for (int32_t t = ind.Prima; t <= ind.Ultima; ++t) {
            const Tessera& s = m.Tessere[t];
            for (int a = 1; a <= s.Righe; ++a)
                for (int b = 1; b <= s.Colonne; ++b) {
                    if (s.Cella[a][b] != CellaTessera) continue;
                    // Stopped meanwhile: no list is built, and the search that follows returns
                    // at once.
                    if (Passi()) return;
                    ++fatti;
                    if (!VerificaSeciSta(e.Riga, e.Colonna, t, a, b)) continue;
                    // Room is taken once for every candidate not yet tried (none can give more
                    // than one placement), without touching it, and the table is lengthened into
                    // it a slice at a time: no copy into fresh memory after the first.
                    if (static_cast<size_t>(m.NumMosse) + 1 >= m.Mosse.size()) {
                        if (m.Mosse.size() == m.Mosse.capacity() &&
                            !Riserva(m.Mosse,
                                     static_cast<size_t>(m.NumMosse + candidati - fatti) + 2)) {
                            m.ListePiene = m.MossePiene = Vero; // out of memory
                            return;
                        }
                        m.Mosse.resize(std::min(m.Mosse.capacity(), m.Mosse.size() + 65536));
                    }
                    ++m.NumMosse;
                    if (e.PrimaMossa == 0) e.PrimaMossa = m.NumMosse;
                    e.UltimaMossa = m.NumMosse;
                    m.Mosse[m.NumMosse] = {t, static_cast<uint8_t>(a), static_cast<uint8_t>(b), 0};
                    PerCelle(e.Riga, e.Colonna, t, a, b, [&](int r, int c, uint8_t codice) {
                        if (codice == CellaTessera) ++conta[m.CellaLista(r, c) + 1];
                    });
                    coperture += e.Num - 1; // every shape cell lies on the board
                }
        }
        rangoIndizio_[m.CellaLista(e.Riga, e.Colonna)] = {e.PrimaMossa, e.UltimaMossa};
    }
    // Refused before the lists are built when they, with the placements, would take more than
    // the limit.
    if (static_cast<int64_t>(m.NumMosse) * static_cast<int64_t>(sizeof(Mossa)) +
            coperture * static_cast<int64_t>(sizeof(int32_t)) >
        LimiteTabelle) {
        m.ListePiene = m.MossePiene = Vero;
        return;
    }
    for (int x = 1; x <= MaxRighe * MaxRighe + 1; ++x)
        conta[x] += conta[x - 1];
    const size_t voci = static_cast<size_t>(coperture);
    if (m.Copre.capacity() > voci * 2) std::vector<int32_t>().swap(m.Copre);
    m.Copre.clear();
    if (!Riserva(m.Copre, voci)) {
        m.ListePiene = m.MossePiene = Vero;
        return;
    }
    // Written a slice at a time, with a yield after each.
    for (size_t fatte = 0; fatte < voci;) {
        fatte = std::min(voci, fatte + (size_t{1} << 20));
        m.Copre.resize(fatte);
        if (Passi(PassiPerCessione)) return;
    }
    // Filled in placement order, so each list is in increasing order.
    std::array<int32_t, MaxRighe* MaxRighe + 2> cursore = conta;
    for (int i = 1; i <= m.NumEle; ++i) {
        const Isola& e = m.Ele[i];
        for (int32_t k = e.PrimaMossa; k != 0 && k <= e.UltimaMossa; ++k) {
            if (Passi(e.Num)) return;
            const Mossa& mo = m.Mosse[k];
            PerCelle(e.Riga, e.Colonna, mo.Tessera, mo.TessRiga, mo.TessColonna,
                     [&](int r, int c, uint8_t codice) {
                         if (codice == CellaTessera) m.Copre[cursore[m.CellaLista(r, c)]++] = k;
                     });
        }
    }
    m.InizioCopre = conta;
}

// ---- Placing and removing -------------------------------------------------------------------

bool Risolutore::AggiornaCelle(bool fermabile) const {
    if (versioneCelle_ == m.VersioneListe) return true;
    versioneCelle_ = m.VersioneListe;
    // The island cells of each placement (runs are in placement order).
    inizioCelle_.assign(static_cast<size_t>(m.NumMosse) + 2, 0);
    celle_.clear();
    celle_.reserve(m.Copre.size()); // as many as the cover lists hold: no copy while it grows
    for (int i = 1; i <= m.NumEle; ++i) {
        const Isola& e = m.Ele[i];
        if (e.PrimaMossa != 0 && Passi(static_cast<uint64_t>(e.UltimaMossa - e.PrimaMossa + 1)) &&
            fermabile) {
            versioneCelle_ = ~0u; // left half built: the next call builds it again
            return false;
        }
        for (int32_t k = e.PrimaMossa; k != 0 && k <= e.UltimaMossa; ++k) {
            const Mossa& mo = m.Mosse[k];
            inizioCelle_[k] = static_cast<int32_t>(celle_.size());
            PerCelle(e.Riga, e.Colonna, mo.Tessera, mo.TessRiga, mo.TessColonna,
                     [&](int r, int c, uint8_t codice) {
                         if (codice == CellaTessera)
                             celle_.push_back(static_cast<uint16_t>(Cella(r, c)));
                     });
            inizioCelle_[k + 1] = static_cast<int32_t>(celle_.size());
        }
    }
    return true;
}

void Risolutore::VariaCopre(int r, int c, int16_t delta) {
    const int i = Cella(r, c);
    const int32_t* n = m.Copre.data() + m.InizioCopre[i];
    const int32_t* fine = m.Copre.data() + m.InizioCopre[i + 1];
    if (!conteggiAttivi_) {
        for (; n < fine; ++n)
            m.Mosse[*n].Blocchi += delta;
    } else if (delta > 0) {
        for (; n < fine; ++n)
            if (m.Mosse[*n].Blocchi++ == 0) --libere_[isolaDi_[*n]];
    } else {
        for (; n < fine; ++n)
            if (--m.Mosse[*n].Blocchi == 0) ++libere_[isolaDi_[*n]];
    }
}

void Risolutore::AvviaConteggi() {
    conteggiAttivi_ = !m.NoBlocchi && !m.ListePiene;
    if (!conteggiAttivi_ || (Domini && !m.SoluzMultiple)) return;
    isolaDi_.resize(static_cast<size_t>(m.NumMosse) + 1);
    libere_.fill(0);
    for (int i = 1; i <= m.NumEle; ++i)
        for (int32_t k = m.Ele[i].PrimaMossa; k != 0 && k <= m.Ele[i].UltimaMossa; ++k) {
            isolaDi_[k] = static_cast<uint8_t>(i);
            if (m.Mosse[k].Blocchi == 0) ++libere_[i];
        }
}

int Risolutore::IsolaSenzaPosto(int da) {
    if (!conteggiAttivi_) return 0;
    for (int i = da; i <= m.NumEle; ++i)
        if (domini_ ? !HaPosto(i) : libere_[i] == 0) return i;
    return 0;
}

// ---- Lazy usability ---------------------------------------------------------------------------

void Risolutore::AvviaRiquadri() {
    for (int c = 1; c <= m.NumColonne; ++c)
        for (int r = 1; r <= m.NumRighe; ++r) {
            Riquadro q{static_cast<uint8_t>(r), static_cast<uint8_t>(r), static_cast<uint8_t>(c),
                       static_cast<uint8_t>(c)};
            const int x = Cella(r, c);
            // Stopped: the search will not run, so the boxes may stay half built.
            if (Passi(static_cast<uint64_t>(m.InizioCopre[x + 1] - m.InizioCopre[x]))) return;
            for (int32_t n = m.InizioCopre[x]; n < m.InizioCopre[x + 1]; ++n)
                for (int32_t j = inizioCelle_[m.Copre[n]]; j < inizioCelle_[m.Copre[n] + 1]; ++j) {
                    const int y = celle_[j], rr = (y - 1) % MaxRighe + 1,
                              cc = (y - 1) / MaxRighe + 1;
                    q.r0 = std::min<uint8_t>(q.r0, static_cast<uint8_t>(rr));
                    q.r1 = std::max<uint8_t>(q.r1, static_cast<uint8_t>(rr));
                    q.c0 = std::min<uint8_t>(q.c0, static_cast<uint8_t>(cc));
                    q.c1 = std::max<uint8_t>(q.c1, static_cast<uint8_t>(cc));
                }
            riquadro_[x] = q;
        }
}

void Risolutore::AvviaDomini() {
    if (sagome_.size() != static_cast<size_t>(m.NumTessere) + 1) {
        sagome_.assign(static_cast<size_t>(m.NumTessere) + 1, Sagoma{});
        for (int32_t t = 1; t <= m.NumTessere; ++t) {
            const Tessera& x = m.Tessere[t];
            Sagoma& g = sagome_[t];
            g.prima = 99;
            g.righe = x.Righe;
            for (int i = 1; i <= x.Righe; ++i)
                for (int j = 1; j <= x.Colonne; ++j)
                    if (x.Cella[i][j] == CellaTessera) {
                        g.riga[i] = static_cast<uint16_t>(g.riga[i] | 1u << j);
                        g.prima = std::min<uint8_t>(g.prima, static_cast<uint8_t>(i));
                        g.ultima = static_cast<uint8_t>(i);
                    } else if (x.Cella[i][j] == CellaBordo) {
                        g.anello[i] = static_cast<uint16_t>(g.anello[i] | 1u << j);
                    }
        }
    }
    posizioni_.resize(static_cast<size_t>(m.NumMosse) + 1);
    isolaDi_.resize(static_cast<size_t>(m.NumMosse) + 1);
    for (int i = 1; i <= m.NumEle; ++i) {
        const Isola& e = m.Ele[i];
        if (e.PrimaMossa != 0) Passi(static_cast<uint64_t>(e.UltimaMossa - e.PrimaMossa + 1));
        for (int32_t k = e.PrimaMossa; k != 0 && k <= e.UltimaMossa; ++k) {
            isolaDi_[k] = static_cast<uint8_t>(i);
            const Mossa& mo = m.Mosse[k];
            posizioni_[k] = {mo.Tessera, static_cast<int8_t>(e.Riga - mo.TessRiga),
                             static_cast<int8_t>(e.Colonna - mo.TessColonna)};
        }
        testimoneIsola_[i] = e.PrimaMossa;
    }
    occupata_.fill(0);
    occupate_.fill(0);
    escluseInRicerca_.clear();
    livelloEscluse_ = 0;
    testimoneCella_.fill(-1);
    fuori_.fill({});
    passoLivello_.fill(0);
    passo_ = 0;
    posate_ = 0;
}

bool Risolutore::HaPosto(int i) {
    const Isola& e = m.Ele[i];
    if (e.PrimaMossa == 0) return false;
    if (inGiro_) return HaPostoUtile(i);
    const int32_t w = testimoneIsola_[i];
    // Once stopped, any answer will do: the search returns at its next attempt.
    for (int32_t k2 = w; k2 <= e.UltimaMossa; ++k2) {
        if (Passi()) return true;
        if (Usabile(k2)) return testimoneIsola_[i] = k2, true;
    }
    for (int32_t k2 = e.PrimaMossa; k2 < w; ++k2) {
        if (Passi()) return true;
        if (Usabile(k2)) return testimoneIsola_[i] = k2, true;
    }
    return false;
}

void Risolutore::ElencaUtili(int k) {
    utili_.clear();
    for (int i = k + 1; i <= m.NumEle; ++i) {
        const Isola& e = m.Ele[i];
        inizioUtili_[i] = testimoneUtile_[i] = static_cast<int32_t>(utili_.size());
        Passi(static_cast<uint64_t>(e.UltimaMossa - e.PrimaMossa + 1));
        for (int32_t k2 = e.PrimaMossa; k2 != 0 && k2 <= e.UltimaMossa; ++k2)
            if (Usabile(k2)) utili_.push_back(k2);
        fineUtili_[i] = static_cast<int32_t>(utili_.size());
    }
}

bool Risolutore::HaPostoUtile(int i) {
    const int32_t inizio = inizioUtili_[i], n = fineUtili_[i] - inizio;
    const int32_t w = testimoneUtile_[i] - inizio;
    for (int32_t j = w; j < n + w; ++j) {
        const int32_t x = inizio + (j < n ? j : j - n);
        if (Passi()) return true;
        if (Usabile(utili_[x])) return testimoneUtile_[i] = x, true;
    }
    return false;
}

bool Risolutore::Raggiungibile(int r, int c, int k) {
    // Islands 1..k are placed and all their placements blocked; a cell's list is in placement
    // order, so the later islands' placements are its tail.
    const int x = Cella(r, c);
    const Irraggiungibile f = fuori_[x];
    if (f.livello != 0 && f.livello <= k && passoLivello_[f.livello] <= f.passo) return false;
    const int32_t ultima = m.Ele[k].UltimaMossa;
    const int32_t w = testimoneCella_[x];
    if (w >= 0 && m.Copre[w] > ultima && Usabile(m.Copre[w])) return true;
    for (int32_t n = m.InizioCopre[x + 1] - 1, fine = m.InizioCopre[x]; n >= fine; --n) {
        if (m.Copre[n] <= ultima) break;
        if (Passi()) return true; // stopped: nothing is cached
        if (Usabile(m.Copre[n])) return testimoneCella_[x] = n, true;
    }
    fuori_[x] = {k, passo_};
    return false;
}

void Risolutore::RecuperaBlocchi() {
    for (int i = 1; i <= posate_; ++i) {
        const Isola& e = m.Ele[i];
        PerCelle(e.Riga, e.Colonna, e.Tessera, e.TessRiga, e.TessColonna,
                 [&](int r, int c, uint8_t) { VariaCopre(r, c, 1); });
    }
    posate_ = 0;
}

void Risolutore::Colora(int r, int c, StatoCella stato) {
    if (r >= Gr.Righe() || c >= Gr.Colonne()) return; // board grid not laid out for this size
    Gr.Seleziona(r, c);
    Gr.ImpostaStato(stato);
}

void Risolutore::Occupa(int r, int c, int delta) {
    uint8_t& n = occupata_[Cella(r, c)];
    n = static_cast<uint8_t>(n + delta);
    if (n == 0)
        occupate_[r] &= ~(uint64_t{1} << c);
    else
        occupate_[r] |= uint64_t{1} << c;
}

void Risolutore::InserisciOTogli(int16_t R0, int16_t C0, int32_t t, int16_t a, int16_t b,
                                 std::string_view op) {
    const bool inserisci = op == "I";
    const int16_t delta = inserisci ? 1 : -1;
    Gr.ImpostaRidisegno(false);
    int64_t lunghezze = 0; // the cover lists walked
    PerCelle(R0, C0, t, a, b, [&](int r, int c, uint8_t codice) {
        if (domini_)
            Occupa(r, c, delta);
        else if (!m.NoBlocchi) {
            VariaCopre(r, c, delta);
            lunghezze += m.InizioCopre[Cella(r, c) + 1] - m.InizioCopre[Cella(r, c)];
        }
        if (inPosa_ != 0) {
            uint8_t& chi = proprietario_[Cella(r, c)];
            if (inserisci && chi == 0)
                chi = inPosa_;
            else if (!inserisci && chi == inPosa_)
                chi = 0;
        }
        if (codice == CellaBordo) {
            m.TblSchema(r, c) = static_cast<uint8_t>(m.TblSchema(r, c) + 2 * delta);
            if (maschereVive_) AggiornaMaschere(r, c);
            return;
        }
        m.TblSchema(r, c) = static_cast<uint8_t>(m.TblSchema(r, c) + delta);
        if (maschereVive_) AggiornaMaschere(r, c);
        m.CelleLibere = static_cast<int16_t>(m.CelleLibere - delta);
        if (!m.NoColori) Colora(r, c, inserisci ? StatoCella::Isola : StatoCella::Indecisa);
    });
    // A shape on a crowded board walks long lists: a yield after it.
    Passi(static_cast<uint64_t>(lunghezze));
    if (m.ModoTempo == 0 && p.Animazione()) {
        const double ora = p.Orologio();
        if (ora - m.TempoRidisegno > 0.5) {
            m.TempoRidisegno = ora;
            Gr.ImpostaRidisegno(true);
            p.Ridisegna();
        }
    }
}

void Risolutore::BloccaperCella(int16_t r, int16_t c, int32_t prima, int32_t ultima) {
    const int x = m.CellaLista(r, c);
    for (int32_t n = m.InizioCopre[x]; n < m.InizioCopre[x + 1]; ++n) {
        const int32_t k = m.Copre[n];
        if (prima == 0 || k < prima || k > ultima) ++m.Mosse[k].Blocchi;
    }
}

void Risolutore::BloccaMuro(int16_t r, int16_t c) {
    // The placements with the cell in their ring: those that cover a neighbour of it, or hold
    // their clue there, and do not cover the cell itself. Each is blocked once.
    const int x = m.CellaLista(r, c);
    anello_.clear();
    for (const auto& [dr, dc] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
        const int a = r + dr, b = c + dc;
        if (a < 1 || a > m.NumRighe || b < 1 || b > m.NumColonne) continue;
        const int y = m.CellaLista(a, b);
        anello_.insert(anello_.end(), m.Copre.begin() + m.InizioCopre[y],
                       m.Copre.begin() + m.InizioCopre[y + 1]);
        for (int32_t k = rangoIndizio_[y].first; k != 0 && k <= rangoIndizio_[y].second; ++k)
            anello_.push_back(k);
    }
    std::sort(anello_.begin(), anello_.end());
    anello_.erase(std::unique(anello_.begin(), anello_.end()), anello_.end());
    const auto inizio = m.Copre.begin() + m.InizioCopre[x],
               fine = m.Copre.begin() + m.InizioCopre[x + 1];
    const auto [propria, ultimaPropria] = rangoIndizio_[x]; // a clue cell is in no ring of its own
    for (const int32_t k : anello_)
        if (!(propria != 0 && k >= propria && k <= ultimaPropria) &&
            !std::binary_search(inizio, fine, k))
            ++m.Mosse[k].Blocchi;
}

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

// ---- Wall checks ----------------------------------------------------------------------------

bool Risolutore::NonRag2(int16_t r, int16_t c) const {
    if (m.TblSchema(r, c) >= 2) return true;
    const int i = Cella(r, c);
    const int32_t inizio = m.InizioCopre[i], fine = m.InizioCopre[i + 1];
    int32_t n = inizio;
    while (n < fine && m.Mosse[m.Copre[n]].Blocchi != 0)
        ++n;
    Passi(static_cast<uint64_t>(n - inizio + 1)); // the answer stays exact: only a yield
    return n == fine;
}

template <class N> bool Risolutore::QuattroPerCella(int r, int c, N&& nonRag) const {
    const int r1 = r + 1, c1 = c + 1;
    if (m.TblSchema(r, c) == 1 || m.TblSchema(r1, c) == 1 || m.TblSchema(r, c1) == 1 ||
        m.TblSchema(r1, c1) == 1)
        return true;
    return !(nonRag(r, c) && nonRag(r1, c) && nonRag(r, c1) && nonRag(r1, c1));
}

bool Risolutore::VerificaQuattroPerCella(int16_t r, int16_t c) const {
    return QuattroPerCella(r, c, [this](int rr, int cc) {
        return NonRag2(static_cast<int16_t>(rr), static_cast<int16_t>(cc));
    });
}

template <class F> void Risolutore::Inonda(int r0, int c0, uint8_t segno, F&& suBordo) {
    const int R = m.NumRighe, C = m.NumColonne;
    int numero = 1;
    inondate_[1] = {static_cast<uint8_t>(r0), static_cast<uint8_t>(c0)};
    raggiunta_(r0, c0) = segno;
    auto raggiungi = [&](int r, int c) {
        if (r < 1 || r > R || c < 1 || c > C || raggiunta_(r, c) == segno) return;
        if (m.TblSchema(r, c) == 1 || m.TblIsoleLog(r, c) != 0) {
            suBordo(r, c);
            return;
        }
        raggiunta_(r, c) = segno;
        inondate_[++numero] = {static_cast<uint8_t>(r), static_cast<uint8_t>(c)};
    };
    for (int i = 1; i <= numero; ++i) {
        const int r = inondate_[i].first, c = inondate_[i].second;
        raggiungi(r - 1, c);
        raggiungi(r + 1, c);
        raggiungi(r, c - 1);
        raggiungi(r, c + 1);
    }
}

bool Risolutore::VerificaMuro2(Booleano salta2x2) {
    return Muro2(salta2x2, [this](int r, int c) {
        return NonRag2(static_cast<int16_t>(r), static_cast<int16_t>(c));
    });
}

namespace {

// Spreads the bits of x along the runs of p that touch them, both ways (bit c is column c): a
// flood fill of one board row, in a fixed number of steps.
uint64_t Riempi(uint64_t x, uint64_t p) {
    uint64_t su = x, giu = x, ps = p, pg = p;
    for (int passo = 1; passo < 64; passo *= 2) {
        su |= ps & (su << passo);
        ps &= ps << passo;
        giu |= pg & (giu >> passo);
        pg &= pg >> passo;
    }
    return su | giu;
}

} // namespace

void Risolutore::CaricaMaschere() {
    const int R = m.NumRighe, C = m.NumColonne;
    isola_[0] = muro_[0] = log_[0] = isola_[R + 1] = muro_[R + 1] = log_[R + 1] = 0;
    for (int r = 1; r <= R; ++r) {
        uint64_t isola = 0, muro = 0, log = 0;
        for (int c = 1; c <= C; ++c) {
            const uint8_t v = m.TblSchema(r, c);
            isola |= uint64_t{v == 1} << c;
            muro |= uint64_t{v >= 2} << c;
            log |= uint64_t{m.TblIsoleLog(r, c) != 0} << c;
        }
        isola_[r] = isola;
        muro_[r] = muro;
        log_[r] = log;
    }
}

void Risolutore::AggiornaMaschere(int r, int c) {
    const uint64_t bit = uint64_t{1} << c;
    const uint8_t v = m.TblSchema(r, c);
    isola_[r] = v == 1 ? isola_[r] | bit : isola_[r] & ~bit;
    muro_[r] = v >= 2 ? muro_[r] | bit : muro_[r] & ~bit;
}

// The board as row masks (bit c of a row is column c): a block with an island cell is passed
// over a row at a time, nonRag is asked only for the free cells of the other blocks, once per
// cell, and the wall is flooded a row at a time. Same answer and outcome fields as a scan cell by
// cell: the first failing block and the first wall cell out of reach in row order. During the
// search the masks follow the board as shapes come and go (maschereVive_).
template <class N> bool Risolutore::Muro2(Booleano salta2x2, N&& nonRag) {
    if (!maschereVive_) CaricaMaschere();
    return Muro2Maschere(salta2x2, nonRag, isola_, muro_);
}

template <class N>
bool Risolutore::Muro2Maschere(Booleano salta2x2, N&& nonRag, const Maschere& isola,
                               const Maschere& muro) {
    m.EsitoMuro = 0;
    const int R = m.NumRighe, C = m.NumColonne;
    const uint64_t dentro = ((uint64_t{1} << C) - 1) << 1;
    if (!salta2x2) {
        for (int r = 1; r <= R; ++r)
            notaRag_[r] = nonRagNota_[r] = 0;
        auto tuttoMuro = [&](int r, int c) {
            const uint64_t b = uint64_t{1} << c;
            if (muro[r] & b) return true;
            if (notaRag_[r] & b) return (nonRagNota_[r] & b) != 0;
            notaRag_[r] |= b;
            if (!nonRag(r, c)) return false;
            nonRagNota_[r] |= b;
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
        raggiunte_[r] = 0;
    raggiunte_[r0] = uint64_t{1} << c0;
    int daFare = 0;
    righeDaFare_[daFare++] = static_cast<uint8_t>(r0);
    uint64_t inCoda = uint64_t{1} << r0; // rows 1..50 as bits
    while (daFare > 0) {
        const int r = righeDaFare_[--daFare];
        inCoda &= ~(uint64_t{1} << r);
        const uint64_t p = dentro & ~(isola[r] | log_[r]);
        const uint64_t x = Riempi(raggiunte_[r] | ((raggiunte_[r - 1] | raggiunte_[r + 1]) & p), p);
        if (x == raggiunte_[r] && r != r0) continue;
        raggiunte_[r] = x;
        for (const int v : {r - 1, r + 1})
            if (v >= 1 && v <= R && (x & ~(isola[v] | log_[v] | raggiunte_[v]) & dentro) != 0 &&
                !(inCoda >> v & 1)) {
                inCoda |= uint64_t{1} << v;
                righeDaFare_[daFare++] = static_cast<uint8_t>(v);
            }
    }
    for (int r = 1; r <= R; ++r)
        if (const uint64_t fuori = muro[r] & ~log_[r] & ~raggiunte_[r]; fuori != 0) {
            m.TaglioRiga2 = static_cast<uint8_t>(r);
            m.TaglioColonna2 = static_cast<uint8_t>(std::countr_zero(fuori));
            m.EsitoMuro = 1;
            return false;
        }
    return true;
}

// ---- Deductions before the search ---------------------------------------------------------------

void Risolutore::Segna(int32_t k2, int delta) {
    const Isola& e = m.Ele[isolaDi_[k2]];
    const Mossa& mo = m.Mosse[k2];
    PerCelle(e.Riga, e.Colonna, mo.Tessera, mo.TessRiga, mo.TessColonna,
             [&](int r, int c, uint8_t codice) {
                 Occupa(r, c, delta);
                 m.TblSchema(r, c) = static_cast<uint8_t>(m.TblSchema(r, c) +
                                                          (codice == CellaBordo ? 2 : 1) * delta);
             });
}

bool Risolutore::Coperta(int x, int32_t prima, int32_t ultima, int k) {
    // During the search only the islands after k count, and a cell out of their reach stays so.
    const int32_t dopo = k == 0 ? 0 : m.Ele[k].UltimaMossa;
    if (k != 0) {
        const Irraggiungibile f = fuori_[x];
        if (f.livello != 0 && f.livello <= k && passoLivello_[f.livello] <= f.passo) return false;
    }
    const int32_t w = testimoneCella_[x];
    if (w >= 0 && m.Copre[w] > dopo && (m.Copre[w] < prima || m.Copre[w] > ultima) &&
        Usabile(m.Copre[w]))
        return true;
    if (k == 0 && inIsola_) { // a hypothesis before the search
        if (giroCella_[x] != giroIsola_) {
            // Stopped: any answer will do, and nothing is listed.
            if (m.TempoScaduto == 1 ||
                Passi(static_cast<uint64_t>(m.InizioCopre[x + 1] - m.InizioCopre[x])))
                return true;
            giroCella_[x] = giroIsola_;
            inizioCandidate_[x] = static_cast<int32_t>(candidate_.size());
            for (int32_t n = m.InizioCopre[x]; n < m.InizioCopre[x + 1]; ++n) {
                const int32_t k2 = m.Copre[n];
                if ((k2 < prima || k2 > ultima) && m.Mosse[k2].Blocchi == 0 &&
                    Libera(k2, occupateIsola_))
                    candidate_.push_back(n);
            }
            fineCandidate_[x] = static_cast<int32_t>(candidate_.size());
        }
        const int32_t inizio = inizioCandidate_[x], fine = fineCandidate_[x];
        int32_t j = inizio;
        while (j < fine && !Usabile(m.Copre[candidate_[j]]))
            ++j;
        Passi(static_cast<uint64_t>(j - inizio + 1)); // the answer stays exact: only a yield
        if (j < fine) return testimoneCella_[x] = candidate_[j], true;
        return false;
    }
    // The list is in placement order: the islands up to k and island i's run are skipped.
    const auto inizio = m.Copre.begin() + m.InizioCopre[x],
               fine = m.Copre.begin() + m.InizioCopre[x + 1];
    for (auto n = k == 0 ? inizio : std::upper_bound(inizio, fine, dopo); n < fine; ++n) {
        if (*n >= prima && *n <= ultima) {
            n = std::upper_bound(n, fine, ultima) - 1;
        } else if (Usabile(*n)) {
            testimoneCella_[x] = static_cast<int32_t>(n - m.Copre.begin());
            return true;
        }
    }
    return false;
}

bool Risolutore::CoerenteInGiro(int i, int32_t k2, int k) {
    // The board with placement k2 on it, as row masks: its cells and ring on the rows tested by
    // Libera and on copies of the wall check's masks, nothing on TblSchema.
    const int R = m.NumRighe;
    const uint64_t dentro = ((uint64_t{1} << m.NumColonne) - 1) << 1;
    const Posizione& q = posizioni_[k2];
    const Sagoma& g = sagome_[q.t];
    auto sposta = [&](uint16_t x) {
        return (q.dc >= 0 ? uint64_t{x} << q.dc : uint64_t{x} >> -q.dc) & dentro;
    };
    const int a0 = std::max(1, 1 - q.dr), a1 = std::min<int>(g.righe, R - q.dr);
    for (int a = a0; a <= a1; ++a) {
        const int r = a + q.dr;
        occupateGiro_[a] = occupate_[r];
        occupate_[r] |= sposta(g.riga[a]) | sposta(g.anello[a]);
    }
    // Every later island had a usable placement as the sweep began and keeps one through it;
    // only those whose placements reach the new cells or ring can lose them all.
    const int r0 = a0 + q.dr, r1 = a1 + q.dr;
    const int c0 = std::max(1, 1 + q.dc),
              c1 = std::min<int>(m.NumColonne, m.Tessere[q.t].Colonne + q.dc);
    bool ok = true;
    for (int j = k + 1; j <= m.NumEle && ok; ++j) {
        const Riquadro& d = riquadroIsola_[j];
        if (j != i && !finita_[j] && d.r0 <= r1 && d.r1 >= r0 && d.c0 <= c1 && d.c1 >= c0)
            ok = HaPosto(j);
    }
    if (ok) {
        isolaIpotesi_ = isola_;
        muroIpotesi_ = muro_;
        for (int a = a0; a <= a1; ++a) {
            const int r = a + q.dr;
            isolaIpotesi_[r] |= sposta(g.riga[a]);
            muroIpotesi_[r] |= sposta(g.anello[a]);
        }
        const int32_t prima = m.Ele[i].PrimaMossa, ultima = m.Ele[i].UltimaMossa;
        ok = Muro2Maschere(
            Falso, [&](int r, int c) { return !Coperta(Cella(r, c), prima, ultima, k); },
            isolaIpotesi_, muroIpotesi_);
    }
    for (int a = a0; a <= a1; ++a)
        occupate_[a + q.dr] = occupateGiro_[a];
    return ok;
}

bool Risolutore::Coerente(int i, int32_t k2, int da) {
    if (inGiro_ && noteIsola_.empty()) return CoerenteInGiro(i, k2, da - 1);
    Segna(k2, 1);
    const int k = da - 1;
    const int32_t prima = m.Ele[i].PrimaMossa, ultima = m.Ele[i].UltimaMossa;
    bool ok = true;
    for (int j = da; j <= m.NumEle && ok; ++j)
        if (j != i && !finita_[j]) ok = HaPosto(j);
    for (size_t n = 0; n < noteIsola_.size() && ok; ++n) {
        const auto [r, c] = noteIsola_[n];
        ok = m.TblSchema(r, c) == 1 || Coperta(Cella(r, c), prima, ultima, k);
    }
    if (ok)
        ok = Muro2(Falso, [&](int r, int c) {
            return m.TblSchema(r, c) >= 2 || !Coperta(Cella(r, c), prima, ultima, k);
        });
    Segna(k2, -1);
    return ok;
}

bool Risolutore::IpotesiSingole() {
    struct Fine {
        bool& in;
        ~Fine() { in = false; }
    } fine{inIsola_};
    bool cambiato = false;
    noteIsola_.clear();
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            if (m.TblIsoleLog(r, c) != 0 && m.TblSchema(r, c) == 0)
                noteIsola_.push_back({static_cast<uint8_t>(r), static_cast<uint8_t>(c)});
    for (int i = 1; i <= m.NumEle; ++i) {
        const Isola& e = m.Ele[i];
        if (finita_[i] || e.PrimaMossa == 0) continue;
        int32_t n = 0, ultima = 0;
        for (int c = 1; c <= m.NumColonne; ++c)
            for (int r = 1; r <= m.NumRighe; ++r)
                contaIsola_[Cella(r, c)] = contaBordo_[Cella(r, c)] = 0;
        // While island i's placements are tried the board holds only them in turn: the covers
        // of a cell usable without them are listed once, when first needed.
        ++giroIsola_;
        inIsola_ = true;
        candidate_.clear();
        occupateIsola_ = occupate_;
        for (int32_t k2 = e.PrimaMossa; k2 <= e.UltimaMossa; ++k2) {
            if (m.Mosse[k2].Blocchi != 0) continue;
            if (Passi(32)) return false; // a hypothesis costs about as much as 32 inner steps
            if (!Coerente(i, k2, 1)) {
                ++m.Mosse[k2].Blocchi;
                cambiato = true;
                continue;
            }
            ++n;
            ultima = k2;
            const Mossa& mo = m.Mosse[k2];
            PerCelle(e.Riga, e.Colonna, mo.Tessera, mo.TessRiga, mo.TessColonna,
                     [&](int r, int c, uint8_t codice) {
                         ++(codice == CellaBordo ? contaBordo_ : contaIsola_)[Cella(r, c)];
                     });
        }
        if (n == 0) {
            contraddizione_ = true;
            return false;
        }
        if (n == 1) {
            PosaDedotta(i, ultima);
            cambiato = true;
            continue;
        }
        // Cells every consistent placement covers are island, of this island; cells in the ring
        // of every one are wall.
        for (int r = 1; r <= m.NumRighe; ++r)
            for (int c = 1; c <= m.NumColonne; ++c) {
                if (m.TblSchema(r, c) != 0 || m.TblIsoleLog(r, c) != 0) continue;
                const int x = Cella(r, c);
                const int16_t r16 = static_cast<int16_t>(r), c16 = static_cast<int16_t>(c);
                if (contaIsola_[x] == n) {
                    m.TblIsoleLog(r, c) = IsolaDelGiocatore;
                    BloccaMuro(r16, c16);
                    BloccaperCella(r16, c16, e.PrimaMossa, e.UltimaMossa);
                    cambiato = true;
                } else if (contaBordo_[x] == n) {
                    m.TblSchema(r, c) = 2;
                    BloccaperCella(r16, c16, 0, 0);
                    cambiato = true;
                }
            }
    }
    return cambiato;
}

void Risolutore::PosaDedotta(int e, int32_t mossa) {
    Isola& x = m.Ele[e];
    const Mossa& mo = m.Mosse[mossa];
    x.Tessera = mo.Tessera;
    x.TessRiga = mo.TessRiga;
    x.TessColonna = mo.TessColonna;
    InserisciOTogli(x.Riga, x.Colonna, x.Tessera, x.TessRiga, x.TessColonna, "I");
    finita_[e] = true;
    posata_[e] = mossa;
}

void Risolutore::Deduci() {
    escluse_.clear();
    const Griglia8 schema = m.TblSchema;
    const auto ele = m.Ele;
    const int16_t libere = m.CelleLibere;
    const Booleano colori = m.NoColori;
    m.NoColori = Vero;
    std::vector<int16_t> blocchi(static_cast<size_t>(m.NumMosse) + 1);
    for (int32_t k = 1; k <= m.NumMosse; ++k)
        blocchi[k] = m.Mosse[k].Blocchi;
    AvviaDomini();
    finita_.fill(false);
    contraddizione_ = false;

    // A rule stops at its next conclusion once the search is stopped.
    const Riscontro x{[this](std::string_view, int, int, int) { return m.TempoScaduto != 1; },
                      [this](int e, int32_t mossa) { PosaDedotta(e, mossa); }};
    for (;;) {
        p.Cedi();
        if (m.TempoScaduto == 1 || contraddizione_) break;
        RegolaNRG(x);
        if (RegolaIIN(x) > 0 || RegolaAPP(x) > 0) continue;
        RegolaMUR(x);
        if (RegolaISO(x) > 0) continue;
        if (!IpotesiSingole()) break;
    }

    // Every step ruled out only placements in no solution, so whatever was reached when it
    // ended (even on Esc) may be kept.
    for (int i = 1; i <= m.NumEle; ++i)
        for (int32_t k = m.Ele[i].PrimaMossa; k != 0 && k <= m.Ele[i].UltimaMossa; ++k)
            if (contraddizione_ || (finita_[i] ? k != posata_[i] : m.Mosse[k].Blocchi != 0))
                escluse_.push_back(k);
    m.TblSchema = schema;
    AzzeraTabella(m.TblIsoleLog, MaxRighe);
    m.Ele = ele;
    m.CelleLibere = libere;
    m.NoColori = colori;
    for (int32_t k = 1; k <= m.NumMosse; ++k)
        m.Mosse[k].Blocchi = blocchi[k];
    for (int32_t k : escluse_)
        ++m.Mosse[k].Blocchi;
}

Risolutore::Riquadro Risolutore::RiquadroDi(int32_t k2, int e) const {
    const Isola& x = m.Ele[e];
    Riquadro q{x.Riga, x.Riga, x.Colonna, x.Colonna};
    for (int32_t n = inizioCelle_[k2]; n < inizioCelle_[k2 + 1]; ++n) {
        const int y = celle_[n], r = (y - 1) % MaxRighe + 1, c = (y - 1) / MaxRighe + 1;
        q.r0 = std::min<uint8_t>(q.r0, static_cast<uint8_t>(r));
        q.r1 = std::max<uint8_t>(q.r1, static_cast<uint8_t>(r));
        q.c0 = std::min<uint8_t>(q.c0, static_cast<uint8_t>(c));
        q.c1 = std::max<uint8_t>(q.c1, static_cast<uint8_t>(c));
    }
    return q;
}

bool Risolutore::IpotesiDopo(int k, int32_t mossa) {
    inizioEscluse_[k] = escluseInRicerca_.size();
    // A sweep looks only at the placements usable as it starts, listed once per island: an
    // island left without one is found without walking the rest of its run.
    ElencaUtili(k);
    if (!maschereVive_) CaricaMaschere();
    inGiro_ = true;
    struct Fine {
        bool& in;
        ~Fine() { in = false; }
    } fine{inGiro_};
    // Only the islands that can come within two cells of the new shape: far ones seldom change,
    // and skipping them rules out less, never wrongly.
    constexpr int margine = 2;
    const Riquadro q = RiquadroDi(mossa, k);
    for (int i = k + 1; i <= m.NumEle; ++i) {
        const Riquadro& d = riquadroIsola_[i];
        if (d.r0 > q.r1 + margine || q.r0 > d.r1 + margine || d.c0 > q.c1 + margine ||
            q.c0 > d.c1 + margine)
            continue;
        bool resta = false;
        for (int32_t n = inizioUtili_[i]; n < fineUtili_[i]; ++n) {
            const int32_t k2 = utili_[n];
            if (!Usabile(k2)) continue;
            if (Passi(32)) return true; // stopped: the next attempt returns
            if (Coerente(i, k2, k + 1)) {
                resta = true;
                continue;
            }
            ++m.Mosse[k2].Blocchi;
            escluseInRicerca_.push_back(k2);
        }
        if (!resta) return false;
    }
    return true;
}

void Risolutore::RiammettiDopo(int k) {
    for (size_t n = inizioEscluse_[k]; n < escluseInRicerca_.size(); ++n)
        --m.Mosse[escluseInRicerca_[n]].Blocchi;
    escluseInRicerca_.resize(inizioEscluse_[k]);
}

void Risolutore::RilasciaDeduzioni() {
    for (int32_t k : escluse_)
        --m.Mosse[k].Blocchi;
}

// ---- Search ---------------------------------------------------------------------------------

bool Risolutore::SoluzioneStart(uint8_t n) {
    m.TempoRidisegno = p.Orologio();
    m.TempoScaduto = 0;
    SortaEle("A");
    InizializzaMossePossibili();
    m.NumSol = 0;
    m.SolCercate = n;
    m.Livello = 1;
    if (m.MossePiene) {
        m.Trovata = Falso;
        return false;
    }
    Soluzione();
    return true;
}

bool Risolutore::SoluzioneStartVerifica() {
    m.TempoRidisegno = p.Orologio();
    m.TempoScaduto = 0;
    SortaEle("A");
    InizializzaMossePossibili();
    if (m.MossePiene) {
        m.Trovata = Falso;
        return false;
    }
    // The player's walls become walls. The player's island cells other than clues stay free, so
    // that an island's shape may cover them, but are marked: no ring may lie on them and no wall
    // passes through them.
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            if (m.TblGioco(r, c) == 1 && m.TblSchema(r, c) == 0)
                m.TblIsoleLog(r, c) = IsolaDelGiocatore;
            if (m.TblGioco(r, c) == 2)
                m.TblSchema(r, c) = static_cast<uint8_t>(m.TblSchema(r, c) + 2);
        }
    m.Livello = 1;
    Soluzione();
    AzzeraTabella(m.TblIsoleLog, MaxRighe);
    return true;
}

bool Risolutore::DeduzioniPossibili() const {
    if (!Deduzioni || m.NoBlocchi || m.ListePiene || m.SoluzMultiple || m.NumEle == 0) return false;
    // Only on the board the search starts from: the clues and nothing else.
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            if (m.TblSchema(r, c) > 1 || m.TblIsoleLog(r, c) != 0) return false;
    return true;
}

void Risolutore::Cerca() {
    AvviaConteggi();
    proprietario_.fill(0);
    salti_ = SaltiIndietro && conteggiAttivi_ && !m.SoluzMultiple;
    if (salti_) AvviaRiquadri();
    domini_ = Domini && conteggiAttivi_ && !m.SoluzMultiple;
    if (domini_) AvviaDomini();
    // The hypotheses of the search know no island as finished and no cell as island: what the
    // deductions before it found is kept only as the placements they ruled out.
    finita_.fill(false);
    noteIsola_.clear();
    // Where the hypotheses run: after island k when the later islands have few placements left.
    proveInizio_ = m.NumProve;
    for (int i = 1; i <= m.NumEle && domini_; ++i) {
        const Isola& e = m.Ele[i];
        // Stopped: no search follows, and the boxes are not read.
        if (e.PrimaMossa != 0 &&
            Passi(8u * static_cast<uint64_t>(e.UltimaMossa - e.PrimaMossa + 1)))
            break;
        Riquadro& d = riquadroIsola_[i];
        d = {e.Riga, e.Riga, e.Colonna, e.Colonna};
        for (int32_t k2 = e.PrimaMossa; k2 != 0 && k2 <= e.UltimaMossa; ++k2) {
            const Riquadro q = RiquadroDi(k2, i);
            d = {std::min(d.r0, q.r0), std::max(d.r1, q.r1), std::min(d.c0, q.c0),
                 std::max(d.c1, q.c1)};
        }
    }
    postiDopo_.fill(0);
    for (int k = m.NumEle - 1; k >= 1; --k) {
        postiDopo_[k] = postiDopo_[k + 1];
        Passi(static_cast<uint64_t>(m.Ele[k + 1].UltimaMossa - m.Ele[k + 1].PrimaMossa + 1));
        for (int32_t k2 = m.Ele[k + 1].PrimaMossa; k2 != 0 && k2 <= m.Ele[k + 1].UltimaMossa; ++k2)
            postiDopo_[k] += m.Mosse[k2].Blocchi == 0;
    }
    CaricaMaschere();
    maschereVive_ = true;
    if (m.TempoScaduto == 1) // Esc during the deductions
        m.NumSol = 0;
    else
        ProvaTessera(1);
    // A search that stopped (solution, Esc, end of the short run) may leave placements ruled out.
    if (domini_) {
        inizioEscluse_[0] = 0;
        RiammettiDopo(0);
    }
    if (sospesa_) // the trial run ran out of attempts: its shapes come off again
        for (int i = posate_; i >= 1; --i) {
            const Isola& e = m.Ele[i];
            inPosa_ = static_cast<uint8_t>(i);
            InserisciOTogli(e.Riga, e.Colonna, e.Tessera, e.TessRiga, e.TessColonna, "T");
            posate_ = i - 1;
        }
    conteggiAttivi_ = salti_ = maschereVive_ = false;
    if (domini_) {
        domini_ = false;
        RecuperaBlocchi();
    }
    inPosa_ = 0;
}

void Risolutore::Soluzione() {
    m.Trovata = Falso;
    escluse_.clear();
    // Stopped while the tables were built, or while the cover lists are.
    if (m.TempoScaduto == 1 || (!m.NoBlocchi && !AggiornaCelle(true))) {
        m.NumSol = 0;
        return;
    }
    // Most puzzles end within a few attempts, sooner than the deductions would: a short run
    // without them comes first, and only when it runs out does the search start again after
    // them (from the same board, so with the same solutions in the same order).
    if (!DeduzioniPossibili()) {
        Cerca();
    } else {
        bool finita = false;
        if (ProveSenzaDeduzioni > 0) {
            const int16_t numSol = m.NumSol;
            saggio_ = ProveSenzaDeduzioni;
            Cerca();
            saggio_ = -1;
            finita = !sospesa_;
            if (sospesa_) {
                m.NumSol = numSol;
                m.Trovata = Falso;
            }
            sospesa_ = false;
        }
        if (!finita) {
            Deduci();
            Cerca();
            RilasciaDeduzioni();
        }
    }
    Gr.ImpostaRidisegno(false);
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            if (m.TblSchema(r, c) != 1) Colora(r, c, StatoCella::Muro);
}

void Risolutore::ProvaTessera(uint8_t k) {
    Prova(k);
}

Risolutore::Insieme Risolutore::Bloccante(int32_t k2) const {
    int primo = 0;
    for (int32_t n = inizioCelle_[k2], fine = inizioCelle_[k2 + 1]; n < fine; ++n) {
        const int chi = proprietario_[celle_[n]];
        if (chi != 0 && (primo == 0 || chi < primo)) primo = chi;
    }
    return primo ? Insieme{1} << primo : 0;
}

Risolutore::Insieme Risolutore::BloccantiDi(int i, Insieme tutte) const {
    Insieme s = 0;
    for (int32_t k2 = m.Ele[i].PrimaMossa; k2 != 0 && k2 <= m.Ele[i].UltimaMossa && s != tutte;
         ++k2) {
        if (Passi()) break; // stopped: the cause no longer matters
        s |= Bloccante(k2);
    }
    return s;
}

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
                const Riquadro q = riquadro_[Cella(r, c)];
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
            raggiunta_(r, c) = 0;
    Inonda(m.TaglioRiga2, m.TaglioColonna2, 1, [&](int r, int c) { s |= Proprietario(r, c); });
    return s;
}

Risolutore::Insieme Risolutore::Prova(uint8_t k) {
    p.Cedi();
    ++m.NumProve;
    if (m.NumProve % 1000 == 0 ||
        static_cast<float>(p.Orologio()) - static_cast<float>(m.TempoProgress) > 5.0f) {
        AggiornaBarraTempo();
        m.TempoProgress = p.Orologio();
    }
    if (m.TempoScaduto == 1) {
        m.NumSol = 0;
        return 0;
    }
    if (saggio_ >= 0 && saggio_-- == 0) sospesa_ = true;
    if (sospesa_) return 0;
    Isola& e = m.Ele[k];
    const bool provaCompleta = m.SoluzMultiple || m.ListePiene;
    const Booleano salta2x2 = provaCompleta ? Vero : Falso;
    // Without backjumping every dead end is blamed on all islands so far: plain backtracking.
    const bool salti = salti_;
    const Insieme io = Insieme{1} << k, tutte = Fino(k + 1);
    Insieme causa = 0;
    // With domains the loop runs over island k's usable placements only, and they stop counting
    // as a way to reach their cells while island k is being placed.
    const bool dom = domini_;
    auto nonRag = [this, k](int r, int c) {
        return m.TblSchema(r, c) >= 2 || !Raggiungibile(r, c, k);
    };
    // Placements ruled out by hypotheses after an earlier island leave no owner to blame: every
    // dead end here then involves the islands up to that one.
    const Insieme escluse = Fino(livelloEscluse_ + 1);
    for (int32_t k2 = e.PrimaMossa; k2 <= e.UltimaMossa; ++k2) {
        if (Passi()) { // nothing of island k is on the board here
            m.NumSol = 0;
            return 0;
        }
        const Mossa& mo = m.Mosse[k2];
        e.Tessera = mo.Tessera;
        e.TessRiga = mo.TessRiga;
        e.TessColonna = mo.TessColonna;
        if (m.Tessere[mo.Tessera].Cella[mo.TessRiga][mo.TessColonna] != CellaTessera) continue;
        const bool usabile = provaCompleta ? VerificaSeciSta(e.Riga, e.Colonna, mo.Tessera,
                                                             mo.TessRiga, mo.TessColonna)
                             : dom         ? Usabile(k2)
                                           : mo.Blocchi == 0;
        if (!usabile) continue;
        inPosa_ = k;
        InserisciOTogli(e.Riga, e.Colonna, mo.Tessera, mo.TessRiga, mo.TessColonna, "I");
        posate_ = k;
        passoLivello_[k] = ++passo_;
        Insieme fallimento = tutte; // why this placement led nowhere
        if (!(dom ? Muro2(salta2x2, nonRag) : VerificaMuro2(salta2x2))) {
            if (salti) fallimento = CausaMuro(tutte);
        } else if (k >= m.NumEle) {
            if (m.SoluzMultiple) {
                VerificaMuro3();
                if (m.MuroOk) {
                    ++m.NumSolParz;
                    SalvaInEleparz();
                    if (m.NumSolParz >= MaxSolParz) {
                        m.Trovata = Vero;
                        return 0;
                    }
                }
            } else {
                VerificaMuro();
                if (m.Trovata) return 0;
            }
        } else if (const int vuota = IsolaSenzaPosto(k + 1); vuota != 0) {
            if (salti) fallimento = BloccantiDi(vuota, tutte);
        } else if (const bool ipotesi = dom && k <= LivelliIpotesi &&
                                        m.NumProve - proveInizio_ > ProvePrimaDelleIpotesi &&
                                        postiDopo_[k] <= static_cast<uint64_t>(LimiteIpotesi);
                   ipotesi && !IpotesiDopo(k, k2)) {
            // Some later island has no placement consistent with this one.
            RiammettiDopo(k);
        } else {
            const int livello = livelloEscluse_;
            if (ipotesi) livelloEscluse_ = k;
            fallimento = Prova(static_cast<uint8_t>(k + 1));
            if (ipotesi) {
                livelloEscluse_ = livello;
                RiammettiDopo(k);
            }
            if (m.TempoScaduto == 1) {
                m.NumSol = 0;
                return 0;
            }
            if (sospesa_) return 0;
            if (m.Trovata) return 0;
        }
        fallimento |= escluse;
        inPosa_ = k;
        InserisciOTogli(e.Riga, e.Colonna, mo.Tessera, mo.TessRiga, mo.TessColonna, "T");
        posate_ = k - 1;
        if (!(fallimento & io)) { // this island is not involved: jump back
            return fallimento;
        }
        causa |= fallimento & ~io;
    }
    if (!salti) return Fino(k);
    // The placements that were blocked from the start, blamed on what blocks them (the board is
    // as it was before the loop).
    return causa | escluse | BloccantiDi(k, Fino(k));
}

void Risolutore::SalvaInEleparz() {
    for (int i = 1; i <= m.NumEle; ++i)
        m.Eleparz[m.NumSolParz][i] = m.Ele[i];
    m.NumEleparz[m.NumSolParz] = m.NumEle;
}

void Risolutore::AggiornaBarraTempo() {
    int e = static_cast<int>(p.Orologio() - m.TempoInizio);
    e = std::max(e, 1);
    e = std::min(e, p.MassimoProgresso());
    p.ValoreProgresso(e);
}

void Risolutore::SalvaEleInsvele() {
    for (int i = 1; i <= m.NumEle; ++i)
        m.svEle[i] = m.Ele[i];
    m.svNumEle = m.NumEle;
}

void Risolutore::RiprendiEleDasvEle() {
    for (int i = 1; i <= m.svNumEle; ++i)
        m.Ele[i] = m.svEle[i];
    m.NumEle = m.svNumEle;
}

void Risolutore::RecuperaUnEle(uint8_t i, uint8_t j) {
    m.Ele[i] = m.svEle[j];
    m.NumEle = i;
}

} // namespace isolmar
