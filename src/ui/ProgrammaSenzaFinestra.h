// The program without a window: the main window Form1 (with its model and grids) on a headless
// host, loaded and activated as the window is at start. isolmar-cli, the benchmarks and the tests
// run the commands through it; P is the host (a PiattaformaHeadless that records more, for
// instance).
#pragma once

#include "ui/Form1.h"
#include "view/PiattaformaHeadless.h"

namespace isolmar {

template <class P> struct ProgrammaSu {
    P p;
    Form1 f{p};
    Modello& m = f.m;
    ProgrammaSu() {
        f.Form_Load();
        f.Form_Activate();
    }
    ProgrammaSu(const ProgrammaSu&) = delete;
    ProgrammaSu& operator=(const ProgrammaSu&) = delete;
    // From now on the running command stops after secondi (0: never), as Esc stops it.
    void LimiteSecondi(double secondi) { p.LimiteSecondi(secondi, m.TempoScaduto); }
};
using ProgrammaSenzaFinestra = ProgrammaSu<PiattaformaHeadless>;

} // namespace isolmar
