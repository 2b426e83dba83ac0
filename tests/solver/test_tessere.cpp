#include "model/Schema.h"
#include "solver/Tessere.h"
#include "view/PiattaformaHeadless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace isolmar;

namespace {

// Shapes are built once for the whole suite.
const Modello& TutteLeTessere() {
    static std::unique_ptr<Modello> m = [] {
        auto nuovo = NuovoModello();
        GeneraTessere(*nuovo, 9);
        return nuovo;
    }();
    return *m;
}

} // namespace

// The whole table, every field of every shape in order, as it has always been built: the order
// is the order in which the search tries shapes, so it must never change.
TEST(Tessere, TheTableIsTheOneAlwaysBuilt) {
    const Modello& m = TutteLeTessere();
    const int attesi[10] = {0, 1, 2, 6, 19, 63, 216, 760, 2725, 9910};
    for (int d = 1, fine = 0; d <= 9; fine = m.IndTessere[d++].Ultima) {
        EXPECT_EQ(m.IndTessere[d].Prima, fine + 1) << d;
        EXPECT_EQ(m.IndTessere[d].Ultima - fine, attesi[d]) << d;
    }
    EXPECT_EQ(m.NumTessere, 13702);
    uint64_t impronta = 1469598103934665603u; // FNV-1a
    auto aggiungi = [&](uint8_t x) { impronta = (impronta ^ x) * 1099511628211u; };
    for (int t = 1; t <= m.NumTessere; ++t) {
        const Tessera& x = m.Tessere[t];
        for (uint8_t v : {x.Dim, x.Righe, x.Colonne})
            aggiungi(v);
        for (const auto& riga : x.Cella)
            for (uint8_t c : riga)
                aggiungi(c);
    }
    EXPECT_EQ(impronta, 4020692099558616975u);
    // The decoded table is the one the growth computes.
    auto cresciuta = NuovoModello();
    for (int d = 2; d <= 9; ++d) {
        CresciTessere(*cresciuta, d);
        EXPECT_EQ(cresciuta->IndTessere[d].Ultima, m.IndTessere[d].Ultima);
    }
    EXPECT_TRUE(cresciuta->Tessere == m.Tessere);
}

// A size built twice or without its parents adds nothing; sizes 8 and 9 come only when a clue
// needs them, once each, and end as the table built at once.
TEST(Tessere, SizesAreBuiltOnceAndOnlyWhenNeeded) {
    auto m = NuovoModello();
    GeneraTessereDim(*m, 3); // size 2 missing
    EXPECT_EQ(m->NumTessere, 1);
    GeneraTessere(*m, 7);
    GeneraTessere(*m, 7);
    GeneraTessereDim(*m, 5);
    EXPECT_EQ(m->NumTessere, 1067);
    PiattaformaHeadless p;
    p.ImpostaTesto(controlli::Label2, "vecchio");
    const struct {
        Schema s;
        int tessere, ridisegni;
    } casi[] = {{{5, 5, {{7, 1, 1}, {3, 5, 5}}}, 1067, 0},
                {{9, 9, {{8, 1, 1}}}, 1067 + 2725, 1},
                {{9, 9, {{9, 1, 1}, {8, 9, 9}, {9, 5, 5}}}, 13702, 2},
                {{9, 9, {{9, 1, 1}}}, 13702, 2}};
    for (const auto& c : casi) {
        ASSERT_TRUE(ApplicaSchema(*m, c.s));
        VerificaTutteTessere(*m, p);
        EXPECT_EQ(m->NumTessere, c.tessere);
        EXPECT_EQ(p.Ridisegni, c.ridisegni);
        EXPECT_EQ(p.Testo(controlli::Label2), "");
    }
    const Modello& tutte = TutteLeTessere();
    for (int d = 1; d <= 9; ++d)
        EXPECT_TRUE(m->IndTessere[d].Prima == tutte.IndTessere[d].Prima &&
                    m->IndTessere[d].Ultima == tutte.IndTessere[d].Ultima);
    EXPECT_TRUE(std::equal(&m->Tessere[1], &m->Tessere[13702] + 1, &tutte.Tessere[1]));
}

TEST(Sortaqs6, SortsAnyRangeAscendingAndLeavesTheRestAlone) {
    std::mt19937 gen(7);
    for (int prova = 0; prova < 50; ++prova) {
        std::vector<std::string> v(2 + gen() % 60);
        for (auto& s : v)
            s = std::string(1 + gen() % 3, static_cast<char>('0' + gen() % 3));
        auto atteso = v;
        const int lo = static_cast<int>(gen() % (v.size() - 1));
        const int hi = lo + 1 + static_cast<int>(gen() % (v.size() - lo - 1));
        std::sort(atteso.begin() + lo, atteso.begin() + hi + 1);
        Sortaqs6(v, lo, hi);
        ASSERT_EQ(v, atteso);
    }
    // An empty range (a list with only its unused entry 0) reads nothing.
    std::vector<std::string> solo{"x"};
    Sortaqs6(solo, 1, 0);
    EXPECT_EQ(solo, std::vector<std::string>{"x"});
}
