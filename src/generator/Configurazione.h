// The configuration file Isolmar.ini read in production mode, and the reading of a number at the
// start of a text shared by the settings commands.
#pragma once

#include "model/Modello.h"

#include <string>
#include <string_view>

namespace isolmar {

// The number at the start of a text: leading blanks, an optional sign, then digits; anything
// after the digits is ignored. False, with valore = 0, when there are no digits. Values beyond
// +-10^12 saturate there.
bool NumeroIniziale(std::string_view testo, long long& valore);

// Reads the text of Isolmar.ini into the rule table. Lines end in CR LF, LF or CR. Keys are
// upper-cased but not trimmed; values are not trimmed. A byte-order mark is skipped. Rules and
// keys the text does not give keep their values. Returns "" or, at the first line that cannot be
// stored (a 21st "<REGOLA>", a value that does not fit its field, a known key followed by blanks
// before "="), an Italian message naming the line; reading stops there and the rules read before
// stay. nome is the file's name as the messages give it.
std::string InizializzaAuto(std::string_view testo,
                            std::array<Modello::Regola, Modello::MaxRegole + 1>& Regole,
                            int16_t& NumRegole, const std::string& nome = "Isolmar.ini");
inline std::string InizializzaAuto(std::string_view testo, Modello& m,
                                   const std::string& nome = "Isolmar.ini") {
    return InizializzaAuto(testo, m.Regole, m.NumRegole, nome);
}

} // namespace isolmar
