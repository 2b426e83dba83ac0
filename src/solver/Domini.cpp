// Which placements are usable during the search: the block counters kept per island, or (lazy
// usability) placements tested against the row masks of the shapes on the board when asked.
#include "solver/Risolutore.h"

#include "model/Impostazione.h"
#include "solver/RisolutoreInterno.h"

#include <algorithm>

namespace isolmar {

void Risolutore::AvviaConteggi() {
    domini_.conteggi = !m.NoBlocchi && !m.ListePiene;
    if (!domini_.conteggi || (Domini && !m.SoluzMultiple)) return;
    liste_.isolaDi.resize(static_cast<size_t>(m.NumMosse) + 1);
    domini_.libere.fill(0);
    for (int i = 1; i <= m.NumEle; ++i)
        for (int32_t k = m.Ele[i].PrimaMossa; k != 0 && k <= m.Ele[i].UltimaMossa; ++k) {
            liste_.isolaDi[k] = static_cast<uint8_t>(i);
            if (m.Blocchi[k] == 0) ++domini_.libere[i];
        }
}

int Risolutore::IsolaSenzaPosto(int da) {
    if (!domini_.conteggi) return 0;
    for (int i = da; i <= m.NumEle; ++i)
        if (domini_.attivi ? !HaPosto(i) : domini_.libere[i] == 0) return i;
    return 0;
}

namespace {

// The island cells of drawing x as bits per row, and its ring where g keeps one.
template <class G> void Disegna(const Tessera& x, G& g) {
    using Riga = typename decltype(g.riga)::value_type;
    g.prima = LatoTessera;
    for (int i = 1; i <= x.Righe; ++i)
        for (int j = 1; j <= x.Colonne; ++j)
            if (x.Cella[i][j] == CellaTessera) {
                g.riga[i] = static_cast<Riga>(g.riga[i] | 1u << j);
                g.prima = std::min<uint8_t>(g.prima, static_cast<uint8_t>(i));
                g.ultima = static_cast<uint8_t>(i);
            } else if constexpr (requires { g.anello; }) {
                if (x.Cella[i][j] == CellaBordo)
                    g.anello[i] = static_cast<Riga>(g.anello[i] | 1u << j);
            }
}

} // namespace

void Risolutore::PreparaSagome() {
    if (domini_.sagome.size() == static_cast<size_t>(m.NumTessere) + 1) return;
    domini_.sagome.assign(static_cast<size_t>(m.NumTessere) + 1, Sagoma{});
    for (int32_t t = 1; t <= m.NumTessere; ++t) {
        Disegna(m.Tessere[t], domini_.sagome[t]);
        domini_.sagome[t].righe = m.Tessere[t].Righe;
    }
}

void Risolutore::AvviaDomini() {
    PreparaSagome();
    domini_.versionePosizioni = 0;
    domini_.posizioni.resize(static_cast<size_t>(m.NumMosse) + 1);
    liste_.isolaDi.resize(static_cast<size_t>(m.NumMosse) + 1);
    for (int i = 1; i <= m.NumEle; ++i) {
        const Isola& e = m.Ele[i];
        if (e.PrimaMossa != 0) Passi(static_cast<uint64_t>(e.UltimaMossa - e.PrimaMossa + 1));
        for (int32_t k = e.PrimaMossa; k != 0 && k <= e.UltimaMossa; ++k) {
            liste_.isolaDi[k] = static_cast<uint8_t>(i);
            const Mossa& mo = m.Mosse[k];
            domini_.posizioni[k] = {mo.Tessera, static_cast<int8_t>(e.Riga - mo.TessRiga),
                                    static_cast<int8_t>(e.Colonna - mo.TessColonna)};
        }
        domini_.testimoneIsola[i] = e.PrimaMossa;
    }
    domini_.occupata.fill(0);
    domini_.occupate.fill(0);
    ipotesi_.escluse.clear();
    ipotesi_.livelloEscluse = 0;
    domini_.testimoneCella.fill(-1);
    domini_.fuori.fill({});
    domini_.passoLivello.fill(0);
    domini_.passo = 0;
    domini_.posate = 0;
}

void Risolutore::Occupa(int r, int c, int delta) {
    uint8_t& n = domini_.occupata[Cella(r, c)];
    n = static_cast<uint8_t>(n + delta);
    if (n == 0)
        domini_.occupate[r] &= ~(uint64_t{1} << c);
    else
        domini_.occupate[r] |= uint64_t{1} << c;
}

bool Risolutore::PrimaUsabile(int32_t prima, int32_t ultima, int32_t& testimone) {
    const int32_t w = testimone;
    // Once stopped, any answer will do: the search returns at its next attempt.
    for (int32_t k2 = w; k2 <= ultima; ++k2) {
        if (Passi()) return true;
        if (Usabile(k2)) return testimone = k2, true;
    }
    for (int32_t k2 = prima; k2 < w; ++k2) {
        if (Passi()) return true;
        if (Usabile(k2)) return testimone = k2, true;
    }
    return false;
}

bool Risolutore::HaPosto(int i) {
    const Isola& e = m.Ele[i];
    if (e.PrimaMossa == 0) return false;
    if (ipotesi_.inGiro) return HaPostoUtile(i);
    return PrimaUsabile(e.PrimaMossa, e.UltimaMossa, domini_.testimoneIsola[i]);
}

bool Risolutore::Raggiungibile(int r, int c, int k) {
    // Islands 1..k are placed and all their placements blocked; a cell's list is in placement
    // order, so the later islands' placements are its tail.
    const int x = Cella(r, c);
    const Irraggiungibile f = domini_.fuori[x];
    if (f.livello != 0 && f.livello <= k && domini_.passoLivello[f.livello] <= f.passo)
        return false;
    const int32_t ultima = m.Ele[k].UltimaMossa;
    const int32_t w = domini_.testimoneCella[x];
    if (w >= 0 && m.Copre[w] > ultima && Usabile(m.Copre[w])) return true;
    for (int32_t n = m.InizioCopre[x + 1] - 1, fine = m.InizioCopre[x]; n >= fine; --n) {
        if (m.Copre[n] <= ultima) break;
        if (Passi()) return true; // stopped: nothing is cached
        if (Usabile(m.Copre[n])) return domini_.testimoneCella[x] = n, true;
    }
    domini_.fuori[x] = {k, domini_.passo};
    return false;
}

bool Risolutore::AvviaEsplorazione() {
    if (domini_.attivi || m.NoBlocchi || m.ListePiene || m.NumColonne > MaxRighe) return false;
    PreparaSagome();
    if (domini_.versionePosizioni != m.VersioneListe) {
        domini_.versionePosizioni = m.VersioneListe;
        // The drawings of the islands over the table's sizes, made anew with the lists.
        const size_t grandi = m.Tessere.size() > static_cast<size_t>(PrimaTesseraGrande)
                                  ? m.Tessere.size() - static_cast<size_t>(PrimaTesseraGrande)
                                  : 0;
        domini_.sagomeGrandi.assign(grandi, SagomaGrande{});
        for (size_t t = 0; t < grandi; ++t)
            Disegna(m.Tessere[static_cast<size_t>(PrimaTesseraGrande) + t],
                    domini_.sagomeGrandi[t]);
        domini_.posizioni.resize(static_cast<size_t>(m.NumMosse) + 1);
        for (int i = 1; i <= m.svNumEle; ++i) {
            const Isola& e = m.svEle[i];
            for (int32_t k = e.PrimaMossa; k != 0 && k <= e.UltimaMossa; ++k) {
                const Mossa& mo = m.Mosse[k];
                domini_.posizioni[k] = {mo.Tessera, static_cast<int8_t>(e.Riga - mo.TessRiga),
                                        static_cast<int8_t>(e.Colonna - mo.TessColonna)};
            }
        }
        domini_.testimoneCella.fill(-1);
    }
    // Witnesses are only where a scan starts: any one left from an earlier exploration will do.
    for (int i = 1; i <= m.svNumEle; ++i) {
        int32_t& w = domini_.testimoneIsola[i];
        if (w < m.svEle[i].PrimaMossa || w > m.svEle[i].UltimaMossa) w = m.svEle[i].PrimaMossa;
    }
    domini_.occupata.fill(0);
    domini_.occupate.fill(0);
    domini_.attivi = domini_.esplorazione = true;
    // The wall checks read the row masks, kept up to date shape by shape.
    domini_.viveFuori = tavole_.vive;
    CaricaMaschere();
    tavole_.vive = true;
    return true;
}

void Risolutore::FineEsplorazione() {
    domini_.attivi = domini_.esplorazione = false;
    tavole_.vive = domini_.viveFuori;
}

bool Risolutore::UsabileOra(int32_t k) const {
    return domini_.esplorazione ? Usabile(k) : m.Blocchi[k] == 0;
}

bool Risolutore::HaPostoSv(int i) {
    const Isola& e = m.svEle[i];
    if (e.PrimaMossa == 0) return false;
    if (domini_.esplorazione)
        return PrimaUsabile(e.PrimaMossa, e.UltimaMossa, domini_.testimoneIsola[i]);
    for (int32_t k = e.PrimaMossa; k <= e.UltimaMossa; ++k)
        if (m.Blocchi[k] == 0) return true;
    return false;
}

bool Risolutore::SenzaCopertura(int r, int c) {
    if (m.TblSchema(r, c) >= 2) return true;
    const int x = Cella(r, c);
    // Every placement covering a cell of a shape on the board, or of its ring, is ruled out.
    if (domini_.occupata[x] != 0) return true;
    int32_t& w = domini_.testimoneCella[x];
    if (w >= 0 && Usabile(m.Copre[w])) return false;
    const int32_t inizio = m.InizioCopre[x], fine = m.InizioCopre[x + 1];
    for (int32_t n = inizio; n < fine; ++n)
        if (Usabile(m.Copre[n])) return w = n, false;
    Passi(static_cast<uint64_t>(fine - inizio + 1));
    return true;
}

void Risolutore::RecuperaBlocchi() {
    for (int i = 1; i <= domini_.posate; ++i) {
        const Isola& e = m.Ele[i];
        PerCelle(e.Riga, e.Colonna, e.Tessera, e.TessRiga, e.TessColonna,
                 [&](int r, int c, uint8_t) { VariaCopre(r, c, 1); });
    }
    domini_.posate = 0;
}

} // namespace isolmar
