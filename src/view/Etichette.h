// Numbers in the main window's labels as an Italian reader reads them.
#pragma once

#include <string>
#include <string_view>

namespace isolmar {

// A duration with its unit, rounded to what a person reads and with a decimal comma: below a
// second to the millisecond ("0,012 s"; "0 s" when nothing measurable), below a minute to the
// tenth ("6,7 s", "14,5 s", "3 s"), then whole seconds ("1 min 5 s", "2 min") and from an hour
// on whole minutes ("1 h 2 min"). A negative duration reads as 0.
std::string TestoDurata(double secondi);

// A count with its noun in the singular for one: "1 tentativo", "21 tentativi".
std::string TestoQuanti(long n, std::string_view uno, std::string_view molti);

} // namespace isolmar
