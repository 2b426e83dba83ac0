// The formats other Nurikabe programs share puzzles in: puzz.link URLs and pzprv3 text files.
// Pure functions, like the other readers: text in, a validated puzzle or the message that
// refuses it out; a puzzle in, text out.
//
// A link is https://puzz.link/p?nurikabe/C/R/BODY (any host, so also the older
// http://pzv.jp/p.html?nurikabe/C/R/BODY): columns before rows, then the cells row by row. In
// the body a hexadecimal digit is a clue, "-" and "+" bring two and three hexadecimal digits for
// larger numbers, "=" and "%" three more added to 4096 and 8192 (up to 12239, more than the
// largest board's cells), "." is a clue of unknown number, "g".."z" skip 1..20 empty cells.
//
// A pzprv3 file is the lines "pzprv3", "nurikabe", R, C, then R lines of C cells separated by
// blanks: the clue's number, "-" a clue of unknown number, "#" wall, "+" marked island, "." not
// decided. A "/" stands for a line end, as in the one-line form. Later lines (history, notes)
// are not read.
#pragma once

#include "io/Letture.h"

#include <string>
#include <string_view>

namespace isolmar {

inline constexpr const char* TestoLinkErrato = "Link non valido";

// True when the text, blanks around it aside, is one word with a "?" followed by a "/": a link
// (no puzzle file or clipboard form has one).
bool SembraLink(std::string_view testo);
// True when the first line starts with "pzprv3".
bool SembraPzprv3(std::string_view testo);

// A "#..." or "&..." tail after the body is ignored.
EsitoLettura LeggiLink(std::string_view url);
// True when a path names a file rather than a link: it exists, or ends in a puzzle file's
// extension.
bool PercorsoDiFile(const std::string& percorso);
// The link of a valid puzzle.
std::string ScriviLink(const Schema& s);

// The player's board is read into Posizione (0 undecided, 1 island, 2 wall); erroreFormato is
// the message for a refused input.
EsitoLettura LeggiPzprv3(std::string_view testo, const char* erroreFormato = TestoFileErrato);
// posizione: R x C digits of the player's board, or "" for none.
std::string ScriviPzprv3(const Schema& s, std::string_view posizione);
// The model's puzzle with its player's board.
std::string ScriviPzprv3(const Modello& m);

// What a path given to open names: a link in place of a file is read as a link; otherwise the
// file is read whole (LeggiFile) by LeggiSchema, and one that cannot be read is refused with
// the path and the reason.
EsitoLettura LeggiSorgente(const std::string& percorso);

// What "Incolla" reads: a link, a pzprv3 text, or else the clipboard form.
EsitoLettura LeggiIncollato(std::string_view testo);

} // namespace isolmar
