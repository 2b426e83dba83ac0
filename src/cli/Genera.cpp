// isolmar-cli generate: batches of puzzles with exactly one solution, from options or from the
// rules of a file.
#include "cli/Comune.h"
#include "generator/Configurazione.h"
#include "generator/Livello.h"
#include "io/Letture.h"
#ifdef ISOLMAR_IMMAGINI
#include "Immagini.h"
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>
#include <random>
#include <thread>
#include <unistd.h>

namespace isolmar::cli {

namespace {

constexpr const char* UsoGenerate =
    "Uso: isolmar-cli generate --rows R --columns C [--count N] [--seed S] [--max-island K]\n"
    "                          [--out DIR] [--format xml|txt] [--jobs J] [--max-seconds S]\n"
    "                          [--json] [--level L] [--booklet OUT.pdf] [--first-index K]\n"
    "                          [--symmetry rot2|mirror] [--min-largest K] [--minimal]\n"
    "     isolmar-cli generate --rules FILE [--seed S] [--jobs J] [--max-seconds S] [--json]\n"
    "Scrive N schemi (predefinito 1) di R x C caselle, ognuno con una sola soluzione, salvata nel\n"
    "file, in DIR (predefinita la cartella corrente) con nomi numerati. K e' l'isola piu' grande\n"
    "(da 2 a 7, predefinito 4); R e C da 2 a 50. Con --seed S la serie e' riproducibile;\n"
    "--jobs J usa J generatori in parallelo (al piu' uno per schema e 4 per core: i file sono\n"
    "gli stessi con qualunque J). Con --first-index K (da 1, predefinito 1) il primo schema e'\n"
    "il numero K della serie, nel nome del file e nel seme: una serie divisa fra piu' comandi\n"
    "(o macchine) con lo stesso seme da' gli stessi file di un comando solo. Con --max-seconds S\n"
    "(da 1 a 86400) ogni schema si ferma dopo S secondi. Con --rules legge le regole di un file\n"
    "nel formato di Isolmar.ini (per ogni <REGOLA>: SCHEMI schemi ROW x COL con isola massima\n"
    "ISOLAMAX in DIR, in XML se MODOFILE e' XML, altrimenti in testo); misure, numero, cartella\n"
    "e formato vengono dal file. Una riga (o un oggetto JSON) per schema. Uscita: 0 tutti\n"
    "generati, 2 valori non validi o uno schema non generato o non scritto, 3 uno schema fermato\n"
    "dal limite di tempo.\n"
    "Con --level L (da 0 a 5) tiene solo gli schemi il cui livello completo (rate --full) e'\n"
    "esattamente L: ogni schema della serie ha i suoi candidati, e dice quanti ne ha generati;\n"
    "--max-seconds vale allora per tutta la serie. Con --booklet OUT.pdf scrive anche il\n"
    "libretto degli schemi generati (come booklet --solutions).\n"
    "Con --symmetry le caselle degli indizi sono simmetriche a coppie: rot2 per il mezzo giro\n"
    "attorno al centro, mirror per lo specchio sinistra-destra (C dispari; i numeri possono\n"
    "differire).\n"
    "Con --min-largest K (da 0 all'isola massima) l'indizio piu' grande di ogni schema e'\n"
    "almeno K. Con --minimal, trovato lo schema, toglie uno alla volta (in ordine casuale dal\n"
    "seme, una coppia simmetrica insieme) gli indizi senza i quali la soluzione resta una sola\n"
    "(e, con --level, il livello resta L); nel file va la nuova soluzione.\n";

// One batch: count puzzles of rows x columns, written to dir as puzzle-0001.xml, ...
struct Lotto {
    int Righe = 0, Colonne = 0, Quanti = 1, IsolaMax = 4, Lavori = 1, Limite = 0;
    int PrimoIndice = 1; // --first-index: the index (file number and seed) of the first puzzle
    std::optional<uint64_t> Seme;
    std::string Cartella = ".";
    bool Xml = true, Json = false;
    int Livello = -1;     // --level: keep only puzzles of this full rating
    std::string Libretto; // --booklet: the booklet of the puzzles generated
    Generatore::Simmetria Simm = Generatore::Simmetria::Nessuna; // --symmetry
    int MinMaggiore = 0;                                         // --min-largest
    bool Minimo = false;                                         // --minimal
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
                  {"--jobs", l.Lavori, 1, 1'000'000},
                  {"--first-index", l.PrimoIndice, 1, 1'000'000},
                  {"--min-largest", l.MinMaggiore, 0, l.IsolaMax}};
    for (const auto& x : limiti)
        if (x.valore < x.minimo || x.valore > x.massimo)
            return std::string(Generatore::TestoErroreLimiti) + ": " + x.opzione + " " +
                   std::to_string(x.valore) + " (da " + std::to_string(x.minimo) + " a " +
                   std::to_string(x.massimo) + ")";
    return {};
}

#ifdef ISOLMAR_IMMAGINI
using Carte = std::vector<SchemaCarta>;
#else
using Carte = std::vector<int>; // no booklets without Qt
#endif

// The booklet of a batch, puzzles and solutions; 0 written, 2 not.
int ScriviLibrettoLotto(const Lotto& l, const Carte& schemi) {
#ifdef ISOLMAR_IMMAGINI
    OpzioniLibretto o;
    o.Uscita = l.Libretto;
    o.Soluzioni = true;
    if (const std::string e = ScriviLibretto(o, schemi); !e.empty()) {
        std::cerr << l.Libretto << ": " << e << "\n";
        return 2;
    }
    return 0;
#else
    (void)l, (void)schemi;
    return 2;
#endif
}

// "" when the folder exists, or was made, and files can be made in it; else why not.
std::string PreparaCartella(const std::string& cartella) {
    std::error_code ec;
    std::filesystem::create_directories(cartella, ec);
    if (ec) return "Impossibile creare la cartella\n" + MotivoErrore(ec.value());
    if (::access(cartella.c_str(), W_OK | X_OK) != 0)
        return "Impossibile scrivere nella cartella\n" + MotivoErrore(errno);
    return {};
}

// --level: candidates in order until enough of them rate exactly the level asked.
int GeneraLottoLivello(const Lotto& l) {
    RichiestaLivello r;
    r.Righe = l.Righe;
    r.Colonne = l.Colonne;
    r.IsolaMax = l.IsolaMax;
    r.Livello = l.Livello;
    r.Quanti = l.Quanti;
    r.PrimoIndice = l.PrimoIndice;
    const int core = std::max(1u, std::thread::hardware_concurrency());
    r.Lavori = std::min(l.Lavori, LavoriPerCore * core);
    r.Seme = l.Seme ? *l.Seme : std::random_device{}();
    r.Limite = l.Limite;
    r.Simm = l.Simm;
    r.MinMaggiore = l.MinMaggiore;
    r.Minimo = l.Minimo;
    Finestra w; // writes the files
    Carte carte;
    int errori = 0;
    const auto inizio = std::chrono::steady_clock::now();
    auto precedente = inizio;
    const EsitoLivello e = GeneraALivello(r, [&](const SchemaLivello& x) {
        const auto ora = std::chrono::steady_clock::now();
        const double secondi = std::chrono::duration<double>(ora - precedente).count();
        precedente = ora;
        Modello& m = w.f.m;
        w.f.CaricaSchema(x.S);
        for (int rr = 1; rr <= m.NumRighe; ++rr)
            for (int c = 1; c <= m.NumColonne; ++c)
                m.Tblsol(1, rr, c) = x.Soluzione[size_t((rr - 1) * m.NumColonne + c - 1)] == '1';
        m.NumSol = 1;
        char nome[32];
        std::snprintf(nome, sizeof nome, "puzzle-%04ld.%s", x.Indice, l.Xml ? "xml" : "txt");
        const std::string percorso = (std::filesystem::path(l.Cartella) / nome).string();
        std::string motivo;
#ifdef ISOLMAR_IMMAGINI
        carte.push_back({x.S, x.Soluzione, x.Livello});
#else
        carte.push_back(0);
#endif
        if (!ScriviFileSicuro(percorso, l.Xml ? ScriviXml(m) : ScriviTesto(m), &motivo)) {
            std::cerr << percorso << ": Impossibile scrivere il file\n" << motivo << "\n";
            ++errori;
            return;
        }
        if (l.Json)
            StampaJson({{"file", percorso},
                        {"rows", l.Righe},
                        {"columns", l.Colonne},
                        {"islands", int(m.NumEle)},
                        {"level", x.Livello},
                        {"candidates", x.Candidati},
                        {"seconds", secondi}});
        else
            std::cout << percorso << " " << l.Righe << "x" << l.Colonne << " isole "
                      << int(m.NumEle) << " livello " << x.Livello << " candidati " << x.Candidati
                      << " secondi " << secondi << "\n";
        std::cout.flush();
    });
    const double totale =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    std::cerr << e.Tenuti << " schemi di livello " << l.Livello << " in " << totale << " secondi, "
              << e.Candidati << " candidati";
    if (e.Tenuti > 0) std::cerr << " (" << double(e.Candidati) / e.Tenuti << " per schema)";
    std::cerr << "\n";
    if (!e.Errore.empty()) std::cerr << e.Errore << "\n";
    if (e.Interrotta)
        std::cerr << "Livello " << l.Livello << " non raggiunto per " << l.Quanti - e.Tenuti
                  << " schemi: limite di tempo raggiunto (" << l.Limite << " s)\n";
    int esito = errori || !e.Errore.empty() ? 2 : e.Interrotta ? 3 : 0;
    if (!l.Libretto.empty() && !carte.empty())
        esito = std::max(esito, ScriviLibrettoLotto(l, carte));
    return esito;
}

int GeneraLotto(const Lotto& l) {
    if (const std::string e = FuoriLimiti(l); !e.empty()) {
        std::cerr << e << "\n" << UsoGenerate;
        return 2;
    }
#ifdef ISOLMAR_DISEGNATORE
    if (!l.Libretto.empty()) return Disegnatore("--booklet"); // the whole batch, with its booklet
#elif !defined(ISOLMAR_IMMAGINI)
    if (!l.Libretto.empty()) {
        std::cerr << "--booklet non e' disponibile: isolmar-cli e' stato compilato senza Qt\n";
        return 2;
    }
#endif
    // A folder that cannot take the files stops the batch before any puzzle is generated.
    if (const std::string e = PreparaCartella(l.Cartella); !e.empty()) {
        std::cerr << l.Cartella << ": " << e << "\n";
        return 2;
    }
    if (l.Livello >= 0) return GeneraLottoLivello(l);
    Carte carte(l.Libretto.empty() ? 0 : static_cast<size_t>(l.Quanti));
    std::mutex uscita;
    int errori = 0, interrotti = 0, scritti = 0;
    std::atomic<bool> fermo{false}; // a file could not be written: the next ones would not be
    const auto inizio = std::chrono::steady_clock::now();
    // Each job handles the puzzles i, i + jobs, ...; a puzzle depends only on its own seed, so
    // the number of jobs changes nothing in the files. Puzzle n of the batch is number
    // PrimoIndice + n - 1 of the series: its file name and its seed.
    const int core = std::max(1u, std::thread::hardware_concurrency());
    const int lavori = std::min({l.Lavori, l.Quanti, LavoriPerCore * core});
    auto lavoro = [&](int primo) {
        Finestra w; // each thread has its own model
        for (int n = primo; n <= l.Quanti && !fermo; n += lavori) {
            const int i = l.PrimoIndice + n - 1;
            Modello& m = w.f.m;
            m.NumRighe = static_cast<uint8_t>(l.Righe);
            m.NumColonne = static_cast<uint8_t>(l.Colonne);
            // Every puzzle starts from the same settings: the command's relaxations do not carry
            // over, so a puzzle depends only on its own seed.
            m.DimMaxIsola = m.DimIsolaGrande = static_cast<int16_t>(l.IsolaMax);
            m.MaxIsoleGrandi = 6;
            w.f.Gen.Simm = l.Simm;
            w.f.Gen.MinMaggiore = l.MinMaggiore;
            w.f.Gen.Minimo = l.Minimo;
            if (l.Seme) w.f.Gen.ImpostaSeme(*l.Seme * 1000003u + static_cast<uint64_t>(i));
            w.p.Messaggi.clear();
            const auto t0 = std::chrono::steady_clock::now();
            w.LimiteSecondi(l.Limite);
            const bool generato = w.f.CommandGenera_Click();
            w.LimiteSecondi(0);
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
                !ScriviFileSicuro(percorso, l.Xml ? ScriviXml(m) : ScriviTesto(m), &motivo)) {
                motivo = "Impossibile scrivere il file\n" + motivo;
                fermo = true;
            }
#ifdef ISOLMAR_IMMAGINI
            if (generato && !carte.empty()) { // each job fills its own entries
                SchemaCarta& c = carte[static_cast<size_t>(n - 1)];
                c.S = SchemaDa(m);
                c.Soluzione = CelleSoluzione(m);
            }
#endif
            std::lock_guard<std::mutex> blocco(uscita);
            if (!motivo.empty()) {
                ++(interrotto ? interrotti : errori);
                std::cerr << percorso << ": " << motivo << "\n";
                continue;
            }
            ++scritti;
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
    std::cerr << scritti << " schemi in " << totale << " secondi\n";
    if (fermo) std::cerr << "Generazione fermata: un file non si può scrivere\n";
    const int esito = errori ? 2 : interrotti ? 3 : 0;
    // The booklet only of a whole batch: a missing puzzle would shift every number after it.
    if (!carte.empty() && esito == 0) return ScriviLibrettoLotto(l, carte);
    return esito;
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
    std::string Righe, Colonne, Quanti, IsolaMax, Lavori, Seme, Secondi, Formato, Regole, Livello,
        Libretto, PrimoIndice, Simmetria, MinMaggiore;
    std::optional<std::string> Cartella;
    bool Json = false, Minimo = false;
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
                      {"--jobs", o.Lavori, l.Lavori},
                      {"--first-index", o.PrimoIndice, l.PrimoIndice},
                      {"--min-largest", o.MinMaggiore, l.MinMaggiore}};
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
    if (!o.Simmetria.empty()) {
        if (o.Simmetria == "rot2") {
            l.Simm = Generatore::Simmetria::Rot2;
        } else if (o.Simmetria == "mirror") {
            l.Simm = Generatore::Simmetria::Specchio;
        } else {
            std::cerr << "Opzione o valore non valido: --symmetry " << o.Simmetria
                      << " (rot2 o mirror)\n"
                      << UsoGenerate;
            return 2;
        }
    }
    l.Minimo = o.Minimo;
    if (l.Simm == Generatore::Simmetria::Specchio && o.Regole.empty() && l.Colonne % 2 == 0) {
        std::cerr << Generatore::TestoSpecchioPari << "\n";
        return 2;
    }
    if (!o.Livello.empty()) {
        long long n = 0;
        if (!Intero(o.Livello, n) || n > MaxLivelloRichiesto) {
            std::cerr << "Opzione o valore non valido: --level " << o.Livello << " (da 0 a "
                      << MaxLivelloRichiesto << ")\n"
                      << UsoGenerate;
            return 2;
        }
        l.Livello = static_cast<int>(n);
    }
    l.Libretto = o.Libretto;
    if (!l.Libretto.empty() && !Finisce(l.Libretto, ".pdf")) { // as booklet --out
        std::cerr << "--booklet vuole un file .pdf\n";
        return 2;
    }
    if (o.Cartella) l.Cartella = *o.Cartella;
    if (o.Regole.empty()) return GeneraLotto(l);
    if (!l.Libretto.empty()) {
        std::cerr << "--booklet non va con --rules: un libretto per ogni serie si fa con booklet\n";
        return 2;
    }
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
    c->add_option("--first-index", o->PrimoIndice, "indice del primo schema della serie");
    c->add_option("--out", o->Cartella, "cartella");
    c->add_option("--format", o->Formato, "xml o txt");
    c->add_option("--rules", o->Regole, "file di regole");
    c->add_option("--level", o->Livello, "livello di difficolta' (da 0 a 5)");
    c->add_option("--booklet", o->Libretto, "libretto PDF degli schemi generati");
    c->add_option("--symmetry", o->Simmetria, "indizi simmetrici: rot2 o mirror");
    c->add_option("--min-largest", o->MinMaggiore, "indizio piu' grande almeno K");
    c->add_flag("--minimal", o->Minimo, "toglie gli indizi che non servono");
    OpzioneSecondi(c, o->Secondi);
    c->add_flag("--json", o->Json, "un oggetto JSON per schema");
}

} // namespace isolmar::cli
