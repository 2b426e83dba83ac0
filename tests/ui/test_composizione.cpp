// Composing a puzzle by hand: typing, pairs, the check as you type, proposals and the way back
// to play.
#include "Partita.h"

#include <gtest/gtest.h>

using namespace isolmar;

namespace {

std::vector<std::tuple<int, int, int>> Indizi(const Composizione& c) {
    std::vector<std::tuple<int, int, int>> v;
    for (const Indizio& d : c.S.Isole)
        v.emplace_back(d.Riga, d.Colonna, d.Num);
    std::sort(v.begin(), v.end());
    return v;
}

uint16_t SegniIn(Form1& f, int r, int c) {
    f.Gr.Seleziona(r, c);
    return f.Gr.CellaIn(r, c).Segni;
}

} // namespace

TEST(Composizione, TypingDigitsPairsAndClearing) {
    using T = std::vector<std::tuple<int, int, int>>;
    const struct {
        Simmetria s;
        std::vector<std::tuple<int, int, int>> tasti; // r, c, digit (-1 clears)
        T indizi;
    } casi[] = {
        {Simmetria::Nessuna, {{1, 1, 1}, {1, 1, 2}}, {{1, 1, 12}}},   // appended
        {Simmetria::Nessuna, {{1, 1, 4}, {1, 1, 7}}, {{1, 1, 7}}},    // 47 > 25 cells
        {Simmetria::Nessuna, {{1, 1, 0}, {2, 2, 3}, {2, 2, -1}}, {}}, // 0 alone, clear
        {Simmetria::Nessuna, {{1, 1, 1}, {2, 2, 2}, {1, 1, 3}}, {{1, 1, 3}, {2, 2, 2}}},
        {Simmetria::Rot2, {{1, 2, 1}, {1, 2, 2}}, {{1, 2, 12}, {5, 4, 12}}}, // image follows
        {Simmetria::Rot2, {{3, 3, 5}}, {{3, 3, 5}}},                         // the centre
        {Simmetria::Specchio, {{2, 1, 3}, {2, 5, 4}}, {{2, 1, 3}, {2, 5, 4}}},
        {Simmetria::Specchio, {{2, 1, 3}, {2, 5, -1}}, {}},
    };
    for (const auto& k : casi) {
        Composizione c;
        c.S = {5, 5, {}};
        c.Simm = k.s;
        for (auto [r, col, d] : k.tasti)
            d < 0 ? c.Cancella(r, col) : c.Digita(r, col, d);
        EXPECT_EQ(Indizi(c), k.indizi) << static_cast<int>(k.s) << " " << k.tasti.size();
    }
    Composizione c;                                  // clues side by side are marked at once
    c.S = {3, 3, {{1, 1, 1}, {2, 2, 1}, {1, 3, 3}}}; // Num, Riga, Colonna
    const auto segniCelle = c.Segni(nullptr, std::nullopt);
    EXPECT_EQ(segniCelle[0] & segni::DueIndizi, segni::DueIndizi);
    EXPECT_EQ(segniCelle[3] & segni::DueIndizi, segni::DueIndizi);
    EXPECT_EQ(segniCelle[8], 0);
}

// An author types a published 10 x 10 clue by clue on a blank board, the check running after
// each change: it ends unique at the rating's level; without one clue it shows where two
// solutions differ; a proposal and "Applica"; back to play with the puzzle.
TEST(Composizione, APublishedPuzzleTypedOnABlankBoard) {
    Partita fonte("janko-0052");
    const Schema s = SchemaDa(fonte.m);
    Partita g;
    g.p.RisposteNumeri = {{10, 10}};
    g.f.Clic("mnuComponi");
    ASSERT_TRUE(g.f.InComposizione);
    EXPECT_EQ(g.p.Titolo, "*Senza nome — Isolmar");
    EXPECT_EQ(g.m.NumRighe, 10);
    auto scrivi = [&](const Indizio& d) {
        g.f.CursoreRiga = d.Riga;
        g.f.CursoreColonna = d.Colonna;
        g.f.Comp.FineNumero();
        for (char cifra : std::to_string(d.Num))
            g.f.ComponiTasto(cifra - '0');
        g.p.EseguiTimer();
    };
    for (const Indizio& d : s.Isole)
        scrivi(d);
    EXPECT_EQ(g.Label2(), "Una sola soluzione — livello 1");
    EXPECT_EQ(g.m.NumEle, static_cast<int>(s.Isole.size()));
    // One clue taken away: every framed cell differs between two solutions.
    const Indizio tolto = s.Isole[1]; // the 1 in row 1, column 3
    g.f.CursoreRiga = tolto.Riga;
    g.f.CursoreColonna = tolto.Colonna;
    g.f.ComponiTasto(-1);
    g.p.EseguiTimer();
    ASSERT_TRUE(g.f.EsitoComposizione);
    const EsitoVerifica& e = *g.f.EsitoComposizione;
    ASSERT_EQ(e.Stato, StatoVerifica::Multiple);
    EXPECT_EQ(g.Label2(), "Almeno 2 soluzioni");
    for (const Cella& x : e.Diverse) {
        const size_t k = static_cast<size_t>((x.Riga - 1) * 10 + x.Colonna - 1);
        EXPECT_NE(e.Soluzione[k], e.Seconda[k]);
        EXPECT_TRUE(SegniIn(g.f, x.Riga, x.Colonna) & segni::Diversa);
    }
    g.f.Clic("mnuSuggerisciIndizio");
    ASSERT_TRUE(g.f.PropostaComposizione);
    const Proposta pr = *g.f.PropostaComposizione;
    EXPECT_TRUE(SegniIn(g.f, pr.Nuovo.Riga, pr.Nuovo.Colonna) & segni::Proposto);
    EXPECT_TRUE(g.p.Visibile(controlli::CmdApplica));
    g.f.Clic("CmdApplica");
    g.p.EseguiTimer();
    EXPECT_EQ(g.f.Comp.IndizioIn(pr.Nuovo.Riga, pr.Nuovo.Colonna) >= 0, true);
    ASSERT_TRUE(g.f.EsitoComposizione);
    EXPECT_NE(g.f.EsitoComposizione->Stato, StatoVerifica::Nessuna);
    // Typed back: unique again; ending offers a save (declined) and the game is the puzzle.
    g.f.Comp.S = s;
    scrivi(tolto); // the same number again: checked again

    EXPECT_EQ(g.Label2(), "Una sola soluzione — livello 1");
    g.p.RisposteMessaggi = {Risposta::No};
    g.f.Clic("mnuFineComposizione");
    EXPECT_FALSE(g.f.InComposizione);
    EXPECT_EQ(g.m.NumSol, 1);
    EXPECT_EQ(SchemaDa(g.m).Isole.size(), s.Isole.size());
    EXPECT_TRUE(g.f.DaSalvare);
}

TEST(Composizione, MinimalClues) {
    Partita g("puzzlink-5x5-g5k2o1k3g");
    g.p.RisposteMessaggi = {Risposta::Si}; // from the puzzle's clues
    g.f.Clic("mnuComponi");
    g.p.EseguiTimer();
    EXPECT_EQ(g.Label2(), "Una sola soluzione — livello 0");
    g.f.Clic("mnuVerificaMinimalita");
    EXPECT_EQ(g.Label2(), "1 indizio si può togliere restando con una sola soluzione (in verde): "
                          "1 in riga 4, colonna 3");
    EXPECT_TRUE(SegniIn(g.f, 4, 3) & segni::Rimovibile);
}

// The play commands on a clue set still being composed (clues side by side, no solution) say
// what they say of any such puzzle and leave the composition on.
TEST(Composizione, PlayCommandsOnAnUnfinishedClueSet) {
    Partita g;
    g.p.RisposteNumeri = {{3, 3}};
    g.f.Clic("mnuComponi");
    for (auto [r, c, n] : {std::tuple{1, 1, 1}, {1, 2, 2}, {3, 3, 9}}) {
        g.f.CursoreRiga = r;
        g.f.CursoreColonna = c;
        g.f.ComponiTasto(n);
    }
    g.p.EseguiTimer();
    EXPECT_EQ(g.f.EsitoComposizione->Stato, StatoVerifica::Nessuna);
    for (const char* c : {"CommandSoluz", "CommandSoluz3", "CmdLog", "mnuVerificaSchema"})
        g.f.Clic(c);
    for (const char* b : {"Valuta", "Suggerimento", "Mostra", "Undo", "UndoAll"})
        g.f.tlb1_ButtonClick(b);
    EXPECT_TRUE(g.f.InComposizione);
    EXPECT_EQ(g.f.Comp.S.Isole.size(), 3u);
}
