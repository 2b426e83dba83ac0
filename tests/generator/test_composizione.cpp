// Generated puzzles with symmetric clue cells, a smallest largest clue and the minimal pass:
// each judged by the rule checker and a fresh solve.
#include "Banco.h"
#include "generator/Livello.h"

#include <algorithm>

using namespace isolmar;
using namespace isolmar::prova;
using Simm = Generatore::Simmetria;

namespace {

// Solutions of a puzzle (at most 2), solved from scratch.
int Soluzioni(const Schema& s) {
    Banco b(s.Righe, s.Colonne);
    b.Carica(s);
    b.s.SoluzioneStart(2);
    return b.m->NumSol;
}

// The clue cell's image is a clue cell too.
bool Simmetrico(const Schema& s, Simm simm) {
    for (const Indizio& i : s.Isole) {
        const int r = simm == Simm::Rot2 ? s.Righe + 1 - i.Riga : i.Riga;
        const int c = s.Colonne + 1 - i.Colonna;
        if (std::none_of(s.Isole.begin(), s.Isole.end(),
                         [&](const Indizio& j) { return j.Riga == r && j.Colonna == c; }))
            return false;
    }
    return true;
}

int Maggiore(const Schema& s) {
    int n = 0;
    for (const Indizio& i : s.Isole)
        n = std::max(n, i.Num);
    return n;
}

} // namespace

TEST(Composizione, GeneratedPuzzlesKeepTheirOptionsAndOneSolution) {
    const struct {
        Simm simm;
        int righe, colonne, maggiore;
        bool minimo;
    } casi[] = {
        {Simm::Rot2, 7, 7, 0, false},    {Simm::Rot2, 8, 8, 0, false},
        {Simm::Rot2, 9, 6, 0, true},     {Simm::Specchio, 7, 9, 0, false},
        {Simm::Specchio, 8, 7, 0, true}, {Simm::Nessuna, 8, 8, 0, true},
        {Simm::Nessuna, 8, 7, 5, false}, {Simm::Rot2, 9, 9, 5, true},
    };
    for (const auto& x : casi)
        for (uint64_t seme = 1; seme <= 4; ++seme) {
            SCOPED_TRACE(std::to_string(int(x.simm)) + " " + std::to_string(x.righe) + "x" +
                         std::to_string(x.colonne) + " seme " + std::to_string(seme));
            Banco b(x.righe, x.colonne);
            Modello& m = *b.m;
            m.DimMaxIsola = m.DimIsolaGrande = 5;
            m.MaxIsoleGrandi = 6;
            b.g.Simm = x.simm;
            b.g.MinMaggiore = x.maggiore;
            b.g.Minimo = x.minimo;
            b.g.ImpostaSeme(seme);
            b.g.Genera();
            ASSERT_EQ(m.NumSol, 1);
            const Schema s = SchemaDa(m);
            EXPECT_EQ(ControllaRegole(s, TavolaDaTblsol(m, 1)), "");
            EXPECT_EQ(Soluzioni(s), 1);
            if (x.simm != Simm::Nessuna) {
                EXPECT_TRUE(Simmetrico(s, x.simm));
            }
            EXPECT_GE(Maggiore(s), x.maggiore);
            if (!x.minimo) continue;
            // Every clue the last round tried is needed: without it (and its image) the puzzle
            // has no solution or more than one.
            EXPECT_EQ(b.g.Statistica().IndiziTolti + m.NumEle, int(m.NumZone));
            ASSERT_FALSE(b.g.ProvatiMinimo.empty());
            for (const auto& p : b.g.ProvatiMinimo) {
                Schema meno = s;
                std::erase_if(meno.Isole, [&](const Indizio& i) {
                    const Generatore::Posto q{uint8_t(i.Riga), uint8_t(i.Colonna)};
                    return q == p || (x.simm != Simm::Nessuna && q == b.g.Immagine(p));
                });
                EXPECT_NE(Soluzioni(meno), 1) << int(p.Riga) << "," << int(p.Colonna);
            }
        }
}

TEST(Composizione, RefusesAMirrorOnEvenColumnsAndALargestClueAboveTheLargestIsland) {
    const struct {
        Simm simm;
        int maggiore;
        std::string testo;
    } casi[] = {{Simm::Specchio, 0, Generatore::TestoSpecchioPari},
                {Simm::Rot2, 5, "Errore limiti: indizio più grande almeno 5 (da 0 a 4)"}};
    for (const auto& x : casi) {
        Banco b(8, 8);
        b.m->DimMaxIsola = 4;
        b.g.Simm = x.simm;
        b.g.MinMaggiore = x.maggiore;
        b.g.Genera();
        EXPECT_EQ(b.m->NumSol, 0);
        EXPECT_EQ(b.p.Messaggi, std::vector<std::string>{x.testo});
        EXPECT_EQ(b.g.Statistica().Tentativi, 0);
    }
}

// Without options the minimal pass changes nothing before it: the same seed gives the same
// puzzle up to the pass, and the pass only removes clues.
TEST(Composizione, MinimalPassOnlyRemovesCluesOfThePuzzleFound) {
    for (uint64_t seme = 1; seme <= 6; ++seme) {
        Schema prima, dopo;
        for (const bool minimo : {false, true}) {
            Banco b(9, 9);
            b.m->DimMaxIsola = b.m->DimIsolaGrande = 4;
            b.m->MaxIsoleGrandi = 6;
            b.g.Minimo = minimo;
            b.g.ImpostaSeme(seme);
            b.g.Genera();
            ASSERT_EQ(b.m->NumSol, 1);
            (minimo ? dopo : prima) = SchemaDa(*b.m);
        }
        EXPECT_LE(dopo.Isole.size(), prima.Isole.size());
        for (const Indizio& i : dopo.Isole)
            EXPECT_TRUE(std::any_of(prima.Isole.begin(), prima.Isole.end(), [&](const Indizio& j) {
                return j.Riga == i.Riga && j.Colonna == i.Colonna && j.Num == i.Num;
            }));
    }
}

TEST(Composizione, AtALevelTheMinimalPassKeepsTheLevel) {
    for (const Simm simm : {Simm::Nessuna, Simm::Rot2}) {
        RichiestaLivello r;
        r.Righe = r.Colonne = 7;
        r.Livello = 1;
        r.Quanti = 2;
        r.Seme = 5;
        r.Simm = simm;
        r.Minimo = true;
        std::vector<SchemaLivello> tenuti;
        const EsitoLivello e =
            GeneraALivello(r, [&](const SchemaLivello& s) { tenuti.push_back(s); });
        ASSERT_EQ(e.Tenuti, 2) << e.Errore;
        for (const SchemaLivello& s : tenuti) {
            EXPECT_EQ(s.Livello, 1);
            EXPECT_TRUE(RisolveSchema(s.S, s.Soluzione));
            EXPECT_EQ(Soluzioni(s.S), 1);
            if (simm != Simm::Nessuna) {
                EXPECT_TRUE(Simmetrico(s.S, simm));
            }
        }
    }
}
