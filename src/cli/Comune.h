// What the commands of isolmar-cli share: the window-less main window, reading a puzzle from a
// file or a link, the options several commands take, the JSON output and the way a command is
// added to the parser.
//
// A command lives in its own file as one function, Comando<Name>(CLI::App&, Azione&): it adds its
// subcommand with its options (bound to a struct of its own) and, when the subcommand is chosen,
// stores in Azione the work to run, which returns the exit status. main() parses, then runs it.
#pragma once

#include "io/Letture.h"
#include "ui/ProgrammaSenzaFinestra.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace isolmar::cli {

using Json = nlohmann::ordered_json; // keys in the order they are written
using Azione = std::function<int()>;

// A window-less main window: the commands, their messages collected instead of shown.
struct Finestra : ProgrammaSenzaFinestra {
    // Opens a puzzle file, or the puzzle of a puzzle link given in its place; on refusal prints
    // the message, with its reason below, and returns false.
    bool Apri(const std::string& sorgente);
};

// Reads a puzzle file, or a link in its place, without the window (so any puzzle a file can
// hold, whatever the board takes); on refusal prints the message as Apri does and returns false.
bool LeggiSenzaFinestra(const std::string& sorgente, SchemaLetto& letto);

// Adds the subcommand nome with the help text uso (what --help prints) and a one-line summary.
// When the subcommand is chosen, azione becomes lavoro.
CLI::App* NuovoComando(CLI::App& cli, const char* nome, const char* sommario, const char* uso,
                       Azione& azione, Azione lavoro);

// A command-line number: decimal digits only, at most 18 of them.
bool Intero(const std::string& v, long long& n);
// --max-seconds: the option, and its value read into limite (1..MaxSecondi); false, with the
// message printed, when the value is not one.
inline constexpr long long MaxSecondi = 86400;
void OpzioneSecondi(CLI::App* c, std::string& valore);
bool LeggiSecondi(const std::string& v, int& limite);

// False, with the message and the command's help printed, when an option that takes a value is
// followed by another option of its command (generate --rules --rows 5): the parser would take
// that option for the value.
bool ValoriPresenti(CLI::App& cli, int argc, char** argv);

// The command line as given, kept by main() for the drawing program.
void RicordaArgomenti(char** argv);
// Replaces this process with the drawing program (isolmar-cli's commands built with Qt) run on
// the same command line, so its output and exit status are the command's own. When it cannot be
// started, says that cosa is not available and returns 2.
int Disegnatore(const char* cosa); // defined only where ISOLMAR_DISEGNATORE is

bool Finisce(const std::string& s, const char* fine);
// The k-th stored solution: '#' wall, '.' island, the number on clue cells; with a clue of two
// digits or more every cell is as wide as the largest, and cells are parted by a blank.
std::vector<std::string> Tavola(const Modello& m, int k);
// One JSON object on one line; bytes that are not UTF-8 (a file name) become U+FFFD.
void StampaJson(const Json& j);

void ComandoSolve(CLI::App& cli, Azione& azione);
void ComandoConvert(CLI::App& cli, Azione& azione);
void ComandoUrl(CLI::App& cli, Azione& azione);
void ComandoGenerate(CLI::App& cli, Azione& azione);
void ComandoRate(CLI::App& cli, Azione& azione);
void ComandoExplain(CLI::App& cli, Azione& azione);
void ComandoHint(CLI::App& cli, Azione& azione);
void ComandoCheck(CLI::App& cli, Azione& azione);
void ComandoImage(CLI::App& cli, Azione& azione);
void ComandoBooklet(CLI::App& cli, Azione& azione);

} // namespace isolmar::cli
