#include "generator/Generatore.h"

#include "generator/Configurazione.h"
#include "model/Impostazione.h"
#include "solver/Tessere.h"
#include "view/Etichette.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace isolmar {

namespace {

uint64_t Mescola(uint64_t x) { // splitmix64 finaliser
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

} // namespace

// ---- Random numbers -----------------------------------------------------------------------------

void Generatore::ImpostaSeme(uint64_t seme) {
    semeFisso_ = true;
    seme_ = seme;
    tentativoSeme_ = 0;
}

void Generatore::SemeDaOrologio() {
    semeFisso_ = false;
}

double Generatore::Rnd() {
    return static_cast<double>(rng_()) * (1.0 / 4294967296.0);
}

// Each attempt starts a fresh sequence, so an attempt depends only on its own seed.
void Generatore::Randomizza() {
    uint64_t base;
    if (semeFisso_) {
        base = Mescola(seme_) ^ ++tentativoSeme_;
    } else {
        const auto ora = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        base = static_cast<uint64_t>(ora) ^ reinterpret_cast<uintptr_t>(this);
    }
    rng_.seed(static_cast<uint32_t>(Mescola(base) >> 32));
}

uint64_t Generatore::ProssimoSeme() {
    Randomizza();
    const uint64_t alto = rng_();
    return alto << 32 | rng_();
}

double Generatore::GeneraCasuale(double n) {
    return std::floor(Rnd() * n + 1);
}

double Generatore::Trascorsi(double t0) {
    return SecondiTrascorsi(t0, p.Orologio());
}

// ---- The generate command ---------------------------------------------------------------------

void Generatore::Genera() {
    // The message names the value that broke its range.
    const struct {
        const char* nome;
        int valore, minimo, massimo;
    } limiti[] = {{"righe", m.NumRighe, 1, MaxRighe},
                  {"colonne", m.NumColonne, 1, MaxRighe},
                  {"isola massima", m.DimMaxIsola, 0, 7},
                  {"indizio più grande almeno", MinMaggiore, 0, m.DimMaxIsola}};
    for (const auto& l : limiti)
        if (l.valore < l.minimo || l.valore > l.massimo) {
            p.Messaggio(std::string(TestoErroreLimiti) + ": " + l.nome + " " +
                            std::to_string(l.valore) + " (da " + std::to_string(l.minimo) + " a " +
                            std::to_string(l.massimo) + ")",
                        Pulsanti::Ok, Icona::Errore);
            return;
        }
    if (Simm == Simmetria::Specchio && m.NumColonne % 2 == 0) {
        p.Messaggio(TestoSpecchioPari, Pulsanti::Ok, Icona::Errore);
        return;
    }
    // Every 2x2 block of a solution holds an island cell, and 50 islands of at most 9 cells
    // cannot cover the disjoint blocks of a grid much larger than 40 x 40.
    if ((m.NumRighe / 2) * (m.NumColonne / 2) > MaxEle * MaxNum) {
        p.Messaggio(TestoTroppeZone, Pulsanti::Ok, Icona::Errore);
        return;
    }
    stat_ = {};
    m.ModoTempo = 1;
    m.RidisegnaSchema = Falso;
    Gr.ImpostaRidisegno(false);
    Gr.ImpostaRighe(m.NumRighe + 1);
    Gr.ImpostaColonne(m.NumColonne + 1);
    const double t0 = p.Orologio();
    m.MaxLivello = 4;
    m.TempoScaduto = 0;
    m.NumProve = 0;
    m.TempoInizio = p.Orologio();

    // Attempts whose partition cannot become a puzzle (more than 50 zones on a large grid) fail
    // the same way again and again, and the relaxations only make zones smaller: after this
    // many in a row the command gives up.
    constexpr int MaxFalliteDiFila = 10;
    int tentativi = 0, falliteDiFila = 0;
    std::string errore;
    do {
        p.Cedi();
        if (m.TempoScaduto == 1) break;
        // Some sizes have no puzzle with one solution that the partitions reach (2 x 2 among
        // them): after this many attempts the command gives up instead of looping.
        if (tentativi >= MaxTentativiGenera) {
            errore = "Impossibile generare uno schema " + std::to_string(m.NumRighe) + " x " +
                     std::to_string(m.NumColonne) + " con una sola soluzione: nessuno in " +
                     std::to_string(MaxTentativiGenera) + " tentativi.";
            break;
        }
        m.MaxLivello = 4;
        m.NumSol = 0;
        ++tentativi;
        // The fallback never goes below the smallest largest island asked for.
        const auto riduci = [&](int16_t dim) {
            dim = std::max<int16_t>(dim, static_cast<int16_t>(std::min(MinMaggiore, 7)));
            m.DimMaxIsola = dim;
            m.MaxIsoleGrandi = 99;
            m.DimIsolaGrande = dim;
        };
        if (Trascorsi(m.TempoInizio) > m.TempoMaxGen || tentativi >= 11) riduci(3);
        if (tentativi > 20) riduci(2);
        const EsitoPartizione esito = GeneraSchema();
        if (esito == EsitoPartizione::Accettata) {
            falliteDiFila = 0;
        } else if (esito != EsitoPartizione::Scartata && ++falliteDiFila >= MaxFalliteDiFila) {
            errore = esito == EsitoPartizione::NessunaZona        ? TestoNessunaZona
                     : esito == EsitoPartizione::ZonaTroppoGrande ? TestoZonaTroppoGrande
                                                                  : TestoTroppeZone;
            break;
        }
    } while (m.NumSol != 1);
    if (m.NumSol == 1 && Minimo) Minimizza();

    p.ImpostaTesto(controlli::Label1, TestoDurata(Trascorsi(t0)) + ", " +
                                          TestoQuanti(tentativi, "tentativo", "tentativi"));
    // The generation is over: boards are laid out with their clue numbers again, starting with
    // the new puzzle.
    m.ModoTempo = 0;
    if (m.NumEle > 0) InizializzaSchema(m, Gr, p);
    Gr.ImpostaRidisegno(true);
    p.Ridisegna();
    if (!errore.empty()) p.Messaggio(errore, Pulsanti::Ok, Icona::Avviso);
}

Generatore::EsitoPartizione Generatore::GeneraSchema() {
    ++stat_.Tentativi;
    m.NumSol = 0;
    Randomizza();
    DimensionaTabelle(m);
    AzzeraTabella(m.TblSchema);
    EsitoPartizione esito;
    if (Simm == Simmetria::Nessuna) {
        PosaMuroIniziale(static_cast<int>(GeneraCasuale(m.NumRighe * m.NumColonne)));
        esito = CreaPartizione();
    } else {
        esito = CreaPartizioneSimmetrica();
    }
    if (esito == EsitoPartizione::Accettata && DimMaggiore() < MinMaggiore)
        esito = EsitoPartizione::Scartata;
    if (esito == EsitoPartizione::Accettata && Simm != Simmetria::Nessuna &&
        !AssegnaIsoleSimmetriche())
        esito = EsitoPartizione::Scartata;
    if (esito != EsitoPartizione::Accettata) {
        ++stat_.PartizioniFallite;
        return esito;
    }
    if (Simm == Simmetria::Nessuna) AssegnaIsole();
    PreparaTessere();
    InizializzaSchema(m, Gr, p);
    ++stat_.Riparazioni;
    CercaSu2Start();
    if (m.NumSol == 1) ++stat_.Riuscite;
    return esito;
}

void Generatore::PosaMuroIniziale(int k) {
    AzzeraTabella(TabGen);
    const int r = (k - 1) / m.NumColonne + 1, c = (k - 1) % m.NumColonne + 1;
    TabGen(r, c) = Muro;
}

Generatore::EsitoPartizione Generatore::CreaPartizione() {
    for (;;) {
        if (!Partiziona()) return EsitoPartizione::TroppeZone;
        Posto t;
        for (;;) {
            int16_t dim = 0, grandi = 0;
            const int16_t g = MisuraZone(dim, grandi);
            if (g == 0 || (grandi <= m.MaxIsoleGrandi && dim <= m.DimMaxIsola)) {
                if (m.NumZone == 0) return EsitoPartizione::NessunaZona;
                // A zone in which no cell could be walled stays whole; clues stop at 9.
                for (int k = 1; k <= m.NumZone; ++k)
                    if (m.Zone[k].NumCelle > MaxNum) return EsitoPartizione::ZonaTroppoGrande;
                return EsitoPartizione::Accettata;
            }
            t = ScegliMuro(g);
            if (t.Riga != 0) break;
            m.Zone[g].Esclusa = 1;
        }
        TabGen(t.Riga, t.Colonna) = Muro;
    }
}

bool Generatore::Partiziona() {
    const int R = m.NumRighe, C = m.NumColonne;
    for (int c = 1; c <= C; ++c)
        for (int r = 1; r <= R; ++r)
            if (TabGen(r, c) != Muro) TabGen(r, c) = 0;
    m.NumZone = 0;
    for (int r0 = 1; r0 <= R; ++r0)
        for (int c0 = 1; c0 <= C; ++c0) {
            if (TabGen(r0, c0) != 0) continue;
            if (m.NumZone >= MaxEle) return false;
            const int16_t z = ++m.NumZone;
            if (m.Zone.size() <= static_cast<size_t>(z)) m.Zone.resize(static_cast<size_t>(z) + 1);
            Modello::Zona& Z = m.Zone[z];
            Z.NumCelle = 1;
            Z.Esclusa = 0;
            Z.CellaRiga[1] = static_cast<uint8_t>(r0);
            Z.CellaColonna[1] = static_cast<uint8_t>(c0);
            TabGen(r0, c0) = static_cast<uint8_t>(z);
            auto aggiungi = [&](int r, int c) {
                if (r < 1 || r > R || c < 1 || c > C || TabGen(r, c) != 0) return;
                ++Z.NumCelle;
                Z.CellaRiga[Z.NumCelle] = static_cast<uint8_t>(r);
                Z.CellaColonna[Z.NumCelle] = static_cast<uint8_t>(c);
                TabGen(r, c) = static_cast<uint8_t>(z);
            };
            for (int i = 1; i <= Z.NumCelle; ++i) {
                const int r = Z.CellaRiga[i], c = Z.CellaColonna[i];
                aggiungi(r - 1, c);
                aggiungi(r + 1, c);
                aggiungi(r, c - 1);
                aggiungi(r, c + 1);
            }
        }
    return true;
}

int16_t Generatore::MisuraZone(int16_t& dimMaggiore, int16_t& zoneGrandi) const {
    int16_t g = 0;
    dimMaggiore = 0;
    zoneGrandi = 0;
    for (int16_t k = 1; k <= m.NumZone; ++k) {
        const Modello::Zona& Z = m.Zone[k];
        if (Z.Esclusa != 0 || Z.NumCelle < 2) continue;
        if (Z.NumCelle > dimMaggiore) {
            dimMaggiore = Z.NumCelle;
            g = k;
        }
        if (Z.NumCelle >= m.DimIsolaGrande) ++zoneGrandi;
    }
    return g;
}

bool Generatore::VerificaTreUno(int16_t r, int16_t c, const Griglia8& tab) const {
    auto dentro = [&](int rr, int cc) {
        return rr >= 1 && rr <= m.NumRighe && cc >= 1 && cc <= m.NumColonne;
    };
    auto muro = [&](int rr, int cc) { return dentro(rr, cc) && tab(rr, cc) == Muro; };
    if (!muro(r - 1, c) && !muro(r + 1, c) && !muro(r, c - 1) && !muro(r, c + 1)) return false;
    constexpr int diagonali[4][2] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
    for (const auto& d : diagonali) {
        const int rr = r + d[0], cc = c + d[1];
        if (!dentro(rr, cc)) continue;
        if (muro(rr, cc) && muro(rr, c) && muro(r, cc)) return false;
    }
    return true;
}

Generatore::Posto Generatore::ScegliMuro(int16_t g) {
    const Modello::Zona& Z = m.Zone[g];
    const int n = Z.NumCelle;
    NumCandidati = 0;
    NumNonDividono = 0;
    for (int i = 1; i <= n && NumCandidati < MaxCandidatiMuro; ++i)
        if (VerificaTreUno(Z.CellaRiga[i], Z.CellaColonna[i], TabGen))
            Candidati[++NumCandidati] = {Z.CellaRiga[i], Z.CellaColonna[i]};
    if (NumCandidati == 0) return {};

    // The zone's cells in row order: each part of a trial split starts at the first cell of the
    // zone, in row order, that no earlier part reached.
    for (int i = 1; i <= n; ++i)
        ordinate_[i] = {Z.CellaRiga[i], Z.CellaColonna[i]};
    std::sort(ordinate_.begin() + 1, ordinate_.begin() + n + 1, [](Posto a, Posto b) {
        return a.Riga != b.Riga ? a.Riga < b.Riga : a.Colonna < b.Colonna;
    });
    const int R = m.NumRighe, C = m.NumColonne;
    const uint8_t zona = static_cast<uint8_t>(g);
    auto riempi = [&](Posto da) {
        int fine = 1;
        coda_[1] = da;
        TabGen(da.Riga, da.Colonna) = Raggiunta;
        auto aggiungi = [&](int r, int c) {
            if (r < 1 || r > R || c < 1 || c > C || TabGen(r, c) != zona) return;
            TabGen(r, c) = Raggiunta;
            coda_[++fine] = {static_cast<uint8_t>(r), static_cast<uint8_t>(c)};
        };
        for (int i = 1; i <= fine; ++i) {
            const int r = coda_[i].Riga, c = coda_[i].Colonna;
            aggiungi(r - 1, c);
            aggiungi(r + 1, c);
            aggiungi(r, c - 1);
            aggiungi(r, c + 1);
        }
        return fine;
    };

    int miglioreValore = 0;
    Posto migliore;
    for (int k = 1; k <= NumCandidati; ++k) {
        const Posto t = Candidati[k];
        for (int i = 1; i <= n; ++i) {
            uint8_t& v = TabGen(ordinate_[i].Riga, ordinate_[i].Colonna);
            if (v == Raggiunta) v = zona;
        }
        TabGen(t.Riga, t.Colonna) = Muro;
        // Only whether there is a second part and the sizes of the first two matter.
        int parti = 0, dim[2] = {0, 0};
        for (int j = 1; parti < 2; ++j) {
            while (j <= n && TabGen(ordinate_[j].Riga, ordinate_[j].Colonna) != zona)
                ++j;
            if (j > n) break;
            dim[parti++] = riempi(ordinate_[j]);
        }
        if (parti == 1) {
            NonDividono[++NumNonDividono] = t;
        } else {
            const int minore = std::min(dim[0], dim[1]);
            if (minore > miglioreValore) {
                miglioreValore = minore;
                migliore = t;
            }
        }
        TabGen(t.Riga, t.Colonna) = zona;
    }
    if (NumNonDividono == 0) return migliore;
    return NonDividono[static_cast<int>(GeneraCasuale(NumNonDividono))];
}

void Generatore::AssegnaIsole() {
    m.NumEle = m.NumZone;
    for (int k = 1; k <= m.NumEle; ++k) {
        const Modello::Zona& Z = m.Zone[k];
        const int j = static_cast<int>(GeneraCasuale(Z.NumCelle));
        Isola e;
        e.Num = static_cast<uint8_t>(Z.NumCelle);
        e.Riga = Z.CellaRiga[j];
        e.Colonna = Z.CellaColonna[j];
        m.Ele[k] = e;
    }
}

// The shapes of every island size present, built once for the life of the model.
void Generatore::PreparaTessere() {
    int piuGrande = 0;
    for (int k = 1; k <= m.NumEle; ++k)
        piuGrande = std::max<int>(piuGrande, m.Ele[k].Num);
    const int fino7 = std::min(piuGrande, 7);
    if (fino7 >= 2 && m.IndTessere[fino7].Prima == 0) GeneraTessere(m, fino7);
    if (piuGrande >= 8 && m.IndTessere[piuGrande].Prima == 0) VerificaTutteTessere(m, p);
}

// ---- Developer commands -----------------------------------------------------------------------

void Generatore::CommandRipetiSoloUn_Click() {
    m.RidisegnaSchema = Vero;
    m.TempoInizioRicerca = p.Orologio();
    CercaSoluzioneUnicaStart();
}

void Generatore::CommandInsVer_Click() {
    for (int r = 1; r <= m.NumRighe && r < Gr.Righe(); ++r)
        for (int c = 1; c <= m.NumColonne && c < Gr.Colonne(); ++c) {
            const uint8_t v = m.TblVisitate(r, c);
            if (v == 0) continue;
            Gr.Seleziona(r, c);
            Gr.ImpostaTesto(std::to_string(v));
            Gr.ImpostaStato(StatoCella::Visitata);
        }
}

void Generatore::CommandMaxProf_Click() {
    ImpostaMaxProf(p.InputBox("maxprof", ""));
}

bool Generatore::ImpostaMaxProf(std::string_view risposta) {
    long long valore = 0;
    NumeroIniziale(risposta, valore);
    // The repair stores solutions at levels up to MaxLivello + 1, and EleSol has 9.
    if (valore < 0 || valore > MaxLivelli - 1) {
        p.Messaggio(TestoMaxProf, Pulsanti::Ok, Icona::Errore);
        return false;
    }
    m.MaxLivello = static_cast<int16_t>(valore);
    return true;
}

} // namespace isolmar
