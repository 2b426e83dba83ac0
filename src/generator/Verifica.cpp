#include "generator/Verifica.h"

#include "explain/Spiegazione.h"
#include "explain/Suggerimento.h"
#include "model/Impostazione.h"
#include "solver/Esito.h"
#include "solver/Tessere.h"
#include "view/PiattaformaHeadless.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <tuple>

namespace isolmar {

namespace {

using Orologio = std::chrono::steady_clock;
// How often the caller's callback is asked at most: the solver yields far more often.
constexpr auto IntervalloCessione = std::chrono::milliseconds(10);
// The inner steps the search over shapes may take (some 100 to 250 ms) before the count is
// left to the SAT engine: the shape search is the faster on most puzzles with one solution,
// but can take minutes to find the second solution of an open one, where the SAT engine
// takes a fraction of a second. A count of steps, so that the engine used does not depend on
// the machine.
constexpr uint64_t PassiPrimaDelSat = 10'000'000;

// The host of the check: a yield asks the caller's callback (at most every
// IntervalloCessione) and, once it answers true, sets TempoScaduto at every yield, so that
// whatever runs (search, set-up, explanation) stops at its next one.
class PiattaformaVerifica : public PiattaformaHeadless {
  public:
    PiattaformaVerifica(std::function<bool()> cedi, uint8_t& fermo)
        : cedi_(std::move(cedi)), fermo_(fermo) {}
    void Cedi() override {
        PiattaformaHeadless::Cedi();
        if (!Fermato && cedi_) {
            const auto ora = Orologio::now();
            if (ora - ultima_ >= IntervalloCessione) {
                ultima_ = ora;
                Fermato = cedi_();
            }
        }
        if (Passi && *Passi >= LimitePassi) Esaurito = true;
        if (Fermato || Esaurito) fermo_ = 1;
    }
    // The next yield asks the callback whatever the time.
    void Riparti() {
        Fermato = false;
        ultima_ = {};
    }
    bool Fermato = false;
    // The work allowed to the running search, in the solver's inner steps: past LimitePassi,
    // Esaurito is set and the search stops as it would on a stop.
    const uint64_t* Passi = nullptr;
    uint64_t LimitePassi = UINT64_MAX;
    bool Esaurito = false;

  private:
    std::function<bool()> cedi_;
    uint8_t& fermo_;
    Orologio::time_point ultima_{};
};

// The cells of the island holding cell (r, c) in a solution ('1' island).
std::vector<int> IsolaDi(const std::string& sol, int righe, int colonne, int r, int c) {
    std::vector<int> celle{(r - 1) * colonne + (c - 1)};
    std::vector<bool> vista(sol.size());
    vista[celle[0]] = true;
    for (size_t i = 0; i < celle.size(); ++i) {
        const int x = celle[i], rr = x / colonne, cc = x % colonne;
        const int vicine[4][2] = {{rr - 1, cc}, {rr + 1, cc}, {rr, cc - 1}, {rr, cc + 1}};
        for (const auto& [a, b] : vicine) {
            if (a < 0 || a >= righe || b < 0 || b >= colonne) continue;
            const int y = a * colonne + b;
            if (sol[y] == '1' && !vista[y]) {
                vista[y] = true;
                celle.push_back(y);
            }
        }
    }
    std::sort(celle.begin(), celle.end());
    return celle;
}

std::vector<Cella> Differenze(const std::string& a, const std::string& b, int colonne) {
    std::vector<Cella> d;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i])
            d.push_back({static_cast<int>(i) / colonne + 1, static_cast<int>(i) % colonne + 1});
    return d;
}

} // namespace

std::string TestoPosto(int r, int c) {
    return "riga " + std::to_string(r) + ", colonna " + std::to_string(c);
}

// The model with its solver and explanation, set up as the main window sets them at start.
struct Verificatore::Officina {
    std::unique_ptr<Modello> dati = NuovoModello();
    Modello& m = *dati;
    PiattaformaVerifica p;
    Griglia Gr, gr2;
    Risolutore Ris{m, Gr, p};
    Spiegazione Spieg{m, Ris, p};
    long ricerche = 0;
    // A check is running: one started from inside the callback (the window handling a key
    // while it yields) gives Interrotta and leaves the running one alone.
    bool occupato = false;
    struct Turno {
        Officina& o;
        explicit Turno(Officina& o) : o(o) {
            o.occupato = true;
            o.p.Riparti();
        }
        ~Turno() { o.occupato = false; }
    };

    explicit Officina(std::function<bool()> cedi) : p(std::move(cedi), m.TempoScaduto) {
        GeneraTessere(m, 7);
        m.Attivata = Vero;
    }

    bool Fermato() const { return p.Fermato; }

    // What one solve of a puzzle gives.
    struct Conteggio {
        EsitoRicerca E = EsitoRicerca::Interrotta;
        std::vector<std::string> Soluzioni;
        std::string Motivo; // TroppoGrande, OltreLeForme
    };

    // Puts a valid puzzle into the model, with a fresh board.
    void Carica(const Schema& s) {
        ApplicaSchema(m, s);
        VerificaTutteTessere(m, p);
        m.NumSol = 0;
        m.TempoScaduto = 0;
        m.Tblsol.Azzera();
        InizializzaSchema(m, Gr, p);
        Ris.SalvaEleInsvele();
    }

    // Solves a valid puzzle asking for up to n solutions.
    Conteggio Conta(const Schema& s, int n) {
        Conteggio x;
        p.Cedi();
        if (Fermato()) return x;
        Carica(s);
        ++ricerche;
        p.Passi = &Ris.PassiInterni;
        p.LimitePassi = Ris.PassiInterni + PassiPrimaDelSat;
        bool cercato = Ris.SoluzioneStart(static_cast<uint8_t>(n));
        p.Passi = nullptr;
        // Past its steps, or refused for the size of its tables, the search over shapes leaves
        // the count to the SAT engine.
        const bool troppoGrande = !cercato && m.OltreLaRicerca.empty();
        if ((p.Esaurito || troppoGrande) && !Fermato()) {
            p.Esaurito = false;
            Carica(s);
            Ris.Scelto = Motore::Sat;
            cercato = Ris.SoluzioneStart(static_cast<uint8_t>(n));
            Ris.Scelto = Motore::Auto;
        }
        p.Esaurito = false;
        if (Fermato()) m.TempoScaduto = 1;
        x.E = EsitoDi(cercato, m);
        if (x.E == EsitoRicerca::TroppoGrande || x.E == EsitoRicerca::OltreLeForme)
            x.Motivo = TestiRicerca.Testo(x.E, m);
        const int trovate = x.E == EsitoRicerca::Una || x.E == EsitoRicerca::Piu ? m.NumSol : 0;
        for (int k = 1; k <= std::min(trovate, MaxSol); ++k)
            x.Soluzioni.push_back(CelleSoluzione(m, k));
        Ris.RiprendiEleDasvEle();
        return x;
    }

    // A clue without a single shape that fits the board beside the other clues (the solver's
    // set-up leaves it no placement): it can be satisfied by no solution. -1 when every clue
    // has one, or the puzzle is the SAT engine's.
    int Impossibile(const Schema& s) {
        if (Ris.UsaSat() || Fermato()) return -1;
        InizializzaSchemaEle(m);
        Ris.InizializzaMossePossibili();
        int trovato = -1;
        if (!m.MossePiene && !Fermato())
            for (int i = 1; i <= m.NumEle && trovato < 0; ++i)
                if (m.Ele[i].PrimaMossa == 0)
                    for (size_t k = 0; k < s.Isole.size(); ++k)
                        if (s.Isole[k].Riga == m.Ele[i].Riga &&
                            s.Isole[k].Colonna == m.Ele[i].Colonna)
                            trovato = static_cast<int>(k);
        InizializzaSchemaEle(m);
        return trovato;
    }

    // The full rating of the puzzle just solved (one solution): its level when it decides
    // every cell, else -1. False when stopped.
    bool Valuta(const Schema& s, int& livello) {
        livello = -1;
        if (!SpiegazioneNonDisponibile(m).empty()) return true;
        InizializzaTblGioco(m, gr2);
        SoloNumeri(m);
        Ris.SalvaEleInsvele();
        Spieg.LivelloMassimo = MaxLivelloSpiegazione;
        RelatoreMuto muto;
        p.Cedi();
        if (Fermato()) return false;
        const bool eseguita = Spieg.EseguiLog(muto, false);
        if (Spieg.Interrotta || Fermato()) return false;
        if (eseguita && Spieg.CelleDecise() == s.Righe * s.Colonne) livello = Spieg.LivelloLog;
        return true;
    }
    static constexpr int MaxLivelloSpiegazione = 5;
};

Verificatore::Verificatore(std::function<bool()> cedi)
    : o_(std::make_unique<Officina>(std::move(cedi))) {}

Verificatore::~Verificatore() = default;

int Verificatore::ContaSoluzioni(const Schema& s, int massimo) {
    if (!ValidaSchema(s).empty() || o_->occupato) return -1;
    const Officina::Turno turno(*o_);
    const Officina::Conteggio x = o_->Conta(s, std::clamp(massimo, 1, MaxSol));
    return x.E == EsitoRicerca::Nessuna || x.E == EsitoRicerca::Una || x.E == EsitoRicerca::Piu
               ? static_cast<int>(x.Soluzioni.size())
               : -1;
}

long Verificatore::Ricerche() const {
    return o_->ricerche;
}

EsitoVerifica Verificatore::Verifica(const Schema& s, const OpzioniVerifica& opz) {
    EsitoVerifica e;
    if (std::string no = ValidaSchema(s); !no.empty()) {
        e.Stato = StatoVerifica::NonValido;
        e.Motivo = std::move(no);
        return e;
    }
    Officina& o = *o_;
    if (o.occupato) return e;
    const Officina::Turno turno(o);
    const Officina::Conteggio x = o.Conta(s, 2);
    switch (x.E) {
    case EsitoRicerca::Interrotta:
        return e;
    case EsitoRicerca::TroppoGrande:
    case EsitoRicerca::OltreLeForme:
        e.Stato = StatoVerifica::Oltre;
        e.Motivo = x.Motivo;
        return e;
    case EsitoRicerca::Nessuna:
        e.Impossibile = o.Impossibile(s);
        if (o.Fermato()) return e;
        e.Stato = StatoVerifica::Nessuna;
        if (e.Impossibile >= 0) {
            const Indizio& i = s.Isole[static_cast<size_t>(e.Impossibile)];
            e.Motivo = "l'indizio " + std::to_string(i.Num) + " in " +
                       TestoPosto(i.Riga, i.Colonna) + " non può essere soddisfatto";
        }
        return e;
    case EsitoRicerca::Piu:
        e.Soluzione = x.Soluzioni[0];
        e.Seconda = x.Soluzioni[1];
        e.Diverse = Differenze(e.Soluzione, e.Seconda, s.Colonne);
        e.Stato = StatoVerifica::Multiple;
        return e;
    case EsitoRicerca::Una:
        break;
    }
    e.Soluzione = x.Soluzioni[0];
    if (opz.Livello && !o.Valuta(s, e.Livello)) return EsitoVerifica{};
    if (opz.Minimale)
        for (size_t k = 0; k < s.Isole.size(); ++k) {
            Schema senza = s;
            senza.Isole.erase(senza.Isole.begin() + static_cast<std::ptrdiff_t>(k));
            if (!ValidaSchema(senza).empty()) continue; // the only clue
            const Officina::Conteggio y = o.Conta(senza, 2);
            if (y.E == EsitoRicerca::Interrotta) return EsitoVerifica{};
            if (y.E == EsitoRicerca::Una) e.Rimovibili.push_back(static_cast<int>(k));
        }
    e.Stato = StatoVerifica::Unica;
    return e;
}

std::optional<Proposta> Verificatore::Suggerisci(const Schema& s) {
    Officina& o = *o_;
    if (!ValidaSchema(s).empty() || o.occupato) return std::nullopt;
    const Officina::Turno turno(o);
    const Officina::Conteggio base = o.Conta(s, MaxContate);
    if (base.E != EsitoRicerca::Piu) return std::nullopt;
    const int R = s.Righe, C = s.Colonne;
    // A score: solutions left, then cells where the first two differ.
    using Punti = std::pair<int, int>;
    auto punti = [&](const Officina::Conteggio& x) {
        const int n = static_cast<int>(x.Soluzioni.size());
        return Punti{
            n, n >= 2 ? static_cast<int>(Differenze(x.Soluzioni[0], x.Soluzioni[1], C).size()) : 0};
    };
    // Moving clue k onto a cell of its island in solution a that is not in its island in
    // solution b keeps a a solution and rules b out. Every pair of the solutions found, the
    // first two first; both directions, island by island.
    std::vector<Proposta> candidate;
    const int n = static_cast<int>(base.Soluzioni.size());
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b)
            for (size_t k = 0; k < s.Isole.size(); ++k) {
                const Indizio& i = s.Isole[k];
                const std::vector<int> isole[2] = {
                    IsolaDi(base.Soluzioni[static_cast<size_t>(a)], R, C, i.Riga, i.Colonna),
                    IsolaDi(base.Soluzioni[static_cast<size_t>(b)], R, C, i.Riga, i.Colonna)};
                for (int d = 0; d < 2; ++d)
                    for (int x : isole[d]) {
                        const Proposta q{{i.Num, x / C + 1, x % C + 1}, static_cast<int>(k)};
                        const bool nuova = std::none_of(
                            candidate.begin(), candidate.end(), [&](const Proposta& y) {
                                return y.Sostituisce == q.Sostituisce &&
                                       y.Nuovo.Riga == q.Nuovo.Riga &&
                                       y.Nuovo.Colonna == q.Nuovo.Colonna;
                            });
                        if (nuova &&
                            !std::binary_search(isole[1 - d].begin(), isole[1 - d].end(), x))
                            candidate.push_back(q);
                    }
            }
    Punti migliori = punti(base);
    std::optional<Proposta> scelta;
    int provate = 0;
    for (const Proposta& q : candidate) {
        if (provate++ >= MaxProposte) break;
        Schema t = s;
        t.Isole[static_cast<size_t>(q.Sostituisce)] = q.Nuovo;
        const Officina::Conteggio y = o.Conta(t, MaxContate);
        if (y.E == EsitoRicerca::Interrotta) return std::nullopt;
        if (y.E != EsitoRicerca::Una && y.E != EsitoRicerca::Piu) continue;
        const Punti v = punti(y);
        if (v < migliori) {
            migliori = v;
            scelta = q;
            if (v.first == 1) break; // nothing does better than one solution
        }
    }
    return scelta;
}

std::string TestoVerifica(const EsitoVerifica& e) {
    switch (e.Stato) {
    case StatoVerifica::NonValido:
    case StatoVerifica::Oltre:
        return e.Motivo;
    case StatoVerifica::Nessuna:
        return "Nessuna soluzione" + (e.Motivo.empty() ? "" : ": " + e.Motivo);
    case StatoVerifica::Unica:
        return e.Livello >= 0 ? "Una sola soluzione — livello " + std::to_string(e.Livello)
                              : "Una sola soluzione";
    case StatoVerifica::Multiple:
        return "Almeno 2 soluzioni";
    case StatoVerifica::Interrotta:
        break;
    }
    return "Ricerca…";
}

std::string TestoProposta(const Proposta& p, const Schema& s) {
    std::string t = "Indizio " + std::to_string(p.Nuovo.Num) + " in " +
                    TestoPosto(p.Nuovo.Riga, p.Nuovo.Colonna);
    if (p.Sostituisce >= 0 && static_cast<size_t>(p.Sostituisce) < s.Isole.size()) {
        const Indizio& prima = s.Isole[static_cast<size_t>(p.Sostituisce)];
        t += " (al posto di " + TestoPosto(prima.Riga, prima.Colonna) + ")";
    }
    return t;
}

} // namespace isolmar
