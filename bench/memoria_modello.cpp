// Peak memory of a process that creates one Modello and builds every shape.
#include "solver/Tessere.h"

#include <cstdio>
#include <sys/resource.h>

int main() {
    rusage prima{};
    getrusage(RUSAGE_SELF, &prima);
    auto m = isolmar::NuovoModello();
    isolmar::GeneraTessere(*m, 9);
    rusage dopo{};
    getrusage(RUSAGE_SELF, &dopo);
    std::printf("sizeof(Modello) = %zu bytes (%.1f MiB)\n", sizeof(isolmar::Modello),
                sizeof(isolmar::Modello) / 1048576.0);
    std::printf("shapes: %d\n", m->NumTessere);
    std::printf("peak RSS before: %ld KiB, after: %ld KiB\n", prima.ru_maxrss, dopo.ru_maxrss);
    return 0;
}
