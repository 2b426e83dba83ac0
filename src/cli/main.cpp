// isolmar-cli: the core without a window, for preparing puzzles in quantity. Each command is in
// its own file (Comune.h says how); this file parses the command line and runs the chosen one.
#include "cli/Comune.h"

#include <iostream>

using namespace isolmar::cli;

namespace {

constexpr const char* Uso =
    "Uso: isolmar-cli COMANDO ...\n"
    "  solve [--count N] [--max-seconds S] [--json] FILE...\n"
    "                         risolve ogni schema (XML, testo, pzprv3 o link)\n"
    "  convert IN OUT         converte fra XML, testo e pzprv3 (secondo l'estensione di OUT)\n"
    "  url FILE...            il link puzz.link di ogni schema\n"
    "  generate --rows R --columns C [...]\n"
    "                         genera schemi con una sola soluzione\n"
    "  rate [--full] [--from-position] [--max-seconds S] [--json] FILE...\n"
    "                         livello di difficolta' di ogni schema\n"
    "  explain [--max-seconds S] [--json] FILE\n"
    "                         spiegazione passo per passo\n"
    "  hint [--json] [--max-seconds S] FILE\n"
    "                         il prossimo passo dalla posizione del giocatore\n"
    "  check [--minimal] [--suggest] [--max-seconds S] [--json] FILE...\n"
    "                         quante soluzioni hanno i numeri di ogni schema, dove due\n"
    "                         soluzioni differiscono, il livello\n"
    "  image FILE OUT.png|OUT.svg|OUT.pdf [--solution] [--cell-mm N]\n"
    "                         immagine dello schema o della sua soluzione\n"
    "  booklet --out OUT.pdf [--per-page N] [--solutions] [--title TESTO] FILE...\n"
    "                         libretto stampabile degli schemi\n"
    "  COMANDO --help         l'aiuto di un comando\n"
    "  --version              la versione\n"
    "Dove va un FILE va anche un link puzz.link. Le opzioni si scrivono --opzione VALORE\n"
    "oppure --opzione=VALORE.\n";

// The Italian message of a command line the parser refused.
std::string Motivo(const CLI::ParseError& e) {
    const std::string testo = e.what();
    const size_t due = testo.find(": ");
    const std::string dopo = due == std::string::npos ? testo : testo.substr(due + 2);
    if (dynamic_cast<const CLI::ExtrasError*>(&e)) return "Opzione sconosciuta: " + dopo;
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e))
        return "Manca il valore di " + testo.substr(0, due);
    return "Opzione o valore non valido: " + testo;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App cli("isolmar-cli", "isolmar-cli");
    cli.formatter_fn([](const CLI::App*, std::string, CLI::AppFormatMode) { return Uso; });
    cli.set_version_flag("--version", std::string("isolmar-cli ") + ISOLMAR_VERSIONE);
    cli.require_subcommand(1);
    // An option given twice takes its last value, as in most programs.
    cli.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    RicordaArgomenti(argv);
    Azione azione;
    ComandoSolve(cli, azione);
    ComandoConvert(cli, azione);
    ComandoUrl(cli, azione);
    ComandoGenerate(cli, azione);
    ComandoRate(cli, azione);
    ComandoExplain(cli, azione);
    ComandoHint(cli, azione);
    ComandoCheck(cli, azione);
    ComandoImage(cli, azione);
    ComandoBooklet(cli, azione);
    if (!ValoriPresenti(cli, argc, argv)) return 2;
    try {
        cli.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << cli.help();
        return 0;
    } catch (const CLI::CallForVersion& e) {
        std::cout << e.what() << "\n";
        return 0;
    } catch (const CLI::ParseError& e) {
        if (argc > 1)
            std::cerr << (cli.get_subcommands().empty()
                              ? "Comando sconosciuto: " + std::string(argv[1])
                              : Motivo(e))
                      << "\n";
        std::cerr << cli.help();
        return 2;
    }
    return azione ? azione() : 2;
}
