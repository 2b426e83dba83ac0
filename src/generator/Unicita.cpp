// The uniqueness searches of the generator: the second-solution repair and the clue-position
// search.
#include "generator/Generatore.h"

#include "model/Impostazione.h"

#include <algorithm>

namespace isolmar {

void Generatore::Risolvi(int16_t n) {
    InizializzaSchemaEle(m);
    s.InizializzaMossePossibili();
    m.NumSol = 0;
    m.SolCercate = n;
    if (m.MossePiene) { // an incomplete placement table could miss the second solution
        m.Trovata = Falso;
        return;
    }
    s.Soluzione();
}

// ---- Second-solution repair --------------------------------------------------------------------

void Generatore::CercaSu2Start() {
    m.RicercaFinita = Falso;
    m.Livello = 1;
    m.TempoInizioRicerca = p.Orologio();
    visitate_.clear();
    Risolvi(2);
    if (m.NumSol == 1) {
        ++stat_.UnicheSubito;
        return;
    }
    if (RicordaSchemi) Ricorda(visitate_[ChiaveIsole()]);
    CercaSu2();
    visitate_.clear();
}

void Generatore::Ricorda(Visitata& v) const {
    // NumSol 0 (no solution) is stored as -1 so that 0 still means "not solved yet".
    v.NumSol = m.NumSol == 0 ? int16_t{-1} : m.NumSol;
    for (int i = 1; i <= std::min<int>(m.NumSol, 2); ++i)
        v.Soluzioni[static_cast<size_t>(i)].assign(m.EleSol[m.Livello][i].begin(),
                                                   m.EleSol[m.Livello][i].begin() + m.NumEle + 1);
}

std::string Generatore::ChiaveIsole() const {
    std::string k;
    k.reserve(static_cast<size_t>(m.NumEle) * 3);
    for (int i = 1; i <= m.NumEle; ++i) {
        const Isola& e = m.Ele[i];
        k += static_cast<char>(e.Riga);
        k += static_cast<char>(e.Colonna);
        k += static_cast<char>(e.Num);
    }
    return k;
}

void Generatore::CercaSu2() {
    p.Cedi();
    s.AggiornaBarraTempo();
    if (m.TempoScaduto == 1) {
        m.NumSol = 0;
        return;
    }
    // EleSol holds levels up to 9 and the repair stores at MaxLivello + 1.
    const int maxLivello = std::min<int>(m.MaxLivello, MaxLivelli - 1);
    if (Trascorsi(m.TempoInizioRicerca) > m.SecSu2 || m.Livello > maxLivello) return;

    const int L = m.Livello;
    auto& elenco = elenchi_[L];
    int16_t& numero = numElenchi_[L];
    numero = 0;
    // Only the solutions this search accepted are compared; older entries of EleSol belong to
    // other puzzles.
    const int n = std::min<int>(m.NumSol, MaxSolLivello);
    for (int s1 = 1; s1 < n; ++s1)
        for (int s2 = s1 + 1; s2 <= n; ++s2) {
            int k = 0;
            for (int i = 1; i <= m.NumEle && k == 0; ++i) {
                const Isola& a = m.EleSol[L][s1][i];
                const Isola& b = m.EleSol[L][s2][i];
                if (a.Tessera != b.Tessera || a.TessRiga != b.TessRiga ||
                    a.TessColonna != b.TessColonna)
                    k = i;
            }
            if (k == 0) continue;
            const Isola& a = m.EleSol[L][s1][k];
            const Isola& b = m.EleSol[L][s2][k];
            const Isola& e = m.Ele[k];
            AzzeraTabella(m.TblVisitate);
            InserisciVerifica(e.Riga, e.Colonna, a.Tessera, a.TessRiga, a.TessColonna, 1);
            InserisciVerifica(e.Riga, e.Colonna, b.Tessera, b.TessRiga, b.TessColonna, 2);
            for (int r = 1; r <= m.NumRighe; ++r)
                for (int c = 1; c <= m.NumColonne; ++c) {
                    const uint8_t v = m.TblVisitate(r, c);
                    if (v != 1 && v != 2) continue;
                    const Candidato nuovo{static_cast<uint8_t>(k), static_cast<uint8_t>(r),
                                          static_cast<uint8_t>(c),
                                          static_cast<uint8_t>(v == 1 ? a.Num : b.Num)};
                    bool presente = false;
                    for (int j = 1; j <= numero && !presente; ++j)
                        presente = elenco[j].Isola == nuovo.Isola && elenco[j].Riga == r &&
                                   elenco[j].Colonna == c;
                    if (!presente && numero < MaxCandidati) elenco[++numero] = nuovo;
                }
        }

    for (int j = 1; j <= numero; ++j) {
        const Candidato cand = elenco[j];
        Isola& e = m.Ele[cand.Isola];
        // With a symmetry the image clue moves onto the image cell; a clue that is its own
        // image moves only onto a cell that is its own image.
        int k2 = 0;
        Posto prima2;
        if (Simm != Simmetria::Nessuna) {
            k2 = IsolaImmagine(cand.Isola);
            const Posto y = Immagine({cand.Riga, cand.Colonna});
            if (k2 == 0 || k2 == cand.Isola) {
                if (!(y == Posto{cand.Riga, cand.Colonna})) continue;
                k2 = 0;
            } else {
                bool occupata = false;
                for (int i = 1; i <= m.NumEle && !occupata; ++i)
                    occupata = i != k2 && m.Ele[i].Riga == y.Riga && m.Ele[i].Colonna == y.Colonna;
                if (occupata) continue;
                Isola& e2 = m.Ele[k2];
                prima2 = {e2.Riga, e2.Colonna};
                e2.Riga = y.Riga;
                e2.Colonna = y.Colonna;
            }
        }
        const uint8_t riga = e.Riga, colonna = e.Colonna;
        e.Riga = cand.Riga;
        e.Colonna = cand.Colonna;
        e.Num = cand.Num;
        ++m.Livello;
        const int livello = m.Livello;
        Visitata* v = nullptr;
        std::string chiave;
        if (RicordaSchemi) {
            chiave = ChiaveIsole();
            v = &visitate_[chiave];
        }
        if (v && v->EsploratoDa != 0 && v->EsploratoDa <= livello) {
            // Its candidates were all tried at least this deep, in vain.
            ++stat_.RamiRisparmiati;
            m.NumSol = std::max<int16_t>(v->NumSol, 0);
        } else {
            if (v && v->NumSol != 0) { // solved before, not unique: the same two solutions
                ++stat_.SoluzioniRiusate;
                m.NumSol = std::max<int16_t>(v->NumSol, 0);
                for (int i = 1; i <= std::min<int>(m.NumSol, 2); ++i)
                    std::copy(v->Soluzioni[static_cast<size_t>(i)].begin(),
                              v->Soluzioni[static_cast<size_t>(i)].end(),
                              m.EleSol[livello][i].begin());
            } else {
                Risolvi(2);
                if (m.NumSol == 1) {
                    m.RicercaFinita = Vero;
                    return;
                }
                if (v) Ricorda(*v);
            }
            CercaSu2();
            if (m.RicercaFinita) return;
            // The subtree failed in full, unless time ran out: every further call returns at
            // once then, so the mark cannot mislead.
            if (RicordaSchemi) {
                Visitata& w = visitate_[chiave]; // v may have moved with the table
                if (w.EsploratoDa == 0 || w.EsploratoDa > livello)
                    w.EsploratoDa = static_cast<int16_t>(livello);
            }
        }
        --m.Livello;
        e.Riga = riga;
        e.Colonna = colonna;
        if (k2 != 0) {
            m.Ele[k2].Riga = prima2.Riga;
            m.Ele[k2].Colonna = prima2.Colonna;
        }
        if (m.TempoScaduto == 1) { // every further solve would return at once
            m.NumSol = 0;
            return;
        }
    }
}

void Generatore::InserisciVerifica(int16_t riga, int16_t colonna, int32_t t, int16_t a, int16_t b,
                                   int16_t incremento) {
    const Tessera& sh = m.Tessere[t];
    const int dr = riga - a, dc = colonna - b;
    for (int i = 1; i <= sh.Righe; ++i)
        for (int j = 1; j <= sh.Colonne; ++j) {
            if (sh.Cella[i][j] != CellaTessera) continue;
            const int r = i + dr, c = j + dc;
            if (r < 1 || r > m.NumRighe || c < 1 || c > m.NumColonne) continue;
            if (r == riga && c == colonna) continue;
            m.TblVisitate(r, c) = static_cast<uint8_t>(m.TblVisitate(r, c) + incremento);
        }
}

std::span<const Generatore::Candidato> Generatore::ElencoCandidati(int livello) const {
    if (livello < 1 || livello > MaxLivelli) return {};
    return {elenchi_[livello].data() + 1, static_cast<size_t>(numElenchi_[livello])};
}

// ---- Clue-position search ----------------------------------------------------------------------

void Generatore::CercaSoluzioneUnicaStart() {
    m.RicercaFinita = Falso;
    m.RicercaInterrotta = Falso;
    m.SolCercate = 3;
    m.ContaFoglie = 0;
    // The zones must still describe the current puzzle: a puzzle loaded since the last
    // generation has other islands, or another size.
    bool zoneValide = m.NumZone > 0 && m.NumZone == m.NumEle;
    for (int k = 1; k <= m.NumZone && zoneValide; ++k) {
        const Modello::Zona& Z = m.Zone[k];
        zoneValide = Z.NumCelle >= 1 && Z.NumCelle <= MaxNum;
        for (int i = 1; i <= Z.NumCelle && zoneValide; ++i)
            zoneValide = Z.CellaRiga[i] <= m.NumRighe && Z.CellaColonna[i] <= m.NumColonne;
    }
    if (zoneValide) CercaSolunica(1);
    InizializzaSchemaEle(m);
}

void Generatore::CercaSolunica(int16_t k) {
    const Modello::Zona& Z = m.Zone[k];
    auto interrompi = [&] {
        m.RicercaInterrotta = Vero;
        m.RicercaFinita = Vero;
    };
    for (int i = 1; i <= Z.NumCelle; ++i) {
        Isola& e = m.Ele[k];
        e.Num = static_cast<uint8_t>(Z.NumCelle);
        e.Riga = Z.CellaRiga[i];
        e.Colonna = Z.CellaColonna[i];
        e.PrimaMossa = e.UltimaMossa = 0;
        if (k < m.NumEle) {
            CercaSolunica(static_cast<int16_t>(k + 1));
            if (m.RicercaFinita) break;
            continue;
        }
        m.NumSol = 0;
        ++m.ContaFoglie;
        if (m.ContaFoglie % 100 == 0) {
            if (Trascorsi(m.TempoInizioRicerca) > 30) {
                interrompi();
                break;
            }
            m.TempoInizioRicerca = p.Orologio();
        }
        const double t0 = p.Orologio();
        Risolvi(m.SolCercate);
        if (m.NumSol == 1) {
            m.RicercaFinita = Vero;
            break;
        }
        if (m.TempoScaduto == 1 || Trascorsi(t0) > m.SecSolunica) {
            interrompi();
            break;
        }
    }
}

} // namespace isolmar
