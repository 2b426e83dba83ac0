#include "solver/RegoleDirette.h"

namespace isolmar {

bool PassoDiretto(Risolutore& ris, const Risolutore::Ascolto& a,
                  const std::function<bool()>& ferma) {
    for (const RegolaDiretta& r : RegoleDirette) {
        const int n = (ris.*r.Regola)({r.Codice, a});
        if (ferma() || (r.Ricomincia && n > 0)) return true;
    }
    return false;
}

} // namespace isolmar
