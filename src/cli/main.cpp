// isolmar-cli: the core without a window, for preparing puzzles in quantity.
//   isolmar-cli solve [--count N] [--json] FILE...
//   isolmar-cli convert IN OUT
//   isolmar-cli generate --rows R --columns C [--count N] [--seed S] [--max-island K] [--out DIR]
//                        [--format xml|txt] [--jobs J] [--json] [--level L] [--booklet OUT.pdf]
//   isolmar-cli generate --rules FILE
//   isolmar-cli rate [--full] [--max-seconds S] [--json] FILE...
//   isolmar-cli explain [--max-seconds S] [--json] FILE
//   isolmar-cli image FILE OUT.png|OUT.svg|OUT.pdf [--solution] [--cell-mm N] [--max-seconds S]
//   isolmar-cli booklet --out OUT.pdf [--per-page N] [--solutions] [--title TEXT]
//                       [--max-seconds S] FILE...
#ifdef ISOLMAR_IMMAGINI
#include "Immagini.h"
#endif
#include "explain/Spiegazione.h"
#include "generator/Configurazione.h"
#include "generator/Livello.h"
#include "io/Letture.h"
#include "ui/Form1.h"
#include "ui/Testi.h"
#include "view/PiattaformaHeadless.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace isolmar;

namespace {

constexpr const char* Uso =
    "Uso: isolmar-cli COMANDO ...\n"
    "  solve [--count N] [--max-seconds S] [--json] FILE...\n"
    "                         risolve ogni schema (XML o testo)\n"
    "  convert IN OUT         converte fra XML e testo (secondo l'estensione di OUT)\n"
    "  generate --rows R --columns C [...]\n"
    "                         genera schemi con una sola soluzione\n"
    "  rate [--full] [--max-seconds S] [--json] FILE...\n"
    "                         livello di difficolta' di ogni schema\n"
    "  explain [--max-seconds S] [--json] FILE\n"
    "                         spiegazione passo per passo\n"
    "  image FILE OUT.png|OUT.svg|OUT.pdf [--solution] [--cell-mm N]\n"
    "                         immagine dello schema o della sua soluzione\n"
    "  booklet --out OUT.pdf [--per-page N] [--solutions] [--title TESTO] FILE...\n"
    "                         libretto stampabile degli schemi\n"
    "  COMANDO --help         l'aiuto di un comando\n";
constexpr const char* UsoSolve =
    "Uso: isolmar-cli solve [--count N] [--max-seconds S] [--json] FILE...\n"
    "Cerca fino a N soluzioni (da 1 a 10, predefinito 1) di ogni schema e stampa la prima:\n"
    "'#' muro, '.' isola, la cifra sulle caselle con un numero; poi le soluzioni trovate e i\n"
    "secondi. Con --max-seconds S la ricerca di ogni schema si ferma dopo S secondi (da 1 a\n"
    "86400). --json stampa un oggetto JSON per file. Uscita: 0 tutti risolti, 1 uno senza\n"
    "soluzione, 2 un file illeggibile o non valido, 3 una ricerca interrotta (e nessun file\n"
    "illeggibile).\n";
constexpr const char* UsoConvert =
    "Uso: isolmar-cli convert IN OUT\n"
    "Legge IN (XML o testo) e scrive OUT in XML se finisce per .xml, in testo se finisce per\n"
    ".txt, ricalcolando il codice di controllo.\n";

// A window-less main window: the commands, their messages collected instead of shown.
struct Finestra {
    PiattaformaHeadless p;
    Form1 f{p};
    Finestra() {
        f.Form_Load();
        f.Form_Activate();
    }
    // Opens a file; on refusal prints the message, with its reason below, and returns false.
    bool Apri(const std::string& percorso) {
        p.Messaggi.clear();
        if (f.ApriFile(percorso)) return true;
        std::cerr << percorso << ": " << (p.Messaggi.empty() ? TestoFileErrato : p.Messaggi.back())
                  << "\n";
        return false;
    }
    // From now on, the running command stops after limite seconds (0: never), as Esc stops
    // it in the window: every 50th yield (an attempt costs microseconds to a few
    // milliseconds) looks at the clock.
    void Limita(int limite) {
        p.DopoCessioni(-1, nullptr);
        if (limite <= 0) return;
        const auto t0 = std::chrono::steady_clock::now();
        controlla_ = [this, limite, t0] {
            if (std::chrono::steady_clock::now() - t0 >= std::chrono::seconds(limite))
                f.m.TempoScaduto = 1;
            else
                p.DopoCessioni(50, controlla_);
        };
        p.DopoCessioni(50, controlla_);
    }

  private:
    std::function<void()> controlla_;
};

constexpr const char* UsoGenerate =
    "Uso: isolmar-cli generate --rows R --columns C [--count N] [--seed S] [--max-island K]\n"
    "                          [--out DIR] [--format xml|txt] [--jobs J] [--max-seconds S]\n"
    "                          [--json] [--level L] [--booklet OUT.pdf]\n"
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
    "non generato o non scritto, 3 uno schema fermato dal limite di tempo.\n"
    "Con --level L (da 0 a 5) tiene solo gli schemi il cui livello completo (rate --full) e'\n"
    "esattamente L e dice quanti candidati ha generato per ognuno; --max-seconds vale allora\n"
    "per tutta la serie. Con --booklet OUT.pdf scrive anche il libretto degli schemi generati\n"
    "(come booklet --solutions).\n";

// A command-line number: decimal digits only, at most 18 of them.
bool Intero(const std::string& v, long long& n) {
    return !v.empty() && v.size() <= 18 && v.find_first_not_of("0123456789") == std::string::npos &&
           (n = std::stoll(v), true);
}

// The --max-seconds option shared by the commands that search.
constexpr long long MaxSecondi = 86400;
bool LeggiSecondi(const std::string& v, int& limite) {
    long long n = 0;
    if (!Intero(v, n) || n < 1 || n > MaxSecondi) {
        std::cerr << "--max-seconds vuole un numero da 1 a " << MaxSecondi << "\n";
        return false;
    }
    limite = static_cast<int>(n);
    return true;
}

bool Finisce(const std::string& s, const char* fine) {
    const size_t n = std::strlen(fine);
    return s.size() >= n && s.compare(s.size() - n, n, fine) == 0;
}

std::vector<std::string> Tavola(const Modello& m, int k) {
    std::vector<std::string> righe;
    for (int r = 1; r <= m.NumRighe; ++r) {
        std::string riga;
        for (int c = 1; c <= m.NumColonne; ++c)
            riga += m.Tblsol(k, r, c) == 1 ? '.' : '#';
        righe.push_back(riga);
    }
    for (int i = 1; i <= m.NumEle; ++i)
        righe[m.Ele[i].Riga - 1][m.Ele[i].Colonna - 1] = static_cast<char>('0' + m.Ele[i].Num);
    return righe;
}

std::string Json(const std::string& s) {
    std::string r = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') r += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            r += buf;
        } else {
            r += c;
        }
    }
    return r + "\"";
}

int Risolvi(const std::vector<std::string>& argomenti) {
    int conta = 1;
    int limite = 0; // seconds per search; 0 = none
    bool json = false;
    std::vector<std::string> file;
    for (size_t k = 0; k < argomenti.size(); ++k) {
        const std::string& a = argomenti[k];
        if (a == "--help") {
            std::cout << UsoSolve;
            return 0;
        } else if (a == "--json") {
            json = true;
        } else if (a == "--count" && k + 1 < argomenti.size()) {
            long long n = 0;
            if (!Intero(argomenti[++k], n) || n < 1 || n > MaxSol) {
                std::cerr << "--count vuole un numero da 1 a " << MaxSol << "\n";
                return 2;
            }
            conta = static_cast<int>(n);
        } else if (a == "--max-seconds" && k + 1 < argomenti.size()) {
            if (!LeggiSecondi(argomenti[++k], limite)) return 2;
        } else if (a.rfind("--", 0) == 0) {
            std::cerr << "Opzione sconosciuta: " << a << "\n" << UsoSolve;
            return 2;
        } else {
            file.push_back(a);
        }
    }
    if (file.empty()) {
        std::cerr << UsoSolve;
        return 2;
    }
    Finestra w;
    int esito = 0;
    for (const std::string& percorso : file) {
        if (!w.Apri(percorso)) {
            esito = 2;
            continue;
        }
        Modello& m = w.f.m;
        m.NumProve = 0;
        const auto t0 = std::chrono::steady_clock::now();
        auto trascorsi = [&] {
            return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        };
        w.Limita(limite);
        const bool cercato = w.f.Ris.SoluzioneStart(static_cast<uint8_t>(conta));
        w.Limita(0);
        const double secondi = trascorsi();
        if (!cercato) {
            std::cerr << percorso << ": Schema troppo grande per il risolutore\n";
            esito = 2;
            continue;
        }
        const bool interrotta = m.TempoScaduto == 1;
        if (interrotta) {
            std::cerr << percorso << ": Ricerca interrotta: limite di tempo raggiunto (" << limite
                      << " s)\n";
            if (esito != 2) esito = 3;
        } else if (m.NumSol == 0 && esito == 0) {
            esito = 1;
        }
        const std::vector<std::string> tavola =
            m.NumSol > 0 ? Tavola(m, 1) : std::vector<std::string>{};
        if (json) {
            std::cout << "{\"file\":" << Json(percorso) << ",\"rows\":" << int(m.NumRighe)
                      << ",\"columns\":" << int(m.NumColonne) << ",\"solutions\":" << m.NumSol
                      << ",\"grid\":[";
            for (size_t r = 0; r < tavola.size(); ++r)
                std::cout << (r ? "," : "") << Json(tavola[r]);
            std::cout << "],\"seconds\":" << secondi << ",\"attempts\":" << m.NumProve
                      << ",\"interrupted\":" << (interrotta ? "true" : "false") << "}\n";
        } else {
            std::cout << percorso << "\n";
            for (const std::string& riga : tavola)
                std::cout << riga << "\n";
            std::cout << "soluzioni: " << m.NumSol << "\nsecondi: " << secondi << "\n\n";
        }
    }
    return esito;
}

int Converti(const std::vector<std::string>& argomenti) {
    if (!argomenti.empty() && argomenti[0] == "--help") {
        std::cout << UsoConvert;
        return 0;
    }
    if (argomenti.size() != 2 ||
        !(Finisce(argomenti[1], ".xml") || Finisce(argomenti[1], ".txt"))) {
        std::cerr << UsoConvert;
        return 2;
    }
    Finestra w;
    if (!w.Apri(argomenti[0])) return 2;
    const std::string dati = Finisce(argomenti[1], ".xml") ? ScriviXml(w.f.m) : ScriviTesto(w.f.m);
    if (!ScriviFileSicuro(argomenti[1], dati)) {
        std::cerr << argomenti[1] << ": Impossibile scrivere il file\n";
        return 2;
    }
    return 0;
}

// One batch: count puzzles of rows x columns, written to dir as puzzle-0001.xml, ...
struct Lotto {
    int Righe = 0, Colonne = 0, Quanti = 1, IsolaMax = 4, Lavori = 1, Limite = 0;
    std::optional<uint64_t> Seme;
    std::string Cartella = ".";
    bool Xml = true, Json = false;
    int Livello = -1;     // --level: keep only puzzles of this full rating
    std::string Libretto; // --booklet: the booklet of the puzzles generated
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

// --level: candidates in order until enough of them rate exactly the level asked.
int GeneraLottoLivello(const Lotto& l) {
    RichiestaLivello r;
    r.Righe = l.Righe;
    r.Colonne = l.Colonne;
    r.IsolaMax = l.IsolaMax;
    r.Livello = l.Livello;
    r.Quanti = l.Quanti;
    const int core = std::max(1u, std::thread::hardware_concurrency());
    r.Lavori = std::min(l.Lavori, LavoriPerCore * core);
    r.Seme = l.Seme ? *l.Seme : std::random_device{}();
    r.Limite = l.Limite;
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
        std::snprintf(nome, sizeof nome, "puzzle-%04d.%s", static_cast<int>(carte.size()) + 1,
                      l.Xml ? "xml" : "txt");
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
            std::cout << "{\"file\":" << Json(percorso) << ",\"rows\":" << l.Righe
                      << ",\"columns\":" << l.Colonne << ",\"islands\":" << int(m.NumEle)
                      << ",\"level\":" << x.Livello << ",\"candidates\":" << x.Candidati
                      << ",\"seconds\":" << secondi << "}\n";
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
#ifndef ISOLMAR_IMMAGINI
    if (!l.Libretto.empty()) {
        std::cerr << "--booklet non e' disponibile: isolmar-cli e' stato compilato senza Qt\n";
        return 2;
    }
#endif
    std::error_code ec;
    std::filesystem::create_directories(l.Cartella, ec);
    if (l.Livello >= 0) return GeneraLottoLivello(l);
    Carte carte(l.Libretto.empty() ? 0 : static_cast<size_t>(l.Quanti));
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
#ifdef ISOLMAR_IMMAGINI
            if (generato && !carte.empty()) { // each job fills its own entries
                SchemaCarta& c = carte[static_cast<size_t>(i - 1)];
                c.S = SchemaDa(m);
                for (int r = 1; r <= m.NumRighe; ++r)
                    for (int k = 1; k <= m.NumColonne; ++k)
                        c.Soluzione += m.Tblsol(1, r, k) == 1 ? '1' : '0';
            }
#endif
            std::lock_guard<std::mutex> blocco(uscita);
            if (!motivo.empty()) {
                ++(interrotto ? interrotti : errori);
                std::cerr << percorso << ": " << motivo << "\n";
                continue;
            }
            if (l.Json)
                std::cout << "{\"file\":" << Json(percorso) << ",\"rows\":" << l.Righe
                          << ",\"columns\":" << l.Colonne << ",\"islands\":" << int(m.NumEle)
                          << ",\"attempts\":" << tentativi << ",\"seconds\":" << secondi << "}\n";
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
    const int esito = errori ? 2 : interrotti ? 3 : 0;
    // The booklet only of a whole batch: a missing puzzle would shift every number after it.
    if (!carte.empty() && esito == 0) return ScriviLibrettoLotto(l, carte);
    return esito;
}

int Genera(const std::vector<std::string>& argomenti) {
    Lotto l;
    std::string regole;
    std::vector<std::string> misure; // options that a rules file gives for itself
    for (size_t k = 0; k < argomenti.size(); ++k) {
        const std::string& a = argomenti[k];
        if (a == "--help") {
            std::cout << UsoGenerate;
            return 0;
        }
        if (a == "--json") {
            l.Json = true;
            continue;
        }
        if (k + 1 >= argomenti.size()) {
            std::cerr << "Manca il valore di " << a << "\n" << UsoGenerate;
            return 2;
        }
        const std::string& v = argomenti[++k];
        long long n = 0;
        const bool numero = Intero(v, n) && n <= 1'000'000;
        if (a == "--rows" || a == "--columns" || a == "--count" || a == "--max-island" ||
            a == "--out" || a == "--format")
            misure.push_back(a);
        if (a == "--out")
            l.Cartella = v;
        else if (a == "--rules")
            regole = v;
        else if (a == "--booklet")
            l.Libretto = v;
        else if (a == "--level" && numero && n <= MaxLivelloRichiesto)
            l.Livello = static_cast<int>(n);
        else if (a == "--format" && (v == "xml" || v == "txt"))
            l.Xml = v == "xml";
        else if (a == "--seed" && Intero(v, n))
            l.Seme = static_cast<uint64_t>(n);
        else if (a == "--max-seconds") {
            if (!LeggiSecondi(v, l.Limite)) return 2;
        } else if (a == "--rows" && numero)
            l.Righe = static_cast<int>(n);
        else if (a == "--columns" && numero)
            l.Colonne = static_cast<int>(n);
        else if (a == "--count" && numero)
            l.Quanti = static_cast<int>(n);
        else if (a == "--max-island" && numero)
            l.IsolaMax = static_cast<int>(n);
        else if (a == "--jobs" && numero)
            l.Lavori = static_cast<int>(n);
        else {
            std::cerr << "Opzione o valore non valido: " << a << " " << v << "\n" << UsoGenerate;
            return 2;
        }
    }
    if (regole.empty()) return GeneraLotto(l);
    if (!l.Libretto.empty()) {
        std::cerr << "--booklet non va con --rules: un libretto per ogni serie si fa con booklet\n";
        return 2;
    }
    if (!misure.empty()) {
        std::cerr << misure.front() << " non va con --rules: le misure, il numero, la cartella e "
                  << "il formato sono quelli delle regole del file\n";
        return 2;
    }
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

// ---- rate and explain: the explanation engine from the player's board of each file ----------

constexpr const char* UsoRate =
    "Uso: isolmar-cli rate [--full] [--max-seconds S] [--json] FILE...\n"
    "Valuta la difficolta' di ogni schema come \"Valuta\", partendo dalla posizione del giocatore\n"
    "salvata nel file: il livello e' l'ipotesi piu' profonda (quante isole insieme, da 0 a 5) che\n"
    "la spiegazione ha dovuto usare. Senza --full si ferma dopo il livello 2 e un livello 3 vuol\n"
    "dire \"3 o superiore\"; con --full prova tutti i livelli come \"Mostra\" e da' il livello\n"
    "esatto. Stampa anche le celle decise, le conclusioni per codice e i secondi. Con\n"
    "--max-seconds S (da 1 a 86400) la spiegazione di ogni schema si ferma dopo S secondi.\n"
    "--json stampa un oggetto JSON per file. Uscita: 0 ogni cella decisa, 1 una spiegazione\n"
    "fermata con celle non decise, 2 un file illeggibile o non valido.\n";
constexpr const char* UsoExplain =
    "Uso: isolmar-cli explain [--max-seconds S] [--json] FILE\n"
    "Spiega lo schema passo per passo come \"Mostra\", partendo dalla posizione del giocatore\n"
    "salvata nel file: ogni conclusione con il suo codice, la cella, l'isola, il livello e le\n"
    "righe del messaggio; alla fine il livello e lo schema fin dove la spiegazione e' arrivata\n"
    "('#' muro, '.' isola, la cifra sulle caselle con un numero, '?' non deciso). Opzioni e "
    "uscita\n"
    "come per rate.\n";

struct OpzioniLog {
    bool Completa = false, Json = false;
    int Limite = 0; // seconds; 0 = none
    std::vector<std::string> File;
};

// -1 when the options are good, else the exit status.
int LeggiOpzioniLog(const std::vector<std::string>& argomenti, bool rate, OpzioniLog& o) {
    const char* uso = rate ? UsoRate : UsoExplain;
    for (size_t k = 0; k < argomenti.size(); ++k) {
        const std::string& a = argomenti[k];
        long long n = 0;
        if (a == "--help") {
            std::cout << uso;
            return 0;
        } else if (a == "--json") {
            o.Json = true;
        } else if (a == "--full" && rate) {
            o.Completa = true;
        } else if (a == "--max-seconds" && k + 1 < argomenti.size()) {
            if (!Intero(argomenti[++k], n) || n < 1 || n > 86400) {
                std::cerr << "--max-seconds vuole un numero da 1 a 86400\n";
                return 2;
            }
            o.Limite = static_cast<int>(n);
        } else if (a.rfind("--", 0) == 0) {
            std::cerr << "Opzione sconosciuta: " << a << "\n" << uso;
            return 2;
        } else {
            o.File.push_back(a);
        }
    }
    if (o.File.empty() || (!rate && o.File.size() != 1)) {
        std::cerr << uso;
        return 2;
    }
    return -1;
}

// The board as far as the explanation got: '#' wall, '.' island, clue digits, '?' undecided.
std::vector<std::string> TavolaLog(const Modello& m) {
    std::vector<std::string> righe;
    for (int r = 1; r <= m.NumRighe; ++r) {
        std::string riga;
        for (int c = 1; c <= m.NumColonne; ++c)
            riga += m.TblSchema(r, c) >= 2                               ? '#'
                    : m.TblSchema(r, c) == 1 || m.TblIsoleLog(r, c) != 0 ? '.'
                                                                         : '?';
        righe.push_back(riga);
    }
    for (int i = 1; i <= m.NumEle; ++i)
        righe[m.Ele[i].Riga - 1][m.Ele[i].Colonna - 1] = static_cast<char>('0' + m.Ele[i].Num);
    return righe;
}

// Explains one file; prints it; returns its exit status.
int SpiegaFile(Finestra& w, const std::string& percorso, const OpzioniLog& o, bool passi) {
    if (!w.Apri(percorso)) return 2;
    Modello& m = w.f.m;
    const auto t0 = std::chrono::steady_clock::now();
    auto trascorsi = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    };
    std::function<void()> controlla = [&] {
        if (trascorsi() >= o.Limite)
            m.TempoScaduto = 1;
        else
            w.p.DopoCessioni(50, controlla);
    };
    if (o.Limite > 0) w.p.DopoCessioni(50, controlla);
    RelatoreMuto muto;
    RelatoreRegistra registra;
    Spiegazione& s = w.f.Spieg;
    const bool soloValuta = !o.Completa && !passi;
    const bool eseguita = s.EseguiLog(passi ? static_cast<Relatore&>(registra) : muto, soloValuta);
    w.p.DopoCessioni(-1, nullptr);
    const double secondi = trascorsi();
    if (!eseguita) {
        std::cerr << percorso << ": " << TestoTroppoGrande << "\n";
        return 2;
    }
    const int decise = s.CelleDecise(), celle = m.NumRighe * m.NumColonne;
    const bool completa = decise == celle;
    if (s.Interrotta)
        std::cerr << percorso << ": Spiegazione interrotta: limite di tempo raggiunto (" << o.Limite
                  << " s)\n";
    const std::string livello =
        std::to_string(s.LivelloLog) + (soloValuta && s.LivelloLog > 2 ? " o superiore" : "");
    const std::vector<std::string> tavola = TavolaLog(m);
    auto isola = [](const Conclusione& c) {
        return c.RigaIsola
                   ? "[" + std::to_string(c.RigaIsola) + "," + std::to_string(c.ColonnaIsola) + "]"
                   : std::string("null");
    };
    if (o.Json) {
        std::cout << "{\"file\":" << Json(percorso) << ",\"rows\":" << int(m.NumRighe)
                  << ",\"columns\":" << int(m.NumColonne) << ",\"level\":" << int(s.LivelloLog)
                  << ",\"full\":" << (soloValuta ? "false" : "true")
                  << ",\"complete\":" << (completa ? "true" : "false") << ",\"decided\":" << decise
                  << ",\"conclusions\":{";
        for (size_t i = 0; i < CodiciLog.size(); ++i)
            std::cout << (i ? "," : "") << Json(std::string(CodiciLog[i])) << ":" << s.Conteggi[i];
        std::cout << "}";
        if (passi) {
            std::cout << ",\"steps\":[";
            for (size_t j = 0; j < registra.Passi.size(); ++j) {
                const auto& [c, righe] = registra.Passi[j];
                std::cout << (j ? "," : "") << "{\"code\":" << Json(std::string(c.Codice))
                          << ",\"row\":" << c.Riga << ",\"column\":" << c.Colonna
                          << ",\"island\":" << isola(c) << ",\"level\":" << c.Livello
                          << ",\"rows\":[";
                for (size_t k = 0; k < righe.size(); ++k)
                    std::cout << (k ? "," : "") << Json(righe[k]);
                std::cout << "]}";
            }
            std::cout << "],\"grid\":[";
            for (size_t r = 0; r < tavola.size(); ++r)
                std::cout << (r ? "," : "") << Json(tavola[r]);
            std::cout << "]";
        }
        std::cout << ",\"seconds\":" << secondi
                  << ",\"interrupted\":" << (s.Interrotta ? "true" : "false") << "}\n";
    } else {
        std::cout << percorso << "\n";
        for (const auto& [c, righe] : registra.Passi) {
            std::cout << c.Codice << " " << c.Riga << "," << c.Colonna;
            if (c.RigaIsola) std::cout << " isola " << c.RigaIsola << "," << c.ColonnaIsola;
            std::cout << " livello " << c.Livello << "\n";
            for (const std::string& riga : righe)
                std::cout << "    " << riga << (!riga.empty() && riga.back() == '\n' ? "" : "\n");
        }
        std::cout << "livello: " << livello << "\ncelle decise: " << decise << " di " << celle
                  << "\nconclusioni:";
        for (size_t i = 0; i < CodiciLog.size(); ++i)
            std::cout << " " << CodiciLog[i] << " " << s.Conteggi[i];
        std::cout << "\n";
        if (passi)
            for (const std::string& riga : tavola)
                std::cout << riga << "\n";
        std::cout << "secondi: " << secondi << (s.Interrotta ? "\ninterrotta" : "") << "\n\n";
    }
    return completa ? 0 : 1;
}

int Spiega(const std::vector<std::string>& argomenti, bool rate) {
    OpzioniLog o;
    if (const int esito = LeggiOpzioniLog(argomenti, rate, o); esito >= 0) return esito;
    Finestra w;
    int esito = 0;
    for (const std::string& percorso : o.File)
        esito = std::max(esito, SpiegaFile(w, percorso, o, !rate));
    return esito;
}

// ---- image and booklet: pictures for paper, drawn by the window's painter ---------------------

constexpr const char* UsoImage =
    "Uso: isolmar-cli image FILE OUT.png|OUT.svg|OUT.pdf [--solution] [--cell-mm N]\n"
    "                       [--max-seconds S]\n"
    "Disegna lo schema come lo riceve il giocatore (i numeri su caselle bianche) o, con\n"
    "--solution, la sua soluzione (muri blu). --cell-mm N: lato di una casella in millimetri\n"
    "(da 1 a 50; predefinito come sullo schermo). Uno schema senza soluzione salvata viene\n"
    "risolto (al piu' S secondi, predefinito 60) e rifiutato se non ne ha una sola. Uscita: 0\n"
    "scritto, 2 rifiutato o non scritto.\n";
constexpr const char* UsoBooklet =
    "Uso: isolmar-cli booklet --out OUT.pdf [--per-page N] [--solutions] [--title TESTO]\n"
    "                         [--max-seconds S] FILE...\n"
    "Un libretto PDF in A4: N schemi per pagina (da 1 a 12, predefinito 4), ognuno con numero e\n"
    "misure; con --solutions le soluzioni in fondo, piccole, 4 N per pagina; --title in testa\n"
    "alle pagine. Uno schema senza soluzione salvata viene risolto come per image. Uscita: 0\n"
    "scritto, 2 un file rifiutato (il libretto non viene scritto) o non scritto.\n";

#ifdef ISOLMAR_IMMAGINI
// A number of the picture commands: decimal digits, within minimo..massimo.
bool Misura(const std::string& opzione, const std::string& v, long long minimo, long long massimo,
            long long& n) {
    if (Intero(v, n) && n >= minimo && n <= massimo) return true;
    std::cerr << opzione << " vuole un numero da " << minimo << " a " << massimo << "\n";
    return false;
}
#endif

int Immagine(const std::vector<std::string>& argomenti) {
#ifdef ISOLMAR_IMMAGINI
    OpzioniImmagine o;
    std::vector<std::string> file;
    for (size_t k = 0; k < argomenti.size(); ++k) {
        const std::string& a = argomenti[k];
        long long n = 0;
        if (a == "--help") {
            std::cout << UsoImage;
            return 0;
        } else if (a == "--solution") {
            o.Soluzione = true;
        } else if (a == "--cell-mm" && k + 1 < argomenti.size()) {
            if (!Misura(a, argomenti[++k], 1, 50, n)) return 2;
            o.CellaMm = static_cast<double>(n);
        } else if (a == "--max-seconds" && k + 1 < argomenti.size()) {
            if (!LeggiSecondi(argomenti[++k], o.Limite)) return 2;
        } else if (a.rfind("--", 0) == 0) {
            std::cerr << "Opzione sconosciuta: " << a << "\n" << UsoImage;
            return 2;
        } else {
            file.push_back(a);
        }
    }
    if (file.size() != 2) {
        std::cerr << UsoImage;
        return 2;
    }
    o.File = file[0];
    o.Uscita = file[1];
    return ComandoImmagine(o);
#else
    (void)argomenti;
    std::cerr << "image non e' disponibile: isolmar-cli e' stato compilato senza Qt\n";
    return 2;
#endif
}

int Libretto(const std::vector<std::string>& argomenti) {
#ifdef ISOLMAR_IMMAGINI
    OpzioniLibretto o;
    for (size_t k = 0; k < argomenti.size(); ++k) {
        const std::string& a = argomenti[k];
        const bool valore = k + 1 < argomenti.size();
        long long n = 0;
        if (a == "--help") {
            std::cout << UsoBooklet;
            return 0;
        } else if (a == "--solutions") {
            o.Soluzioni = true;
        } else if (a == "--out" && valore) {
            o.Uscita = argomenti[++k];
        } else if (a == "--title" && valore) {
            o.Titolo = argomenti[++k];
        } else if (a == "--per-page" && valore) {
            if (!Misura(a, argomenti[++k], 1, MaxPerPagina, n)) return 2;
            o.PerPagina = static_cast<int>(n);
        } else if (a == "--max-seconds" && valore) {
            if (!LeggiSecondi(argomenti[++k], o.Limite)) return 2;
        } else if (a.rfind("--", 0) == 0) {
            std::cerr << "Opzione sconosciuta: " << a << "\n" << UsoBooklet;
            return 2;
        } else {
            o.File.push_back(a);
        }
    }
    if (o.Uscita.empty() || o.File.empty()) {
        std::cerr << UsoBooklet;
        return 2;
    }
    return ComandoLibretto(o);
#else
    (void)argomenti;
    std::cerr << "booklet non e' disponibile: isolmar-cli e' stato compilato senza Qt\n";
    return 2;
#endif
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> argomenti(argv + std::min(argc, 2), argv + argc);
    const std::string comando = argc > 1 ? argv[1] : "";
    if (comando == "solve") return Risolvi(argomenti);
    if (comando == "convert") return Converti(argomenti);
    if (comando == "generate") return Genera(argomenti);
    if (comando == "rate") return Spiega(argomenti, true);
    if (comando == "explain") return Spiega(argomenti, false);
    if (comando == "image") return Immagine(argomenti);
    if (comando == "booklet") return Libretto(argomenti);
    if (comando == "--help" || comando == "-h") {
        std::cout << Uso;
        return 0;
    }
    std::cerr << Uso;
    return 2;
}
