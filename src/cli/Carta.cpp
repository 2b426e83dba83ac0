// isolmar-cli image and booklet: pictures and booklets for paper, drawn by the window's painter
// (Immagini.cpp), in isolmar-immagini: isolmar-cli hands them over to it. Without Qt they say
// they are not available.
#include "cli/Comune.h"
#ifdef ISOLMAR_IMMAGINI
#include "Immagini.h"
#endif

#include <iostream>

namespace isolmar::cli {

namespace {

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

struct OpzioniCarta {
    std::vector<std::string> File;
    std::string Uscita, Titolo, CellaMm, PerPagina, Secondi;
    bool Soluzione = false;
};

#ifdef ISOLMAR_IMMAGINI
// A number of the picture commands: decimal digits, within minimo..massimo ("" keeps n).
bool Misura(const char* opzione, const std::string& v, long long minimo, long long massimo,
            long long& n) {
    if (v.empty() || (Intero(v, n) && n >= minimo && n <= massimo)) return true;
    std::cerr << opzione << " vuole un numero da " << minimo << " a " << massimo << "\n";
    return false;
}
#endif

int Immagine(const OpzioniCarta& c) {
#ifdef ISOLMAR_DISEGNATORE
    (void)c;
    return Disegnatore("image");
#elif defined(ISOLMAR_IMMAGINI)
    if (c.File.size() != 2) {
        std::cerr << UsoImage;
        return 2;
    }
    OpzioniImmagine o;
    long long mm = 0;
    if (!Misura("--cell-mm", c.CellaMm, 1, 50, mm) || !LeggiSecondi(c.Secondi, o.Limite)) return 2;
    o.File = c.File[0];
    o.Uscita = c.File[1];
    o.Soluzione = c.Soluzione;
    o.CellaMm = static_cast<double>(mm);
    return ComandoImmagine(o);
#else
    (void)c;
    std::cerr << "image non e' disponibile: isolmar-cli e' stato compilato senza Qt\n";
    return 2;
#endif
}

int Libretto(const OpzioniCarta& c) {
#ifdef ISOLMAR_DISEGNATORE
    (void)c;
    return Disegnatore("booklet");
#elif defined(ISOLMAR_IMMAGINI)
    if (c.Uscita.empty() || c.File.empty()) {
        std::cerr << UsoBooklet;
        return 2;
    }
    OpzioniLibretto o;
    long long n = o.PerPagina;
    if (!Misura("--per-page", c.PerPagina, 1, MaxPerPagina, n) ||
        !LeggiSecondi(c.Secondi, o.Limite))
        return 2;
    o.PerPagina = static_cast<int>(n);
    o.Uscita = c.Uscita;
    o.Titolo = c.Titolo;
    o.Soluzioni = c.Soluzione;
    o.File = c.File;
    return ComandoLibretto(o);
#else
    (void)c;
    std::cerr << "booklet non e' disponibile: isolmar-cli e' stato compilato senza Qt\n";
    return 2;
#endif
}

} // namespace

void ComandoImage(CLI::App& cli, Azione& azione) {
    auto o = std::make_shared<OpzioniCarta>();
    CLI::App* c = NuovoComando(cli, "image", "immagine dello schema o della sua soluzione",
                               UsoImage, azione, [o] { return Immagine(*o); });
    c->add_option("FILE", o->File, "schema e immagine");
    c->add_flag("--solution", o->Soluzione, "la soluzione");
    c->add_option("--cell-mm", o->CellaMm, "lato di una casella in mm");
    OpzioneSecondi(c, o->Secondi);
}

void ComandoBooklet(CLI::App& cli, Azione& azione) {
    auto o = std::make_shared<OpzioniCarta>();
    CLI::App* c = NuovoComando(cli, "booklet", "libretto stampabile degli schemi", UsoBooklet,
                               azione, [o] { return Libretto(*o); });
    c->add_option("FILE", o->File, "schemi");
    c->add_option("--out", o->Uscita, "il libretto PDF");
    c->add_option("--per-page", o->PerPagina, "schemi per pagina");
    c->add_flag("--solutions", o->Soluzione, "le soluzioni in fondo");
    c->add_option("--title", o->Titolo, "titolo");
    OpzioneSecondi(c, o->Secondi);
}

} // namespace isolmar::cli
