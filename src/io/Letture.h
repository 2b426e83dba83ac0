// The puzzle files as text: the check code, the XML file and the comma-separated text form.
// Pure functions: text in, a validated puzzle or the message that refuses it out; a puzzle in,
// text out. Nothing here touches a window or keeps state between calls.
#pragma once

#include "model/Modello.h"
#include "model/Schema.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace isolmar {

// The forms a puzzle is read from; only XML and pzprv3 hold the player's board.
enum class FormaSchema : uint8_t { Testo, Xml, Pzprv3, Link };

// What a reader found: the puzzle, its form and, when the input had them, the first solution
// (R x C characters, '1' island) and the player's board (R x C digits 0..2).
struct SchemaLetto {
    Schema S;
    FormaSchema Forma = FormaSchema::Testo;
    bool HaSoluzione = false;
    std::string Soluzione;
    bool HaPosizione = false;
    std::string Posizione;
};
// Errore is "" on success, else the message to show; Dettaglio says why (the broken limit, the
// wrong check code, ...).
struct EsitoLettura {
    std::string Errore;
    std::string Dettaglio;
    SchemaLetto Letto;
    bool Ok() const { return Errore.empty(); }
    // The message with the reason on a second line.
    std::string Testo() const { return Dettaglio.empty() ? Errore : Errore + "\n" + Dettaglio; }
};

inline constexpr const char* TestoDatiErrati = "Dati errati";
inline constexpr const char* TestoFileErrato = "File inesistente o dati errati";
inline constexpr const char* TestoAppuntiErrati = "dati errati";

// Digit scrambler; seme is the running seed, changed as the text is scrambled.
std::string CodificaCifre(std::string_view testo, int32_t& seme);
// Six-digit check code of a puzzle's size and clues (the scrambler starts from 418207 each time).
std::string CreaPwd(int righe, int colonne, const std::vector<Indizio>& isole);

// True when the first line of the text, upper-cased, contains "XML".
bool PrimaRigaXml(std::string_view testo);
EsitoLettura LeggiXml(std::string_view testo);
// The text form: line 1 "solution,check,rows,columns", then "row,column,number" lines. At most
// one line per cell of the declared size and the first line, blank lines at the end aside (and
// never more than the largest board allows); erroreFormato is the message for a malformed input.
inline constexpr size_t MaxRigheTesto = static_cast<size_t>(MaxLato) * MaxLato + 1;
EsitoLettura LeggiTesto(std::vector<std::string> righe,
                        const char* erroreFormato = TestoFileErrato);
// The clipboard form: the same fields on one line, every "S" read as "1". Several lines are
// refused as such.
EsitoLettura LeggiAppunti(std::string_view testo);
// Splits a text into lines at CR LF, LF or CR.
std::vector<std::string> Righe(std::string_view testo);

// A whole puzzle file: XML when its first line says so, pzprv3 when it starts with "pzprv3", a
// puzzle link when it is one, else the text form.
EsitoLettura LeggiSchema(std::string_view dati);

// The XML file of a puzzle with its first solution (R x C characters, '1' island; "" when none
// is known, written as all zeros) and the player's board (R x C digits; "" for a fresh board,
// the clue cells island), CR LF lines.
std::string ScriviXml(const Schema& s, std::string_view soluzione = {},
                      std::string_view posizione = {});
// The model's puzzle, first stored solution and player's board.
std::string ScriviXml(const Modello& m);
// The full text form (solution, check code, size, clues), readable by LeggiTesto; soluzione ""
// leaves the first field empty.
std::string ScriviTesto(const Schema& s, std::string_view soluzione = {});
// The model's puzzle with the solution of Tblsol(1).
std::string ScriviTesto(const Modello& m);

// The short text form: "rows,columns", then "row,column,number" per island. It carries no check
// code, so LeggiTesto refuses it.
std::string ScriviTestoBreve(const Schema& s);
std::string ScriviTestoBreve(const Modello& m);

// A puzzle file is a few kilobytes; nothing larger than this is read.
inline constexpr size_t MaxByteFile = 1024 * 1024;
// Reads a whole regular file of at most MaxByteFile bytes; false, with the reason in motivo,
// when it cannot be read or is larger.
bool LeggiFile(const std::string& percorso, std::string& dati, std::string* motivo = nullptr);
// The Italian reason of a failed system call, from its errno.
std::string MotivoErrore(int errore);
// Writes a file through a new temporary file of a unique name in the same folder, flushed to
// disk and renamed over the target when complete. A symbolic link is written through to the file
// it names (a loop of links is refused); the file keeps its permissions; a read-only file is
// refused. Saves of one file at once each succeed and the file is one whole version. Temporary
// files of interrupted saves are removed only when provably theirs. On failure the old file is
// intact, no temporary file is left, and motivo says why.
bool ScriviFileSicuro(const std::string& percorso, std::string_view dati,
                      std::string* motivo = nullptr);

} // namespace isolmar
