// Controlli: the names of the main window's controls that the program sets through Piattaforma.
// A control is named by one of these constants, never by a string: a misspelt name does not
// compile, where the host would silently ignore it.
#pragma once

#include <string_view>

namespace isolmar {

struct Controllo {
    explicit constexpr Controllo(std::string_view nome) : Nome(nome) {}
    std::string_view Nome;
};

namespace controlli {
// Labels, frames, command buttons, the popup menu of a clue and its entries, toolbar keys.
inline constexpr Controllo Label1{"Label1"};
inline constexpr Controllo Label2{"Label2"};
inline constexpr Controllo Lbllog{"Lbllog"};
inline constexpr Controllo Frame1{"Frame1"};
inline constexpr Controllo Frame2{"Frame2"};
inline constexpr Controllo CommandSoluz{"CommandSoluz"};
inline constexpr Controllo CommandSoluzMeno{"CommandSoluzMeno"};
inline constexpr Controllo CommandSoluzPiu{"CommandSoluzPiu"};
inline constexpr Controllo CommandVisgioco{"CommandVisgioco"};
inline constexpr Controllo CmdPosMeno{"CmdPosMeno"};
inline constexpr Controllo CmdPospiu{"CmdPospiu"};
inline constexpr Controllo CmdApplica{"CmdApplica"};
inline constexpr Controllo MnuAzioniGr{"MnuAzioniGr"};
inline constexpr Controllo mnuSmarcaMarca{"mnuSmarcaMarca"};
inline constexpr Controllo Aiuto{"Aiuto"};
// (controlli-rinomina: new names go above this line)
} // namespace controlli

} // namespace isolmar
