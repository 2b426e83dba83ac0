// isolmar-cli hint: the hint of the window from the player's board stored in a file.
#include "cli/Comune.h"
#include "ui/Testi.h"

#include <chrono>
#include <iostream>

namespace isolmar::cli {

namespace {

constexpr const char* UsoHint =
    "Uso: isolmar-cli hint [--json] [--max-seconds S] FILE\n"
    "Il suggerimento di \"Suggerimento\" per la posizione del giocatore salvata nel file: se una\n"
    "casella e' sbagliata, le caselle sbagliate (la prima in ordine di lettura); altrimenti il\n"
    "prossimo passo della spiegazione (prima le regole dirette, poi l'ipotesi piu' piccola) con "
    "il\n"
    "suo codice, il livello, l'isola su cui poggia, le caselle che decide ('#' muro, '.' isola) e\n"
    "le righe del messaggio; oppure che lo schema e' gia' risolto. --json stampa un oggetto JSON\n"
    "con \"kind\" = \"error\", \"step\", \"solved\" (o \"none\" quando non c'e' suggerimento).\n"
    "Con --max-seconds S (da 1 a 86400) la ricerca si ferma dopo S secondi. Uscita: 0 un\n"
    "suggerimento dato (o lo schema risolto), 1 nessuno (interrotto, o la spiegazione non sa\n"
    "andare oltre), 2 un file illeggibile o non valido, 3 uno schema senza soluzioni o con piu'\n"
    "soluzioni. FILE e' un file XML, di testo o pzprv3, oppure un link puzz.link.\n";

struct OpzioniHint {
    bool Json = false;
    std::string Secondi;
    std::vector<std::string> File;
};

int Suggerisci(const OpzioniHint& o) {
    int limite = 0;
    if (!LeggiSecondi(o.Secondi, limite)) return 2;
    if (o.File.size() != 1) {
        std::cerr << UsoHint;
        return 2;
    }
    const std::string& percorso = o.File[0];
    Finestra w;
    if (!w.Apri(percorso)) return 2;
    Modello& m = w.f.m;
    if (const std::string no = SpiegazioneNonDisponibile(m); !no.empty()) {
        std::cerr << percorso << ": " << no << "\n";
        return 2;
    }
    const auto t0 = std::chrono::steady_clock::now();
    w.LimiteSecondi(limite);
    const EsitoRicerca soluzioni = w.f.ContaSoluzioni();
    Json j = {{"file", percorso}};
    int esito = 0;
    bool interrotto = false;
    std::string testo; // the text form
    auto fine = [&](const char* tipo) { j["kind"] = tipo; };
    if (soluzioni == EsitoRicerca::TroppoGrande || soluzioni == EsitoRicerca::OltreLeForme) {
        std::cerr << percorso << ": " << TestiRicerca.Testo(soluzioni, m) << "\n";
        return 2;
    }
    if (soluzioni == EsitoRicerca::Interrotta) {
        interrotto = true;
        esito = 1;
        fine("none");
        std::cerr << percorso << ": " << TestiRicerca.Testo(soluzioni, m)
                  << ": limite di tempo raggiunto (" << limite << " s)\n";
    } else if (soluzioni != EsitoRicerca::Una) {
        esito = 3;
        fine("none");
        std::cerr << percorso << ": " << TestiRicerca.Testo(soluzioni, m) << "\n";
    } else if (const auto errori = CelleSbagliate(m); !errori.empty()) {
        fine("error");
        Json celle = Json::array();
        for (const auto& [r, c] : errori)
            celle.push_back({r, c});
        j["cells"] = celle;
        testo = TestoPrimoErrore(errori) + "\n";
    } else {
        const bool aperta = !PosizioneCompleta(m);
        PassoSuggerito passo;
        const EsitoPasso e = aperta ? CercaPasso(w.f.Spieg, passo) : EsitoPasso::Nessuno;
        if (!aperta) {
            fine("solved");
            testo = std::string(TestoGiaRisolto) + "\n";
        } else if (e == EsitoPasso::TroppoGrande) {
            std::cerr << percorso << ": " << TestoTroppoGrande << "\n";
            return 2;
        } else if (e != EsitoPasso::Trovato) {
            interrotto = e == EsitoPasso::Interrotto;
            esito = 1;
            fine("none");
            std::cerr << percorso << ": "
                      << (interrotto ? TestoSuggerimentoInterrotto : TestoNessunSuggerimento)
                      << "\n";
        } else {
            const Conclusione& x = passo.C;
            fine("step");
            j["code"] = std::string(TestoCodice(x.Codice));
            j["level"] = x.Livello;
            j["island"] = x.RigaIsola ? Json{x.RigaIsola, x.ColonnaIsola} : Json(nullptr);
            Json celle = Json::array();
            testo = std::string(TestoCodice(x.Codice)) + " livello " + std::to_string(x.Livello);
            if (x.RigaIsola)
                testo +=
                    " isola " + std::to_string(x.RigaIsola) + "," + std::to_string(x.ColonnaIsola);
            testo += "\n";
            for (const CellaPasso& k : passo.Celle) {
                celle.push_back({k.Riga, k.Colonna, k.Isola ? "." : "#"});
                testo += "    " + std::to_string(k.Riga) + "," + std::to_string(k.Colonna) +
                         (k.Isola ? " isola\n" : " muro\n");
            }
            j["cells"] = celle;
            j["rows"] = passo.Righe;
            for (const std::string& riga : passo.Righe)
                testo += riga + (!riga.empty() && riga.back() == '\n' ? "" : "\n");
        }
    }
    w.LimiteSecondi(0);
    const double secondi =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (o.Json) {
        j["seconds"] = secondi;
        j["interrupted"] = interrotto;
        StampaJson(j);
    } else {
        std::cout << percorso << "\n"
                  << testo << "secondi: " << secondi << (interrotto ? "\ninterrotto" : "") << "\n";
    }
    return esito;
}

} // namespace

void ComandoHint(CLI::App& cli, Azione& azione) {
    auto o = std::make_shared<OpzioniHint>();
    CLI::App* c = NuovoComando(cli, "hint", "il prossimo passo dalla posizione del giocatore",
                               UsoHint, azione, [o] { return Suggerisci(*o); });
    OpzioneSecondi(c, o->Secondi);
    c->add_flag("--json", o->Json, "un oggetto JSON");
    c->add_option("FILE", o->File, "schema");
}

} // namespace isolmar::cli
