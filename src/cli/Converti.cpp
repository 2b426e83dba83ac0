// isolmar-cli convert: one puzzle file into another format, chosen by the output's extension.
#include "cli/Comune.h"
#include "io/Letture.h"
#include "io/PuzzLink.h"

#include <iostream>

namespace isolmar::cli {

namespace {

constexpr const char* UsoConvert =
    "Uso: isolmar-cli convert IN OUT\n"
    "Legge IN (XML, testo, pzprv3 o un link puzz.link) e scrive OUT in XML se finisce per\n"
    ".xml, in testo se finisce per .txt, in pzprv3 (con la posizione del giocatore) se finisce\n"
    "per .pzpr, ricalcolando il codice di controllo.\n";

struct OpzioniConvert {
    std::vector<std::string> File;
};

int Converti(const OpzioniConvert& o) {
    if (o.File.size() != 2 || !(Finisce(o.File[1], ".xml") || Finisce(o.File[1], ".txt") ||
                                Finisce(o.File[1], ".pzpr"))) {
        std::cerr << UsoConvert;
        return 2;
    }
    const std::string& uscita = o.File[1];
    // The puzzle, solution and player's board as read: nothing here needs the board to hold
    // the puzzle, so any puzzle a file can carry converts.
    SchemaLetto l;
    if (!LeggiSenzaFinestra(o.File[0], l)) return 2;
    const std::string dati = Finisce(uscita, ".xml")    ? ScriviXml(l.S, l.Soluzione, l.Posizione)
                             : Finisce(uscita, ".pzpr") ? ScriviPzprv3(l.S, l.Posizione)
                                                        : ScriviTesto(l.S, l.Soluzione);
    std::string motivo;
    if (!ScriviFileSicuro(uscita, dati, &motivo)) {
        std::cerr << uscita << ": Impossibile scrivere il file\n" << motivo << "\n";
        return 2;
    }
    return 0;
}

} // namespace

void ComandoConvert(CLI::App& cli, Azione& azione) {
    auto o = std::make_shared<OpzioniConvert>();
    CLI::App* c = NuovoComando(cli, "convert", "converte uno schema in un altro formato",
                               UsoConvert, azione, [o] { return Converti(*o); });
    c->add_option("FILE", o->File, "IN e OUT");
}

} // namespace isolmar::cli
