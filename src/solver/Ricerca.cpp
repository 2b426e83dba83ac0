// The search: over whole island shapes, island by island, with backjumping over islands a dead
// end does not involve, a short run without the deductions first, and the partial solutions and
// saved islands the generator and the explanation keep.
#include "solver/Risolutore.h"

#include "model/Impostazione.h"
#include "solver/Esito.h"
#include "solver/RisolutoreInterno.h"

#include <algorithm>

namespace isolmar {

bool Risolutore::SoluzioneStart(uint8_t n) {
    if (UsaSat()) {
        m.OltreLaRicerca.clear();
        UltimoSat = RisolviConSat(m, p, n);
        return true;
    }
    if (OltreLaRicerca()) {
        m.NumSol = 0;
        return false;
    }
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
    if (OltreLaRicerca()) return false;
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
    AzzeraTabella(m.TblIsoleLog);
    return true;
}

bool Risolutore::OltreLaRicerca() {
    m.OltreLaRicerca = MotivoOltreLaRicerca(m);
    if (m.OltreLaRicerca.empty()) return false;
    m.Trovata = Falso;
    return true;
}

void Risolutore::Soluzione() {
    m.Trovata = Falso;
    deduzioni_.escluse.clear();
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
            deduzioni_.saggio = ProveSenzaDeduzioni;
            Cerca();
            deduzioni_.saggio = -1;
            finita = !deduzioni_.sospesa;
            if (deduzioni_.sospesa) {
                m.NumSol = numSol;
                m.Trovata = Falso;
            }
            deduzioni_.sospesa = false;
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

void Risolutore::Cerca() {
    AvviaConteggi();
    salti_.proprietario.fill(0);
    salti_.attivi = SaltiIndietro && m.NumEle < MaxSalti && domini_.conteggi && !m.SoluzMultiple;
    if (salti_.attivi) AvviaRiquadri();
    domini_.attivi = Domini && domini_.conteggi && !m.SoluzMultiple;
    if (domini_.attivi) AvviaDomini();
    // The hypotheses of the search know no island as finished and no cell as island: what the
    // deductions before it found is kept only as the placements they ruled out.
    deduzioni_.finita.fill(false);
    deduzioni_.noteIsola.clear();
    // Where the hypotheses run: after island k when the later islands have few placements left.
    ipotesi_.proveInizio = m.NumProve;
    for (int i = 1; i <= m.NumEle && domini_.attivi; ++i) {
        const Isola& e = m.Ele[i];
        // Stopped: no search follows, and the boxes are not read.
        if (e.PrimaMossa != 0 &&
            Passi(8u * static_cast<uint64_t>(e.UltimaMossa - e.PrimaMossa + 1)))
            break;
        Riquadro& d = ipotesi_.riquadroIsola[i];
        d = {e.Riga, e.Riga, e.Colonna, e.Colonna};
        for (int32_t k2 = e.PrimaMossa; k2 != 0 && k2 <= e.UltimaMossa; ++k2) {
            const Riquadro q = RiquadroDi(k2, i);
            d = {std::min(d.r0, q.r0), std::max(d.r1, q.r1), std::min(d.c0, q.c0),
                 std::max(d.c1, q.c1)};
        }
    }
    ipotesi_.postiDopo.fill(0);
    for (int k = m.NumEle - 1; k >= 1; --k) {
        ipotesi_.postiDopo[k] = ipotesi_.postiDopo[k + 1];
        Passi(static_cast<uint64_t>(m.Ele[k + 1].UltimaMossa - m.Ele[k + 1].PrimaMossa + 1));
        for (int32_t k2 = m.Ele[k + 1].PrimaMossa; k2 != 0 && k2 <= m.Ele[k + 1].UltimaMossa; ++k2)
            ipotesi_.postiDopo[k] += m.Blocchi[k2] == 0;
    }
    CaricaMaschere();
    tavole_.vive = true;
    if (m.TempoScaduto == 1) // Esc during the deductions
        m.NumSol = 0;
    else
        ProvaTessera(1);
    // A search that stopped (solution, Esc, end of the short run) may leave placements ruled out.
    if (domini_.attivi) {
        ipotesi_.inizioEscluse[0] = 0;
        RiammettiDopo(0);
    }
    if (deduzioni_.sospesa) // the trial run ran out of attempts: its shapes come off again
        for (int i = domini_.posate; i >= 1; --i) {
            const Isola& e = m.Ele[i];
            salti_.inPosa = static_cast<uint8_t>(i);
            InserisciOTogli(e.Riga, e.Colonna, e.Tessera, e.TessRiga, e.TessColonna, "T");
            domini_.posate = i - 1;
        }
    domini_.conteggi = salti_.attivi = tavole_.vive = false;
    if (domini_.attivi) {
        domini_.attivi = false;
        RecuperaBlocchi();
    }
    salti_.inPosa = 0;
}

void Risolutore::ProvaTessera(uint8_t k) {
    Prova(k);
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
    if (deduzioni_.saggio >= 0 && deduzioni_.saggio-- == 0) deduzioni_.sospesa = true;
    if (deduzioni_.sospesa) return 0;
    Isola& e = m.Ele[k];
    const bool provaCompleta = m.SoluzMultiple || m.ListePiene;
    const Booleano salta2x2 = provaCompleta ? Vero : Falso;
    // Without backjumping every dead end is blamed on all islands so far: plain backtracking.
    const bool salti = salti_.attivi;
    const Insieme io = Bit(k), tutte = Fino(k + 1);
    Insieme causa = 0;
    // With domains the loop runs over island k's usable placements only, and they stop counting
    // as a way to reach their cells while island k is being placed.
    const bool dom = domini_.attivi;
    auto nonRag = [this, k](int r, int c) {
        return m.TblSchema(r, c) >= 2 || !Raggiungibile(r, c, k);
    };
    // Placements ruled out by hypotheses after an earlier island leave no owner to blame: every
    // dead end here then involves the islands up to that one.
    const Insieme escluse = Fino(ipotesi_.livelloEscluse + 1);
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
                                           : m.Blocchi[k2] == 0;
        if (!usabile) continue;
        salti_.inPosa = k;
        InserisciOTogli(e.Riga, e.Colonna, mo.Tessera, mo.TessRiga, mo.TessColonna, "I");
        domini_.posate = k;
        domini_.passoLivello[k] = ++domini_.passo;
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
        } else if (const bool ipotesi =
                       dom && k <= LivelliIpotesi &&
                       m.NumProve - ipotesi_.proveInizio > ProvePrimaDelleIpotesi &&
                       ipotesi_.postiDopo[k] <= static_cast<uint64_t>(LimiteIpotesi);
                   ipotesi && !IpotesiDopo(k, k2)) {
            // Some later island has no placement consistent with this one.
            RiammettiDopo(k);
        } else {
            const int livello = ipotesi_.livelloEscluse;
            if (ipotesi) ipotesi_.livelloEscluse = k;
            fallimento = Prova(static_cast<uint8_t>(k + 1));
            if (ipotesi) {
                ipotesi_.livelloEscluse = livello;
                RiammettiDopo(k);
            }
            if (m.TempoScaduto == 1) {
                m.NumSol = 0;
                return 0;
            }
            if (deduzioni_.sospesa) return 0;
            if (m.Trovata) return 0;
        }
        fallimento |= escluse;
        salti_.inPosa = k;
        InserisciOTogli(e.Riga, e.Colonna, mo.Tessera, mo.TessRiga, mo.TessColonna, "T");
        domini_.posate = k - 1;
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

// ---- Backjumping --------------------------------------------------------------------------------

Risolutore::Insieme Risolutore::Bloccante(int32_t k2) const {
    int primo = 0;
    for (int32_t n = liste_.inizioCelle[k2], fine = liste_.inizioCelle[k2 + 1]; n < fine; ++n) {
        const int chi = salti_.proprietario[liste_.celle[n]];
        if (chi != 0 && (primo == 0 || chi < primo)) primo = chi;
    }
    return primo ? Bit(primo) : 0;
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

void Risolutore::AvviaRiquadri() {
    for (int c = 1; c <= m.NumColonne; ++c)
        for (int r = 1; r <= m.NumRighe; ++r) {
            Riquadro q{static_cast<uint8_t>(r), static_cast<uint8_t>(r), static_cast<uint8_t>(c),
                       static_cast<uint8_t>(c)};
            const int x = Cella(r, c);
            // Stopped: the search will not run, so the boxes may stay half built.
            if (Passi(static_cast<uint64_t>(m.InizioCopre[x + 1] - m.InizioCopre[x]))) return;
            for (int32_t n = m.InizioCopre[x]; n < m.InizioCopre[x + 1]; ++n)
                for (int32_t j = liste_.inizioCelle[m.Copre[n]];
                     j < liste_.inizioCelle[m.Copre[n] + 1]; ++j) {
                    const int y = liste_.celle[j], rr = (y - 1) % MaxRighe + 1,
                              cc = (y - 1) / MaxRighe + 1;
                    q.r0 = std::min<uint8_t>(q.r0, static_cast<uint8_t>(rr));
                    q.r1 = std::max<uint8_t>(q.r1, static_cast<uint8_t>(rr));
                    q.c0 = std::min<uint8_t>(q.c0, static_cast<uint8_t>(cc));
                    q.c1 = std::max<uint8_t>(q.c1, static_cast<uint8_t>(cc));
                }
            salti_.riquadro[x] = q;
        }
}

// ---- Solutions and saved islands ----------------------------------------------------------------

void Risolutore::SalvaInEleparz() {
    if (m.Eleparz.size() <= static_cast<size_t>(m.NumSolParz))
        m.Eleparz.resize(static_cast<size_t>(m.NumSolParz) + 1);
    m.Eleparz[m.NumSolParz].assign(m.Ele.begin(), m.Ele.begin() + m.NumEle + 1);
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
