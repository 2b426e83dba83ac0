// Placements: sorting the islands, building every island's placements with the per-cell cover
// lists and the island cells of each, and putting a shape on the board or taking it off with
// the blocks it sets on the placements it rules out.
#include "solver/Risolutore.h"

#include "model/Impostazione.h"
#include "solver/FormeGrandi.h"
#include "solver/RisolutoreInterno.h"

#include <algorithm>
#include <atomic>
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
    AzzeraTabella(m.TblIsoleLog);
    // Every list is empty until all of them are complete: a stop or a refusal leaves none.
    m.InizioCopre.fill(0);
    // A number no build of any model had: a model copied back from a saved state keeps its old
    // one, which must not match what a solver derived from other lists.
    static std::atomic<uint32_t> versioni{0};
    m.VersioneListe = ++versioni;
    m.NumMosse = 0;
    liste_.rangoIndizio.fill({0, 0});
    for (int i = 1; i <= m.NumEle; ++i)
        m.Ele[i].PrimaMossa = m.Ele[i].UltimaMossa = 0;
    int64_t candidati = 0, fatti = 0;
    for (int i = 1; i <= m.NumEle; ++i)
        if (m.Ele[i].Num <= MaxNum)
            if (const IntervalloTessere ind = m.IndTessere[m.Ele[i].Num]; ind.Prima != 0)
                candidati += int64_t{ind.Ultima - ind.Prima + 1} * m.Ele[i].Num;

    // The islands over the table's sizes take their placements from the board, drawn anew.
    DisegniGrandi disegni(m);
    disegni.Clear();
    std::vector<std::vector<DisegniGrandi::Posa>> grandi(static_cast<size_t>(m.NumEle) + 1);
    for (int i = 1; i <= m.NumEle; ++i) {
        const Isola& e = m.Ele[i];
        if (e.Num <= MaxNum) continue;
        bool fermato = false;
        const bool tutte =
            PerFormeGrandi(m.TblSchema, e.Riga, e.Colonna, e.Num, MaxPosizionamentiGrandi,
                           [&](const CelleForma& celle) {
                               if (Passi(celle.size())) return !(fermato = true);
                               grandi[i].push_back(disegni.Aggiungi(celle, e.Riga, e.Colonna));
                               return true;
                           });
        if (fermato) return;
        if (!tutte) {
            m.ListePiene = m.MossePiene = Vero; // more than the tables may hold
            return;
        }
        candidati += static_cast<int64_t>(grandi[i].size());
    }

    // The placements, and how many of them cover each cell (in InizioCopre[cell + 1]).
    std::array<int32_t, MaxRighe * MaxRighe + 2> conta{};
    int64_t coperture = 0;
    // Adds placement (t, a, b) of island e; false when the memory is exhausted.
    auto aggiungi = [&](Isola& e, int32_t t, uint8_t a, uint8_t b) {
        // Room is taken once for every candidate not yet tried (none can give more than one
        // placement), without touching it, and the table is lengthened into it a slice at a
        // time: no copy into fresh memory after the first.
        if (static_cast<size_t>(m.NumMosse) + 1 >= m.Mosse.size()) {
            if (m.Mosse.size() == m.Mosse.capacity() &&
                !Riserva(m.Mosse, static_cast<size_t>(m.NumMosse + candidati - fatti) + 2)) {
                m.ListePiene = m.MossePiene = Vero; // out of memory
                return false;
            }
            m.Mosse.resize(std::min(m.Mosse.capacity(), m.Mosse.size() + 65536));
        }
        if (m.Blocchi.size() < m.Mosse.size()) {
            try {
                m.Blocchi.resize(m.Mosse.size());
            } catch (const std::bad_alloc&) {
                m.ListePiene = m.MossePiene = Vero;
                return false;
            }
        }
        ++m.NumMosse;
        if (e.PrimaMossa == 0) e.PrimaMossa = m.NumMosse;
        e.UltimaMossa = m.NumMosse;
        m.Mosse[m.NumMosse] = {t, a, b};
        m.Blocchi[m.NumMosse] = 0;
        PerCelle(e.Riga, e.Colonna, t, a, b, [&](int r, int c, uint8_t codice) {
            if (codice == CellaTessera) ++conta[m.CellaLista(r, c) + 1];
        });
        coperture += e.Num - 1; // every shape cell lies on the board
        return true;
    };
    for (int i = 1; i <= m.NumEle; ++i) {
        Isola& e = m.Ele[i];
        for (const DisegniGrandi::Posa& q : grandi[i]) {
            ++fatti;
            if (!aggiungi(e, q.t, q.a, q.b)) return;
        }
        const IntervalloTessere ind = e.Num <= MaxNum ? m.IndTessere[e.Num] : IntervalloTessere{};
        for (int32_t t = ind.Prima; t != 0 && t <= ind.Ultima; ++t) {
            const Tessera& s = m.Tessere[t];
            for (int a = 1; a <= s.Righe; ++a)
                for (int b = 1; b <= s.Colonne; ++b) {
                    if (s.Cella[a][b] != CellaTessera) continue;
                    // Stopped meanwhile: no list is built, and the search that follows returns
                    // at once.
                    if (Passi()) return;
                    ++fatti;
                    if (!VerificaSeciSta(e.Riga, e.Colonna, t, a, b)) continue;
                    if (!aggiungi(e, t, static_cast<uint8_t>(a), static_cast<uint8_t>(b))) return;
                }
        }
        liste_.rangoIndizio[m.CellaLista(e.Riga, e.Colonna)] = {e.PrimaMossa, e.UltimaMossa};
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

bool Risolutore::AggiornaCelle(bool fermabile) const {
    if (liste_.versioneCelle == m.VersioneListe) return true;
    liste_.versioneCelle = m.VersioneListe;
    // The island cells of each placement (runs are in placement order).
    liste_.inizioCelle.assign(static_cast<size_t>(m.NumMosse) + 2, 0);
    liste_.celle.clear();
    liste_.celle.reserve(m.Copre.size()); // as many as the cover lists hold: no copy while it grows
    for (int i = 1; i <= m.NumEle; ++i) {
        const Isola& e = m.Ele[i];
        if (e.PrimaMossa != 0 && Passi(static_cast<uint64_t>(e.UltimaMossa - e.PrimaMossa + 1)) &&
            fermabile) {
            liste_.versioneCelle = ~0u; // left half built: the next call builds it again
            return false;
        }
        for (int32_t k = e.PrimaMossa; k != 0 && k <= e.UltimaMossa; ++k) {
            const Mossa& mo = m.Mosse[k];
            liste_.inizioCelle[k] = static_cast<int32_t>(liste_.celle.size());
            PerCelle(e.Riga, e.Colonna, mo.Tessera, mo.TessRiga, mo.TessColonna,
                     [&](int r, int c, uint8_t codice) {
                         if (codice == CellaTessera)
                             liste_.celle.push_back(static_cast<uint16_t>(Cella(r, c)));
                     });
            liste_.inizioCelle[k + 1] = static_cast<int32_t>(liste_.celle.size());
        }
    }
    return true;
}

// ---- Placing and removing -----------------------------------------------------------------------

void Risolutore::Colora(int r, int c, StatoCella stato) {
    if (r >= Gr.Righe() || c >= Gr.Colonne()) return; // board grid not laid out for this size
    Gr.Seleziona(r, c);
    Gr.ImpostaStato(stato);
}

void Risolutore::InserisciOTogli(int16_t R0, int16_t C0, int32_t t, int16_t a, int16_t b,
                                 std::string_view op) {
    const bool inserisci = op == "I";
    const int16_t delta = inserisci ? 1 : -1;
    Gr.ImpostaRidisegno(false);
    int64_t lunghezze = 0; // the cover lists walked
    PerCelle(R0, C0, t, a, b, [&](int r, int c, uint8_t codice) {
        if (domini_.attivi)
            Occupa(r, c, delta);
        else if (!m.NoBlocchi) {
            VariaCopre(r, c, delta);
            lunghezze += m.InizioCopre[Cella(r, c) + 1] - m.InizioCopre[Cella(r, c)];
        }
        if (salti_.inPosa != 0) {
            uint8_t& chi = salti_.proprietario[Cella(r, c)];
            if (inserisci && chi == 0)
                chi = salti_.inPosa;
            else if (!inserisci && chi == salti_.inPosa)
                chi = 0;
        }
        if (codice == CellaBordo) {
            m.TblSchema(r, c) = static_cast<uint8_t>(m.TblSchema(r, c) + 2 * delta);
            if (tavole_.vive) AggiornaMaschere(r, c);
            return;
        }
        m.TblSchema(r, c) = static_cast<uint8_t>(m.TblSchema(r, c) + delta);
        if (tavole_.vive) AggiornaMaschere(r, c);
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

void Risolutore::VariaCopre(int r, int c, int16_t delta) {
    const int i = Cella(r, c);
    const int32_t* n = m.Copre.data() + m.InizioCopre[i];
    const int32_t* fine = m.Copre.data() + m.InizioCopre[i + 1];
    if (!domini_.conteggi) {
        for (; n < fine; ++n)
            m.Blocchi[*n] += delta;
    } else if (delta > 0) {
        for (; n < fine; ++n)
            if (m.Blocchi[*n]++ == 0) --domini_.libere[liste_.isolaDi[*n]];
    } else {
        for (; n < fine; ++n)
            if (--m.Blocchi[*n] == 0) ++domini_.libere[liste_.isolaDi[*n]];
    }
}

void Risolutore::BloccaperCella(int16_t r, int16_t c, int32_t prima, int32_t ultima) {
    const int x = m.CellaLista(r, c);
    for (int32_t n = m.InizioCopre[x]; n < m.InizioCopre[x + 1]; ++n) {
        const int32_t k = m.Copre[n];
        if (prima == 0 || k < prima || k > ultima) ++m.Blocchi[k];
    }
}

void Risolutore::BloccaMuro(int16_t r, int16_t c) {
    // The placements with the cell in their ring: those that cover a neighbour of it, or hold
    // their clue there, and do not cover the cell itself. Each is blocked once.
    const int x = m.CellaLista(r, c);
    liste_.anello.clear();
    for (const auto& [dr, dc] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
        const int a = r + dr, b = c + dc;
        if (a < 1 || a > m.NumRighe || b < 1 || b > m.NumColonne) continue;
        const int y = m.CellaLista(a, b);
        liste_.anello.insert(liste_.anello.end(), m.Copre.begin() + m.InizioCopre[y],
                             m.Copre.begin() + m.InizioCopre[y + 1]);
        for (int32_t k = liste_.rangoIndizio[y].first; k != 0 && k <= liste_.rangoIndizio[y].second;
             ++k)
            liste_.anello.push_back(k);
    }
    std::sort(liste_.anello.begin(), liste_.anello.end());
    liste_.anello.erase(std::unique(liste_.anello.begin(), liste_.anello.end()),
                        liste_.anello.end());
    const auto inizio = m.Copre.begin() + m.InizioCopre[x],
               fine = m.Copre.begin() + m.InizioCopre[x + 1];
    const auto [propria, ultimaPropria] =
        liste_.rangoIndizio[x]; // a clue cell is in no ring of its own
    for (const int32_t k : liste_.anello)
        if (!(propria != 0 && k >= propria && k <= ultimaPropria) &&
            !std::binary_search(inizio, fine, k))
            ++m.Blocchi[k];
}

} // namespace isolmar
