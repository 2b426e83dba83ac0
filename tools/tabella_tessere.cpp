// Writes the source file of the shape table (src/solver/TabellaTessere.h): every size grown with
// CresciTessere, each shape coded as its width and its cells. Run by the build.
#include "solver/Tessere.h"

#include <cstdio>
#include <fstream>

using namespace isolmar;

// A box of at most 9 cells has w + h <= 10, so at most 25 cells: with the width, 29 bits.
static_assert(MaxNum <= 9);

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: tabella_tessere FILE.cpp\n");
        return 2;
    }
    auto m = NuovoModello();
    for (int d = 2; d <= MaxNum; ++d)
        CresciTessere(*m, d);
    std::ofstream f(argv[1]);
    f << "// Written by tabella_tessere.\n#include \"solver/TabellaTessere.h\"\n\n"
         "namespace isolmar {\n\nconst IntervalloTessere IndiciTessere[MaxNum + 1] = {";
    for (int d = 0; d <= MaxNum; ++d)
        f << "{" << m->IndTessere[d].Prima << ", " << m->IndTessere[d].Ultima << "}, ";
    f << "};\n\nconst uint32_t FormeTessere[] = {0";
    for (int k = 1; k <= m->NumTessere; ++k) {
        const Tessera& t = m->Tessere[k];
        const int w = t.Colonne - 2, h = t.Righe - 2;
        uint32_t v = static_cast<uint32_t>(w);
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c)
                if (t.Cella[r + 2][c + 2] == CellaTessera) v |= 1u << (4 + r * w + c);
        f << (k % 8 ? ", " : ",\n") << v;
    }
    f << "};\n\n} // namespace isolmar\n";
    f.close();
    if (!f) std::remove(argv[1]);
    return f ? 0 : 1;
}
