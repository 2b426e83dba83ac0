// isolmar-cli: the core without a window, for preparing puzzles in quantity.
//   isolmar-cli solve [--count N] [--json] FILE...
//   isolmar-cli convert IN OUT
#include "io/Letture.h"
#include "ui/Form1.h"
#include "view/PiattaformaHeadless.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

using namespace isolmar;

namespace {

constexpr const char* Uso =
    "Uso: isolmar-cli COMANDO ...\n"
    "  solve [--count N] [--json] FILE...   risolve ogni schema (XML o testo)\n"
    "  convert IN OUT                       converte fra XML e testo (secondo l'estensione di "
    "OUT)\n"
    "  COMANDO --help                       l'aiuto di un comando\n";
constexpr const char* UsoSolve =
    "Uso: isolmar-cli solve [--count N] [--json] FILE...\n"
    "Cerca fino a N soluzioni (da 1 a 10, predefinito 1) di ogni schema e stampa la prima:\n"
    "'#' muro, '.' isola, la cifra sulle caselle con un numero; poi le soluzioni trovate e i\n"
    "secondi. --json stampa un oggetto JSON per file. Uscita: 0 tutti risolti, 1 uno senza\n"
    "soluzione, 2 un file illeggibile o non valido.\n";
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
    // Opens a file; on refusal prints the reason and returns false.
    bool Apri(const std::string& percorso) {
        p.Messaggi.clear();
        if (f.ApriFile(percorso)) return true;
        std::cerr << percorso << ": " << (p.Messaggi.empty() ? TestoFileErrato : p.Messaggi.back())
                  << "\n";
        return false;
    }
};

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
            const std::string& v = argomenti[++k];
            conta = v.find_first_not_of("0123456789") == std::string::npos && !v.empty() &&
                            v.size() <= 2
                        ? std::stoi(v)
                        : 0;
            if (conta < 1 || conta > MaxSol) {
                std::cerr << "--count vuole un numero da 1 a " << MaxSol << "\n";
                return 2;
            }
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
        const bool cercato = w.f.Ris.SoluzioneStart(static_cast<uint8_t>(conta));
        const double secondi =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (!cercato) {
            std::cerr << percorso << ": Schema troppo grande per il risolutore\n";
            esito = 2;
            continue;
        }
        if (m.NumSol == 0 && esito == 0) esito = 1;
        const std::vector<std::string> tavola =
            m.NumSol > 0 ? Tavola(m, 1) : std::vector<std::string>{};
        if (json) {
            std::cout << "{\"file\":" << Json(percorso) << ",\"rows\":" << int(m.NumRighe)
                      << ",\"columns\":" << int(m.NumColonne) << ",\"solutions\":" << m.NumSol
                      << ",\"grid\":[";
            for (size_t r = 0; r < tavola.size(); ++r)
                std::cout << (r ? "," : "") << Json(tavola[r]);
            std::cout << "],\"seconds\":" << secondi << ",\"attempts\":" << m.NumProve << "}\n";
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

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> argomenti(argv + std::min(argc, 2), argv + argc);
    const std::string comando = argc > 1 ? argv[1] : "";
    if (comando == "solve") return Risolvi(argomenti);
    if (comando == "convert") return Converti(argomenti);
    if (comando == "--help" || comando == "-h") {
        std::cout << Uso;
        return 0;
    }
    std::cerr << Uso;
    return 2;
}
