#include "generator/Livello.h"

#include "explain/Spiegazione.h"
#include "generator/Generatore.h"
#include "model/Impostazione.h"
#include "solver/Tessere.h"
#include "view/PiattaformaHeadless.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace isolmar {

namespace {

using Orologio = std::chrono::steady_clock;

// One job's model with the generator and the explanation, set up as the main window sets them
// at start.
struct Officina {
    PiattaformaHeadless p;
    std::unique_ptr<Modello> dati = NuovoModello();
    Modello& m = *dati;
    Griglia Gr, gr2;
    Risolutore Ris{m, Gr, p};
    Generatore Gen{m, Gr, p, Ris};
    Spiegazione Spieg{m, Ris, p};
    std::function<bool()> finito; // the run is over, or its time is

    Officina(const std::atomic<bool>& basta, Orologio::time_point scadenza, bool conLimite) {
        m.MaxLivello = 4;
        m.TempoMaxGen = 50;
        m.SecSolunica = 5;
        m.SecSu2 = 30;
        GeneraTessere(m, 7);
        m.Attivata = Vero;
        // Every 50th yield looks at the clock and at the end of the run, as Esc would.
        finito = [&basta, scadenza, conLimite] {
            return basta || (conLimite && Orologio::now() >= scadenza);
        };
    }

    enum class Esito { Tenuto, Scartato, Interrotto, Fallito };
    struct Prova {
        Esito E = Esito::Scartato;
        SchemaLivello S;
        std::string Errore;
    };

    Prova Candidato(const RichiestaLivello& r, long i, long k) {
        Prova x;
        m.NumRighe = static_cast<uint8_t>(r.Righe);
        m.NumColonne = static_cast<uint8_t>(r.Colonne);
        m.DimMaxIsola = m.DimIsolaGrande = static_cast<int16_t>(r.IsolaMax);
        m.MaxIsoleGrandi = 6;
        Gen.Simm = r.Simm;
        Gen.MinMaggiore = r.MinMaggiore;
        Gen.Minimo = false; // the minimal pass below keeps the level
        Gen.ImpostaSeme(SemeCandidato(SemeCandidato(r.Seme, i), k));
        p.Messaggi.clear();
        p.Sorveglia(finito, m.TempoScaduto);
        Gen.Genera();
        if (m.NumSol != 1) {
            p.DopoCessioni(-1, nullptr);
            x.E = m.TempoScaduto == 1 ? Esito::Interrotto : Esito::Fallito;
            x.Errore = p.Messaggi.empty() ? "Generazione non riuscita" : p.Messaggi.back();
            return x;
        }
        auto soluzione = [&] {
            x.S.S = SchemaDa(m);
            x.S.Soluzione = CelleSoluzione(m);
        };
        soluzione();
        const bool valutata = Valuta(r, x);
        if (valutata && x.E == Esito::Tenuto && r.Minimo) {
            Gen.Minimizza([&] {
                Prova y;
                return Valuta(r, y) && y.E == Esito::Tenuto;
            });
            if (m.TempoScaduto == 1 || m.NumSol != 1)
                x.E = Esito::Interrotto;
            else
                soluzione();
        }
        p.DopoCessioni(-1, nullptr);
        return x;
    }

    // Rates the puzzle in the model (its solution in Tblsol) into x; false when the run was
    // stopped.
    bool Valuta(const RichiestaLivello& r, Prova& x) {
        // A fresh game, as the generated puzzle is shown and saved; the explanation starts from
        // its empty board.
        InizializzaTblGioco(m, gr2);
        Ris.SalvaEleInsvele();
        RelatoreMuto muto;
        // A candidate that needs a deeper hypothesis than the level asked is not of that level:
        // its run stops there (whatever it would decide later, its level would be deeper).
        Spieg.LivelloMassimo = r.Livello;
        const bool eseguita = Spieg.EseguiLog(muto, false);
        if (Spieg.Interrotta) {
            x.E = Esito::Interrotto;
            return false;
        }
        x.S.Livello = Spieg.LivelloLog;
        const bool completa = eseguita && Spieg.CelleDecise() == r.Righe * r.Colonne;
        x.E = completa && Spieg.LivelloLog == r.Livello ? Esito::Tenuto : Esito::Scartato;
        return true;
    }
};

} // namespace

EsitoLivello GeneraALivello(const RichiestaLivello& r,
                            const std::function<void(const SchemaLivello&)>& suSchema) {
    EsitoLivello e;
    std::atomic<bool> basta{false};
    const auto scadenza = Orologio::now() + std::chrono::seconds(r.Limite);
    std::mutex guardia;
    std::condition_variable pronto;
    // Candidates of the puzzle being sought, done but not yet taken in order; the jobs hand them
    // out in order, and a puzzle found sends them all to the next one.
    std::map<long, Officina::Prova> esiti;
    long indice = r.PrimoIndice; // the puzzle being sought
    long prossimo = 1;           // its next candidate to hand out

    auto lavoro = [&] {
        Officina o(basta, scadenza, r.Limite > 0);
        for (;;) {
            long i, k;
            {
                std::lock_guard<std::mutex> g(guardia);
                if (basta) return;
                i = indice;
                k = prossimo++;
            }
            Officina::Prova x = o.Candidato(r, i, k);
            std::lock_guard<std::mutex> g(guardia);
            if (i != indice) continue; // its puzzle was found meanwhile
            esiti.emplace(k, std::move(x));
            pronto.notify_all();
        }
    };
    std::vector<std::thread> fili;
    for (int j = 0; j < std::max(1, r.Lavori); ++j)
        fili.emplace_back(lavoro);

    long fatti = 0; // candidates of the puzzle sought, taken in order
    while (e.Tenuti < r.Quanti) {
        Officina::Prova x;
        {
            std::unique_lock<std::mutex> g(guardia);
            const auto arrivato = [&] { return esiti.count(fatti + 1) > 0; };
            bool fermata = false;
            if (r.Attesa) {
                while (!pronto.wait_for(g, std::chrono::milliseconds(20), arrivato)) {
                    g.unlock();
                    fermata = r.Attesa();
                    g.lock();
                    if (fermata) break;
                }
            } else {
                pronto.wait(g, arrivato);
            }
            if (fermata) {
                e.Interrotta = true;
                break;
            }
            auto it = esiti.find(fatti + 1);
            x = std::move(it->second);
            esiti.erase(it);
        }
        ++fatti;
        ++e.Candidati;
        if (x.E == Officina::Esito::Interrotto) {
            e.Interrotta = true;
            break;
        }
        if (x.E == Officina::Esito::Fallito) {
            e.Errore = x.Errore;
            break;
        }
        if (x.E == Officina::Esito::Tenuto) {
            {
                std::lock_guard<std::mutex> g(guardia);
                x.S.Indice = indice++;
                prossimo = 1;
                esiti.clear();
            }
            x.S.Candidati = fatti;
            fatti = 0;
            ++e.Tenuti;
            suSchema(x.S);
        } else if (fatti >= MaxCandidatiPerSchema) {
            e.Errore = "Livello " + std::to_string(r.Livello) + " non raggiunto in " +
                       std::to_string(MaxCandidatiPerSchema) + " candidati di fila";
            break;
        }
    }
    {
        std::lock_guard<std::mutex> g(guardia);
        basta = true;
    }
    for (auto& f : fili)
        f.join();
    return e;
}

} // namespace isolmar
