// isolmar-cli check: the author's check of each puzzle, its clues alone.
#include "generator/Verifica.h"
#include "cli/Comune.h"

#include <chrono>
#include <iostream>

namespace isolmar::cli {

namespace {

constexpr const char* UsoCheck =
    "Uso: isolmar-cli check [--minimal] [--suggest] [--max-seconds S] [--json] FILE...\n"
    "Controlla i numeri di ogni schema come li ha messi l'autore: quante soluzioni ha (0, 1 o\n"
    "\"2 o piu'\"), le caselle in cui due soluzioni differiscono (r3c4 ...), il livello quando\n"
    "la soluzione e' una sola e la valutazione completa decide ogni casella. La soluzione e la\n"
    "posizione salvate nel file non si usano. Con --minimal elenca anche i numeri che si\n"
    "possono togliere lasciando una sola soluzione; con --suggest, se le soluzioni sono piu'\n"
    "di una, propone un numero da spostare dentro la sua isola di una soluzione, quello che ne\n"
    "lascia di meno. Con --max-seconds S (da 1 a 86400) il controllo di ogni schema si ferma\n"
    "dopo S secondi. --json stampa un oggetto JSON per file, con \"solutions\" (0, 1, o 2 per\n"
    "\"due o piu'\"). Uscita: 0 ogni schema con una sola soluzione, 1 uno schema senza\n"
    "soluzioni, con piu' soluzioni o interrotto, 2 un file illeggibile o non valido. FILE e'\n"
    "un file XML, di testo o pzprv3, oppure un link puzz.link.\n";

struct OpzioniCheck {
    bool Minimale = false, Proposta = false, Json = false;
    std::string Secondi;
    std::vector<std::string> File;
};

std::string Casella(const Cella& c) {
    return "r" + std::to_string(c.Riga) + "c" + std::to_string(c.Colonna);
}

// Checks one file; prints it; returns its exit status.
int ControllaFile(const std::string& percorso, const OpzioniCheck& o, int limite) {
    SchemaLetto letto;
    if (!LeggiSenzaFinestra(percorso, letto)) return 2;
    const Schema& s = letto.S;
    using Orologio = std::chrono::steady_clock;
    const auto t0 = Orologio::now();
    auto trascorsi = [&] { return std::chrono::duration<double>(Orologio::now() - t0).count(); };
    Verificatore v([&] { return limite > 0 && trascorsi() >= limite; });
    const EsitoVerifica e = v.Verifica(s, {true, o.Minimale});
    std::optional<Proposta> proposta;
    if (o.Proposta && e.Stato == StatoVerifica::Multiple) proposta = v.Suggerisci(s);
    const double secondi = trascorsi();
    if (e.Stato == StatoVerifica::NonValido || e.Stato == StatoVerifica::Oltre) {
        std::cerr << percorso << ": " << e.Motivo << "\n";
        return 2;
    }
    const bool interrotta = e.Stato == StatoVerifica::Interrotta ||
                            (o.Proposta && !proposta && limite > 0 && secondi >= limite);
    // -1: not known, the check was stopped before the count ended.
    const int soluzioni = e.Stato == StatoVerifica::Interrotta ? -1
                          : e.Stato == StatoVerifica::Nessuna  ? 0
                          : e.Stato == StatoVerifica::Unica    ? 1
                                                               : 2;
    if (interrotta)
        std::cerr << percorso << ": controllo interrotto: limite di tempo raggiunto (" << limite
                  << " s)\n";
    if (o.Json) {
        Json j = {{"file", percorso},
                  {"rows", s.Righe},
                  {"columns", s.Colonne},
                  {"solutions", soluzioni < 0 ? Json(nullptr) : Json(soluzioni)}};
        Json diverse = Json::array();
        for (const Cella& c : e.Diverse)
            diverse.push_back({c.Riga, c.Colonna});
        j["differing"] = diverse;
        j["level"] = e.Livello >= 0 ? Json(e.Livello) : Json(nullptr);
        if (o.Minimale) {
            Json via = Json::array();
            for (int k : e.Rimovibili) {
                const Indizio& i = s.Isole[static_cast<size_t>(k)];
                via.push_back({i.Riga, i.Colonna, i.Num});
            }
            j["removable"] = via;
        }
        if (o.Proposta) {
            const Proposta& q = proposta.value_or(Proposta{});
            j["suggestion"] =
                proposta ? Json{{"row", q.Nuovo.Riga},
                                {"column", q.Nuovo.Colonna},
                                {"number", q.Nuovo.Num},
                                {"replaces",
                                 q.Sostituisce >= 0
                                     ? Json{s.Isole[static_cast<size_t>(q.Sostituisce)].Riga,
                                            s.Isole[static_cast<size_t>(q.Sostituisce)].Colonna}
                                     : Json(nullptr)}}
                         : Json(nullptr);
        }
        j["seconds"] = secondi;
        j["interrupted"] = interrotta;
        StampaJson(j);
    } else {
        std::cout << percorso << "\nsoluzioni: "
                  << (soluzioni < 0    ? "non note"
                      : soluzioni == 2 ? "2 o piu'"
                                       : std::to_string(soluzioni))
                  << "\n";
        if (e.Stato == StatoVerifica::Nessuna && !e.Motivo.empty())
            std::cout << "motivo: " << e.Motivo << "\n";
        if (!e.Diverse.empty()) {
            std::cout << "diverse:";
            for (const Cella& c : e.Diverse)
                std::cout << " " << Casella(c);
            std::cout << "\n";
        }
        if (e.Stato == StatoVerifica::Unica)
            std::cout << "livello: " << (e.Livello >= 0 ? std::to_string(e.Livello) : "nessuno")
                      << "\n";
        if (o.Minimale && e.Stato == StatoVerifica::Unica) {
            std::cout << "rimovibili:";
            for (int k : e.Rimovibili) {
                const Indizio& i = s.Isole[static_cast<size_t>(k)];
                std::cout << " " << i.Num << "@" << Casella({i.Riga, i.Colonna});
            }
            std::cout << (e.Rimovibili.empty() ? " nessuno\n" : "\n");
        }
        if (o.Proposta && e.Stato == StatoVerifica::Multiple)
            std::cout << "proposta: " << (proposta ? TestoProposta(*proposta, s) : "nessuna")
                      << "\n";
        std::cout << "secondi: " << secondi << (interrotta ? "\ninterrotta" : "") << "\n\n";
    }
    return e.Stato == StatoVerifica::Unica ? 0 : 1;
}

int Controlla(const OpzioniCheck& o) {
    int limite = 0;
    if (!LeggiSecondi(o.Secondi, limite)) return 2;
    if (o.File.empty()) {
        std::cerr << UsoCheck;
        return 2;
    }
    int esito = 0;
    for (const std::string& percorso : o.File)
        esito = std::max(esito, ControllaFile(percorso, o, limite));
    return esito;
}

} // namespace

void ComandoCheck(CLI::App& cli, Azione& azione) {
    auto o = std::make_shared<OpzioniCheck>();
    CLI::App* c = NuovoComando(cli, "check", "quante soluzioni ha ogni schema", UsoCheck, azione,
                               [o] { return Controlla(*o); });
    c->add_flag("--minimal", o->Minimale, "i numeri che si possono togliere");
    c->add_flag("--suggest", o->Proposta, "un numero da spostare");
    OpzioneSecondi(c, o->Secondi);
    c->add_flag("--json", o->Json, "un oggetto JSON per file");
    c->add_option("FILE", o->File, "schemi");
}

} // namespace isolmar::cli
