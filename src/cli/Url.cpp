// isolmar-cli url: the puzzle link of each puzzle.
#include "cli/Comune.h"
#include "io/PuzzLink.h"

#include <iostream>

namespace isolmar::cli {

namespace {

constexpr const char* UsoUrl =
    "Uso: isolmar-cli url FILE...\n"
    "Stampa il link puzz.link (https://puzz.link/p?nurikabe/COLONNE/RIGHE/...) di ogni schema,\n"
    "uno per riga. FILE e' un file XML, di testo o pzprv3, oppure un link. Uscita: 0 tutti\n"
    "scritti, 2 un file illeggibile o non valido.\n";

struct OpzioniUrl {
    std::vector<std::string> File;
};

int Collega(const OpzioniUrl& o) {
    if (o.File.empty()) {
        std::cerr << UsoUrl;
        return 2;
    }
    int esito = 0;
    for (const std::string& percorso : o.File) {
        SchemaLetto l;
        if (LeggiSenzaFinestra(percorso, l))
            std::cout << ScriviLink(l.S) << "\n";
        else
            esito = 2;
    }
    return esito;
}

} // namespace

void ComandoUrl(CLI::App& cli, Azione& azione) {
    auto o = std::make_shared<OpzioniUrl>();
    CLI::App* c = NuovoComando(cli, "url", "il link puzz.link di ogni schema", UsoUrl, azione,
                               [o] { return Collega(*o); });
    c->add_option("FILE", o->File, "schemi");
}

} // namespace isolmar::cli
