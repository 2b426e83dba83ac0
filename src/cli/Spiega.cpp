// isolmar-cli rate and explain: the explanation engine from the player's board of each puzzle.
#include "cli/Comune.h"
#include "ui/Testi.h"

#include <chrono>
#include <iostream>

namespace isolmar::cli {

namespace {

constexpr const char* UsoRate =
    "Uso: isolmar-cli rate [--full] [--from-position] [--max-seconds S] [--json] FILE...\n"
    "Valuta la difficolta' di ogni schema come \"Valuta\", dai soli numeri dello schema (con\n"
    "--from-position dalla posizione del giocatore salvata nel file, tolte le caselle sbagliate):\n"
    "il livello e' l'ipotesi piu' profonda (quante isole insieme, da 0 a 5) che\n"
    "la spiegazione ha dovuto usare. Senza --full si ferma dopo il livello 2 e un livello 3 vuol\n"
    "dire \"3 o superiore\"; con --full prova tutti i livelli come \"Mostra\" e da' il livello\n"
    "esatto. Stampa anche le celle decise, le conclusioni per codice e i secondi. Con\n"
    "--max-seconds S (da 1 a 86400) la spiegazione di ogni schema si ferma dopo S secondi.\n"
    "--json stampa un oggetto JSON per file, con \"solutions\" (0, 1, o 2 per \"due o piu'\").\n"
    "Uno schema senza soluzioni o con piu' soluzioni non si valuta: livello null, il messaggio\n"
    "sull'errore standard. Uscita: 0 ogni cella decisa, 1 una spiegazione interrotta o fermata\n"
    "con celle non decise, 2 un file illeggibile o non valido, 3 uno schema senza una soluzione\n"
    "unica. FILE e' un file XML, di testo o pzprv3, oppure un link puzz.link.\n";
constexpr const char* UsoExplain =
    "Uso: isolmar-cli explain [--max-seconds S] [--json] FILE\n"
    "Spiega lo schema passo per passo come \"Mostra\", partendo dalla posizione del giocatore\n"
    "salvata nel file: ogni conclusione con il suo codice, la cella, l'isola, il livello e le\n"
    "righe del messaggio; alla fine il livello e lo schema fin dove la spiegazione e' arrivata\n"
    "('#' muro, '.' isola, la cifra sulle caselle con un numero, '?' non deciso). Le caselle\n"
    "del giocatore diverse dalla soluzione non si usano: la spiegazione parte dai numeri e dalle\n"
    "caselle giuste, e --json le elenca in \"errors\". Opzioni e uscita come per rate.\n";

struct OpzioniLog {
    bool Completa = false, Json = false, DaPosizione = false;
    std::string Secondi;
    std::vector<std::string> File;
};

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
int SpiegaFile(Finestra& w, const std::string& percorso, const OpzioniLog& o, int limite,
               bool passi) {
    if (!w.Apri(percorso)) return 2;
    Modello& m = w.f.m;
    const auto t0 = std::chrono::steady_clock::now();
    auto trascorsi = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    };
    if (const std::string no = SpiegazioneNonDisponibile(m); !no.empty()) {
        std::cerr << percorso << ": " << no << "\n";
        return 2;
    }
    w.LimiteSecondi(limite);
    // Only a puzzle with exactly one solution is rated or explained.
    const EsitoRicerca e = w.f.ContaSoluzioni();
    const int soluzioni = Soluzioni(e);
    if (e == EsitoRicerca::TroppoGrande || e == EsitoRicerca::OltreLeForme) {
        w.LimiteSecondi(0);
        std::cerr << percorso << ": " << TestiRicerca.Testo(e, m) << "\n";
        return 2;
    }
    if (e != EsitoRicerca::Una) {
        w.LimiteSecondi(0);
        const bool interrotta = e == EsitoRicerca::Interrotta;
        std::cerr << percorso << ": " << TestiRicerca.Testo(e, m)
                  << (interrotta ? ": limite di tempo raggiunto (" + std::to_string(limite) + " s)"
                                 : "")
                  << "\n";
        if (o.Json)
            StampaJson({{"file", percorso},
                        {"rows", int(m.NumRighe)},
                        {"columns", int(m.NumColonne)},
                        {"solutions", interrotta ? Json(nullptr) : Json(soluzioni)},
                        {"level", nullptr},
                        {"seconds", trascorsi()},
                        {"interrupted", interrotta}});
        else
            std::cout << percorso << "\nlivello: nessuno\n"
                      << (interrotta ? "interrotta\n\n" : "\n");
        return interrotta ? 1 : 3;
    }
    // The board the run reads: the clues alone for a rating, else the player's marks without the
    // wrong ones. The player's board is put back afterwards.
    const Griglia8 gioco = m.TblGioco;
    const auto errori = CelleSbagliate(m);
    if (passi || o.DaPosizione) {
        w.f.TogliErrori(false);
    } else {
        SoloNumeri(m);
    }
    RelatoreMuto muto;
    RelatoreRegistra registra;
    Spiegazione& s = w.f.Spieg;
    const bool soloValuta = !o.Completa && !passi;
    const bool eseguita = s.EseguiLog(passi ? static_cast<Relatore&>(registra) : muto, soloValuta);
    m.TblGioco = gioco;
    w.LimiteSecondi(0);
    const double secondi = trascorsi();
    if (!eseguita) {
        std::cerr << percorso << ": " << TestoTroppoGrande << "\n";
        return 2;
    }
    const int decise = s.CelleDecise(), celle = m.NumRighe * m.NumColonne;
    const bool completa = decise == celle;
    if (s.Interrotta)
        std::cerr << percorso << ": "
                  << (passi ? TestoSpiegazioneInterrotta : TestoValutazioneInterrotta)
                  << ": limite di tempo raggiunto (" << limite << " s)\n";
    const std::string livello =
        std::to_string(s.LivelloLog) + (soloValuta && s.LivelloLog > 2 ? " o superiore" : "");
    const std::vector<std::string> tavola = TavolaLog(m);
    if (o.Json) {
        Json j = {{"file", percorso},
                  {"rows", int(m.NumRighe)},
                  {"columns", int(m.NumColonne)},
                  {"solutions", soluzioni}};
        if (passi) {
            Json sbagliate = Json::array();
            for (const auto& [r, c] : errori)
                sbagliate.push_back({r, c});
            j["errors"] = sbagliate;
        }
        j["level"] = int(s.LivelloLog);
        j["full"] = !soloValuta;
        j["complete"] = completa;
        j["decided"] = decise;
        Json conteggi = Json::object();
        for (const DatiCodice& k : CodiciLog)
            conteggi[std::string(k.Testo)] = s.Conteggi[Indice(k.Codice)];
        j["conclusions"] = conteggi;
        if (passi) {
            Json elenco = Json::array();
            for (const auto& [c, righe] : registra.Passi)
                elenco.push_back(
                    {{"code", std::string(TestoCodice(c.Codice))},
                     {"row", c.Riga},
                     {"column", c.Colonna},
                     {"island", c.RigaIsola ? Json{c.RigaIsola, c.ColonnaIsola} : Json(nullptr)},
                     {"level", c.Livello},
                     {"rows", righe}});
            j["steps"] = elenco;
            j["grid"] = tavola;
        }
        j["seconds"] = secondi;
        j["interrupted"] = s.Interrotta;
        StampaJson(j);
    } else {
        std::cout << percorso << "\n";
        if (passi && !errori.empty()) {
            std::cout << TestoErrori(static_cast<int>(errori.size()))
                      << (errori.size() == 1 ? ", messo da parte:" : ", messi da parte:");
            for (const auto& [r, c] : errori)
                std::cout << " " << r << "," << c;
            std::cout << "\n";
        }
        for (const auto& [c, righe] : registra.Passi) {
            std::cout << TestoCodice(c.Codice) << " " << c.Riga << "," << c.Colonna;
            if (c.RigaIsola) std::cout << " isola " << c.RigaIsola << "," << c.ColonnaIsola;
            std::cout << " livello " << c.Livello << "\n";
            for (const std::string& riga : righe)
                std::cout << "    " << riga << (!riga.empty() && riga.back() == '\n' ? "" : "\n");
        }
        std::cout << "livello: " << livello << "\ncelle decise: " << decise << " di " << celle
                  << "\nconclusioni:";
        for (const DatiCodice& k : CodiciLog)
            std::cout << " " << k.Testo << " " << s.Conteggi[Indice(k.Codice)];
        std::cout << "\n";
        if (passi)
            for (const std::string& riga : tavola)
                std::cout << riga << "\n";
        std::cout << "secondi: " << secondi << (s.Interrotta ? "\ninterrotta" : "") << "\n\n";
    }
    return completa && !s.Interrotta ? 0 : 1;
}

// The exit status of several files: an unreadable file first, then a puzzle without one
// solution, then an unfinished run.
int Peggiore(int a, int b) {
    auto peso = [](int e) { return e == 2 ? 3 : e == 3 ? 2 : e; };
    return peso(a) >= peso(b) ? a : b;
}

int Spiega(const OpzioniLog& o, bool rate) {
    int limite = 0;
    if (!LeggiSecondi(o.Secondi, limite)) return 2;
    if (o.File.empty() || (!rate && o.File.size() != 1)) {
        std::cerr << (rate ? UsoRate : UsoExplain);
        return 2;
    }
    Finestra w;
    int esito = 0;
    for (const std::string& percorso : o.File)
        esito = Peggiore(esito, SpiegaFile(w, percorso, o, limite, !rate));
    return esito;
}

} // namespace

void ComandoRate(CLI::App& cli, Azione& azione) {
    auto o = std::make_shared<OpzioniLog>();
    CLI::App* c = NuovoComando(cli, "rate", "livello di difficolta' di ogni schema", UsoRate,
                               azione, [o] { return Spiega(*o, true); });
    c->add_flag("--full", o->Completa, "tutti i livelli");
    c->add_flag("--from-position", o->DaPosizione, "dalla posizione del giocatore");
    OpzioneSecondi(c, o->Secondi);
    c->add_flag("--json", o->Json, "un oggetto JSON per file");
    c->add_option("FILE", o->File, "schemi");
}

void ComandoExplain(CLI::App& cli, Azione& azione) {
    auto o = std::make_shared<OpzioniLog>();
    CLI::App* c = NuovoComando(cli, "explain", "spiegazione passo per passo", UsoExplain, azione,
                               [o] { return Spiega(*o, false); });
    OpzioneSecondi(c, o->Secondi);
    c->add_flag("--json", o->Json, "un oggetto JSON");
    c->add_option("FILE", o->File, "schema");
}

} // namespace isolmar::cli
