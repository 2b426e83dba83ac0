// isolmar-cli generate: batches of puzzles with exactly one solution, from options or from the
// rules of a file.
#include "cli/Comune.h"
#include "generator/Configurazione.h"
#include "io/Letture.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>
#include <thread>

namespace isolmar::cli {

namespace {

constexpr const char* UsoGenerate =
    "Uso: isolmar-cli generate --rows R --columns C [--count N] [--seed S] [--max-island K]\n"
    "                          [--out DIR] [--format xml|txt] [--jobs J] [--max-seconds S]\n"
    "                          [--json]\n"
    "     isolmar-cli generate --rules FILE [--seed S] [--jobs J] [--max-seconds S] [--json]\n"
    "Scrive N schemi (predefinito 1) di R x C caselle, ognuno con una sola soluzione, salvata nel\n"
    "file, in DIR (predefinita la cartella corrente) con nomi numerati. K e' l'isola piu' grande\n"
    "(da 2 a 7, predefinito 4); R e C da 2 a 50. Con --seed S la serie e' riproducibile;\n"
    "--jobs J usa J generatori in parallelo (al piu' uno per schema e 4 per core: i file sono\n"
    "gli stessi con qualunque J). Con --max-seconds S (da 1 a 86400) ogni schema si ferma dopo\n"
    "S secondi. Con --rules legge le regole di un file nel formato di Isolmar.ini (per ogni\n"
    "<REGOLA>: SCHEMI schemi ROW x COL con isola massima ISOLAMAX in DIR, in XML se MODOFILE\n"
    "e' XML, altrimenti in testo); misure, numero, cartella e formato vengono dal file. Una riga\n"
    "(o un oggetto JSON) per schema. Uscita: 0 tutti generati, 2 valori non validi o uno schema\n"
    "non generato o non scritto, 3 uno schema fermato dal limite di tempo.\n";

// One batch: count puzzles of rows x columns, written to dir as puzzle-0001.xml, ...
struct Lotto {
    int Righe = 0, Colonne = 0, Quanti = 1, IsolaMax = 4, Lavori = 1, Limite = 0;
    std::optional<uint64_t> Seme;
    std::string Cartella = ".";
    bool Xml = true, Json = false;
};

// Jobs beyond this many per core only add models (6.6 MB each) and threads.
constexpr int LavoriPerCore = 4;

// "" when the batch's values are within their ranges, else the message naming the first one
// that is not.
std::string FuoriLimiti(const Lotto& l) {
    const struct {
        const char* opzione;
        long long valore, minimo, massimo;
    } limiti[] = {{"--rows", l.Righe, 2, MaxRighe},
                  {"--columns", l.Colonne, 2, MaxRighe},
                  {"--max-island", l.IsolaMax, 2, 7},
                  {"--count", l.Quanti, 1, 1'000'000},
                  {"--jobs", l.Lavori, 1, 1'000'000}};
    for (const auto& x : limiti)
        if (x.valore < x.minimo || x.valore > x.massimo)
            return std::string(Generatore::TestoErroreLimiti) + ": " + x.opzione + " " +
                   std::to_string(x.valore) + " (da " + std::to_string(x.minimo) + " a " +
                   std::to_string(x.massimo) + ")";
    return {};
}

int GeneraLotto(const Lotto& l) {
    if (const std::string e = FuoriLimiti(l); !e.empty()) {
        std::cerr << e << "\n" << UsoGenerate;
        return 2;
    }
    std::error_code ec;
    std::filesystem::create_directories(l.Cartella, ec);
    std::mutex uscita;
    int errori = 0, interrotti = 0;
    const auto inizio = std::chrono::steady_clock::now();
    // Each job handles the puzzles i, i + jobs, ...; a puzzle depends only on its own seed, so
    // the number of jobs changes nothing in the files.
    const int core = std::max(1u, std::thread::hardware_concurrency());
    const int lavori = std::min({l.Lavori, l.Quanti, LavoriPerCore * core});
    auto lavoro = [&](int primo) {
        Finestra w; // each thread has its own model
        for (int i = primo; i <= l.Quanti; i += lavori) {
            Modello& m = w.f.m;
            m.NumRighe = static_cast<uint8_t>(l.Righe);
            m.NumColonne = static_cast<uint8_t>(l.Colonne);
            // Every puzzle starts from the same settings: the command's relaxations do not carry
            // over, so a puzzle depends only on its own seed.
            m.DimMaxIsola = m.DimIsolaGrande = static_cast<int16_t>(l.IsolaMax);
            m.MaxIsoleGrandi = 6;
            if (l.Seme) w.f.Gen.ImpostaSeme(*l.Seme * 1000003u + static_cast<uint64_t>(i));
            w.p.Messaggi.clear();
            const auto t0 = std::chrono::steady_clock::now();
            w.Limita(l.Limite);
            const bool generato = w.f.CommandGenera_Click();
            w.Limita(0);
            const bool interrotto = !generato && m.TempoScaduto == 1;
            const double secondi =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            const int tentativi = w.f.Gen.Statistica().Tentativi; // counted per command
            char nome[32];
            std::snprintf(nome, sizeof nome, "puzzle-%04d.%s", i, l.Xml ? "xml" : "txt");
            const std::string percorso = (std::filesystem::path(l.Cartella) / nome).string();
            std::string motivo = interrotto
                                     ? "Generazione interrotta: limite di tempo raggiunto (" +
                                           std::to_string(l.Limite) + " s)"
                                 : !generato && !w.p.Messaggi.empty() ? w.p.Messaggi.back()
                                 : !generato                          ? "Generazione non riuscita"
                                                                      : "";
            if (generato &&
                !ScriviFileSicuro(percorso, l.Xml ? ScriviXml(m) : ScriviTesto(m), &motivo))
                motivo = "Impossibile scrivere il file\n" + motivo;
            std::lock_guard<std::mutex> blocco(uscita);
            if (!motivo.empty()) {
                ++(interrotto ? interrotti : errori);
                std::cerr << percorso << ": " << motivo << "\n";
                continue;
            }
            if (l.Json)
                StampaJson({{"file", percorso},
                            {"rows", l.Righe},
                            {"columns", l.Colonne},
                            {"islands", int(m.NumEle)},
                            {"attempts", tentativi},
                            {"seconds", secondi}});
            else
                std::cout << percorso << " " << l.Righe << "x" << l.Colonne << " isole "
                          << int(m.NumEle) << " tentativi " << tentativi << " secondi " << secondi
                          << "\n";
            std::cout.flush();
        }
    };
    std::vector<std::thread> fili;
    for (int j = 1; j <= lavori; ++j)
        fili.emplace_back(lavoro, j);
    for (auto& f : fili)
        f.join();
    const double totale =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    std::cerr << l.Quanti - errori - interrotti << " schemi in " << totale << " secondi\n";
    return errori ? 2 : interrotti ? 3 : 0;
}

// Every batch of a rules file.
int GeneraRegole(const std::string& regole, const Lotto& l) {
    std::string testo, motivo;
    if (!LeggiFile(regole, testo, &motivo)) {
        std::cerr << regole << ": " << TestoFileErrato << "\n" << motivo << "\n";
        return 2;
    }
    const std::string nome = std::filesystem::path(regole).filename().string();
    auto m = NuovoModello();
    const std::string errore = InizializzaAuto(testo, *m, nome);
    if (!errore.empty()) {
        std::cerr << regole << ": " << errore << "\n";
        return 2;
    }
    if (m->NumRegole == 0) {
        std::cerr << regole << ": " << (testo.empty() ? "il file è vuoto" : "nessuna regola")
                  << ": ogni regola comincia con una riga \"<REGOLA>\"\n";
        return 2;
    }
    int esito = 0;
    for (int r = 1; r <= m->NumRegole; ++r) {
        const Modello::Regola& g = m->Regole[static_cast<size_t>(r)];
        Lotto x = l;
        x.Righe = g.Row;
        x.Colonne = g.Col;
        x.Quanti = g.Schemi;
        x.IsolaMax = g.IsolaMax;
        x.Cartella = g.Dir.empty() ? "." : g.Dir;
        std::string modo = g.ModoFile;
        std::transform(modo.begin(), modo.end(), modo.begin(), ::toupper);
        x.Xml = modo == "XML";
        if (const std::string e = FuoriLimiti(x); !e.empty()) {
            std::cerr << regole << ", regola " << r << ": " << e << "\n";
            esito = 2;
            continue;
        }
        esito = std::max(esito, GeneraLotto(x));
    }
    return esito;
}

struct OpzioniGenerate {
    std::string Righe, Colonne, Quanti, IsolaMax, Lavori, Seme, Secondi, Formato, Regole;
    std::optional<std::string> Cartella;
    bool Json = false;
    CLI::App* Comando = nullptr;
};

int Genera(const OpzioniGenerate& o) {
    Lotto l;
    l.Json = o.Json;
    if (!LeggiSecondi(o.Secondi, l.Limite)) return 2;
    // Each given numeric option, in the order of the command line.
    for (const CLI::Option* opzione : o.Comando->parse_order()) {
        const std::string nome = opzione->get_name();
        const struct {
            const char* nome;
            const std::string& testo;
            int& valore;
        } numeri[] = {{"--rows", o.Righe, l.Righe},
                      {"--columns", o.Colonne, l.Colonne},
                      {"--count", o.Quanti, l.Quanti},
                      {"--max-island", o.IsolaMax, l.IsolaMax},
                      {"--jobs", o.Lavori, l.Lavori}};
        for (const auto& x : numeri) {
            long long n = 0;
            if (nome != x.nome) continue;
            if (!Intero(x.testo, n) || n > 1'000'000) {
                std::cerr << "Opzione o valore non valido: " << nome << " " << x.testo << "\n"
                          << UsoGenerate;
                return 2;
            }
            x.valore = static_cast<int>(n);
        }
    }
    if (!o.Seme.empty()) {
        long long n = 0;
        if (!Intero(o.Seme, n)) {
            std::cerr << "Opzione o valore non valido: --seed " << o.Seme << "\n" << UsoGenerate;
            return 2;
        }
        l.Seme = static_cast<uint64_t>(n);
    }
    if (!o.Formato.empty() && o.Formato != "xml" && o.Formato != "txt") {
        std::cerr << "Opzione o valore non valido: --format " << o.Formato << "\n" << UsoGenerate;
        return 2;
    }
    l.Xml = o.Formato != "txt";
    if (o.Cartella) l.Cartella = *o.Cartella;
    if (o.Regole.empty()) return GeneraLotto(l);
    // A rules file gives its own sizes, counts, folders and formats.
    for (const CLI::Option* opzione : o.Comando->parse_order()) {
        const std::string nome = opzione->get_name();
        if (nome == "--rows" || nome == "--columns" || nome == "--count" ||
            nome == "--max-island" || nome == "--out" || nome == "--format") {
            std::cerr << nome << " non va con --rules: le misure, il numero, la cartella e "
                      << "il formato sono quelli delle regole del file\n";
            return 2;
        }
    }
    return GeneraRegole(o.Regole, l);
}

} // namespace

void ComandoGenerate(CLI::App& cli, Azione& azione) {
    auto o = std::make_shared<OpzioniGenerate>();
    CLI::App* c = NuovoComando(cli, "generate", "genera schemi con una sola soluzione", UsoGenerate,
                               azione, [o] { return Genera(*o); });
    o->Comando = c;
    c->add_option("--rows", o->Righe, "righe");
    c->add_option("--columns", o->Colonne, "colonne");
    c->add_option("--count", o->Quanti, "numero di schemi");
    c->add_option("--max-island", o->IsolaMax, "isola piu' grande");
    c->add_option("--jobs", o->Lavori, "generatori in parallelo");
    c->add_option("--seed", o->Seme, "seme");
    c->add_option("--out", o->Cartella, "cartella");
    c->add_option("--format", o->Formato, "xml o txt");
    c->add_option("--rules", o->Regole, "file di regole");
    OpzioneSecondi(c, o->Secondi);
    c->add_flag("--json", o->Json, "un oggetto JSON per schema");
}

} // namespace isolmar::cli
