#include "cli/Comune.h"

#include "io/Letture.h"
#include "io/PuzzLink.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace isolmar::cli {

bool Finestra::Apri(const std::string& sorgente) {
    p.Messaggi.clear();
    if (f.ApriFile(sorgente)) return true; // a file, or a link in its place
    std::cerr << sorgente << ": " << (p.Messaggi.empty() ? TestoFileErrato : p.Messaggi.back())
              << "\n";
    return false;
}

bool LeggiSenzaFinestra(const std::string& sorgente, SchemaLetto& letto) {
    EsitoLettura e = LeggiSorgente(sorgente);
    if (!e.Ok()) {
        std::cerr << sorgente << ": " << e.Testo() << "\n";
        return false;
    }
    letto = std::move(e.Letto);
    return true;
}

CLI::App* NuovoComando(CLI::App& cli, const char* nome, const char* sommario, const char* uso,
                       Azione& azione, Azione lavoro) {
    CLI::App* c = cli.add_subcommand(nome, sommario);
    const std::string testo = uso;
    c->formatter_fn([testo](const CLI::App*, std::string, CLI::AppFormatMode) { return testo; });
    c->callback([&azione, lavoro = std::move(lavoro)] { azione = lavoro; });
    return c;
}

bool Intero(const std::string& v, long long& n) {
    return !v.empty() && v.size() <= 18 && v.find_first_not_of("0123456789") == std::string::npos &&
           (n = std::stoll(v), true);
}

void OpzioneSecondi(CLI::App* c, std::string& valore) {
    c->add_option("--max-seconds", valore, "secondi al massimo per schema");
}

bool LeggiSecondi(const std::string& v, int& limite) {
    if (v.empty()) return true;
    long long n = 0;
    if (!Intero(v, n) || n < 1 || n > MaxSecondi) {
        std::cerr << "--max-seconds vuole un numero da 1 a " << MaxSecondi << "\n";
        return false;
    }
    limite = static_cast<int>(n);
    return true;
}

bool ValoriPresenti(CLI::App& cli, int argc, char** argv) {
    if (argc < 2) return true;
    const auto scelti = cli.get_subcommands([argv](CLI::App* s) { return s->check_name(argv[1]); });
    if (scelti.empty()) return true;
    CLI::App* c = scelti.front();
    auto opzione = [c](const std::string& a) -> const CLI::Option* {
        return a.rfind("--", 0) == 0 ? c->get_option_no_throw(a.substr(0, a.find('='))) : nullptr;
    };
    for (int i = 2; i + 1 < argc && std::string(argv[i]) != "--"; ++i) {
        const std::string a = argv[i];
        const CLI::Option* o = opzione(a);
        if (o && a.find('=') == std::string::npos && o->get_expected_min() > 0 &&
            opzione(argv[i + 1])) {
            std::cerr << "Manca il valore di " << a << "\n" << c->help();
            return false;
        }
    }
    return true;
}

namespace {
char** Argomenti = nullptr;
} // namespace

void RicordaArgomenti(char** argv) {
    Argomenti = argv;
}

#ifdef ISOLMAR_DISEGNATORE
int Disegnatore(const char* cosa) {
    std::vector<std::string> cartelle;
    std::error_code ec;
    const std::filesystem::path io = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) cartelle.push_back(io.parent_path().string());
    const std::string installate = ISOLMAR_CARTELLE_BIN;
    for (size_t i = 0; i <= installate.size();) {
        const size_t fine = std::min(installate.find(':', i), installate.size());
        const std::string c = installate.substr(i, fine - i);
        if (!c.empty() && std::find(cartelle.begin(), cartelle.end(), c) == cartelle.end())
            cartelle.push_back(c);
        i = fine + 1;
    }
    std::cout.flush(); // what is buffered would be lost with the process
    std::cerr.flush();
    for (const std::string& c : cartelle)
        ::execv((c + "/" ISOLMAR_DISEGNATORE).c_str(), Argomenti);
    std::cerr << cosa << " non e' disponibile: non si avvia " ISOLMAR_DISEGNATORE
              << ", il programma che disegna (cercato in ";
    for (size_t i = 0; i < cartelle.size(); ++i)
        std::cerr << (i ? ", " : "") << cartelle[i];
    std::cerr << ")\n";
    return 2;
}
#endif

bool Finisce(const std::string& s, const char* fine) {
    const size_t n = std::strlen(fine);
    return s.size() >= n && s.compare(s.size() - n, n, fine) == 0;
}

std::vector<std::string> Tavola(const Modello& m, int k) {
    // Every cell as wide as the largest clue, right-aligned; cells of more than one character
    // are parted by a blank, so that "1" "2" is never read as 12.
    size_t largo = 1;
    for (int i = 1; i <= m.NumEle; ++i)
        largo = std::max(largo, std::to_string(m.Ele[i].Num).size());
    std::vector<std::string> celle(static_cast<size_t>(m.NumRighe) * m.NumColonne);
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            celle[(r - 1) * m.NumColonne + c - 1] = m.Tblsol(k, r, c) == 1 ? "." : "#";
    for (int i = 1; i <= m.NumEle; ++i)
        celle[(m.Ele[i].Riga - 1) * m.NumColonne + m.Ele[i].Colonna - 1] =
            std::to_string(m.Ele[i].Num);
    std::vector<std::string> righe;
    for (int r = 0; r < m.NumRighe; ++r) {
        std::string riga;
        for (int c = 0; c < m.NumColonne; ++c) {
            const std::string& x = celle[r * m.NumColonne + c];
            if (c > 0 && largo > 1) riga += ' ';
            riga += std::string(largo - x.size(), ' ') + x;
        }
        righe.push_back(riga);
    }
    return righe;
}

void StampaJson(const Json& j) {
    std::cout << j.dump(-1, ' ', false, Json::error_handler_t::replace) << "\n";
}

} // namespace isolmar::cli
