// The direct rules in the order the deductions and the explanation run them, and one pass of
// them: the solver's deductions before the search and the explanation share it.
#pragma once

#include "solver/CodiciLog.h"
#include "solver/Risolutore.h"

#include <array>
#include <functional>

namespace isolmar {

struct RegolaDiretta {
    CodiceLog Codice;
    int (Risolutore::*Regola)(const Risolutore::Riscontro&);
    // A conclusion of this rule starts the pass again: the rules after it wait for the board it
    // changed to be looked at by the rules before it.
    bool Ricomincia;
};

inline constexpr std::array<RegolaDiretta, 5> RegoleDirette = {{
    {CodiceLog::NRG, &Risolutore::RegolaNRG, false},
    {CodiceLog::IIN, &Risolutore::RegolaIIN, true},
    {CodiceLog::APP, &Risolutore::RegolaAPP, true},
    {CodiceLog::MUR, &Risolutore::RegolaMUR, false},
    {CodiceLog::ISO, &Risolutore::RegolaISO, true},
}};

// One pass of the direct rules in table order, their conclusions to a. True when the pass must
// start again: a rule that restarts it concluded, or ferma (asked after every rule) says the run
// is over. False when every rule ran and the hypotheses come next.
bool PassoDiretto(Risolutore& ris, const Risolutore::Ascolto& a,
                  const std::function<bool()>& ferma);

} // namespace isolmar
