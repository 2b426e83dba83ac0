// isolmar-cli solve: the first solutions of each puzzle.
#include "cli/Comune.h"
#include "io/Letture.h"
#include "sat/MotoreSat.h"
#include "ui/Testi.h"

#include <chrono>
#include <iostream>

namespace isolmar::cli {

namespace {

constexpr const char* UsoSolve =
    "Uso: isolmar-cli solve [--count N] [--max-seconds S] [--engine M] [--json] FILE...\n"
    "Cerca fino a N soluzioni (da 1 a 10, predefinito 1) di ogni schema e stampa la prima:\n"
    "'#' muro, '.' isola, la cifra sulle caselle con un numero; poi le soluzioni trovate e i\n"
    "secondi. Con --max-seconds S la ricerca di ogni schema si ferma dopo S secondi (da 1 a\n"
    "86400). --engine sceglie il risolutore: shapes (forme delle isole), sat (formula\n"
    "booleana) o auto (predefinito: sat per gli schemi oltre 50 x 50, 254 isole o numeri oltre\n"
    "9). --json stampa un oggetto JSON per file. Uscita: 0 tutti risolti, 1 uno senza\n"
    "soluzione, 2 un file illeggibile o non valido, 3 una ricerca interrotta (e nessun file\n"
    "illeggibile). FILE e' un file XML, di testo o pzprv3, oppure un link puzz.link.\n";

struct OpzioniSolve {
    std::string Conta = "1", Secondi, Motore = "auto";
    bool Json = false;
    std::vector<std::string> File;
};

int Risolvi(const OpzioniSolve& o) {
    long long conta = 0;
    if (!Intero(o.Conta, conta) || conta < 1 || conta > MaxSol) {
        std::cerr << "--count vuole un numero da 1 a " << MaxSol << "\n";
        return 2;
    }
    int limite = 0; // seconds per search; 0 = none
    if (!LeggiSecondi(o.Secondi, limite)) return 2;
    Motore motore = Motore::Auto;
    if (o.Motore == "shapes")
        motore = Motore::Forme;
    else if (o.Motore == "sat")
        motore = Motore::Sat;
    else if (o.Motore != "auto") {
        std::cerr << "--engine vuole shapes, sat o auto\n";
        return 2;
    }
    if (o.File.empty()) {
        std::cerr << UsoSolve;
        return 2;
    }
    Finestra w;
    int esito = 0;
    for (const std::string& percorso : o.File) {
        Modello& m = w.f.m;
        if (!w.Apri(percorso)) {
            esito = 2;
            continue;
        }
        const Schema s = SchemaDa(m);
        w.f.Ris.Scelto = motore;
        const bool sat = w.f.Ris.UsaSat();
        m.NumProve = 0;
        const auto t0 = std::chrono::steady_clock::now();
        w.LimiteSecondi(limite);
        const EsitoRicerca e = EsitoDi(w.f.Ris.SoluzioneStart(static_cast<uint8_t>(conta)), m);
        const int numSol = m.NumSol;
        std::vector<std::string> tavola;
        if (numSol > 0) tavola = Tavola(m, 1);
        w.LimiteSecondi(0);
        const double secondi =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (e == EsitoRicerca::TroppoGrande || e == EsitoRicerca::OltreLeForme) {
            std::cerr << percorso << ": " << TestiRicerca.Testo(e, m) << "\n";
            esito = 2;
            continue;
        }
        const bool interrotta = e == EsitoRicerca::Interrotta;
        if (interrotta) {
            std::cerr << percorso << ": " << TestiRicerca.Testo(e, m)
                      << ": limite di tempo raggiunto (" << limite << " s)\n";
            if (esito != 2) esito = 3;
        } else if (numSol == 0 && esito == 0) {
            esito = 1;
        }
        if (o.Json) {
            Json j{{"file", percorso},       {"rows", s.Righe},          {"columns", s.Colonne},
                   {"solutions", numSol},    {"grid", tavola},           {"seconds", secondi},
                   {"attempts", m.NumProve}, {"interrupted", interrotta}};
            if (sat) {
                j["conflicts"] = w.f.Ris.UltimoSat.Conflitti;
                j["cuts"] = w.f.Ris.UltimoSat.Tagli;
            }
            StampaJson(j);
        } else {
            std::cout << percorso << "\n";
            for (const std::string& riga : tavola)
                std::cout << riga << "\n";
            std::cout << "soluzioni: " << numSol << "\nsecondi: " << secondi << "\n\n";
        }
    }
    return esito;
}

} // namespace

void ComandoSolve(CLI::App& cli, Azione& azione) {
    auto o = std::make_shared<OpzioniSolve>();
    CLI::App* c = NuovoComando(cli, "solve", "risolve ogni schema", UsoSolve, azione,
                               [o] { return Risolvi(*o); });
    c->add_option("--count", o->Conta, "soluzioni cercate");
    OpzioneSecondi(c, o->Secondi);
    c->add_option("--engine", o->Motore, "risolutore: shapes, sat o auto");
    c->add_flag("--json", o->Json, "un oggetto JSON per file");
    c->add_option("FILE", o->File, "schemi");
}

} // namespace isolmar::cli
