// Links and pzprv3 files: the public encoder's sample, the escapes, round trips over the
// published puzzles and random boards of every size, refusals with their reasons, and the window
// reading both through its loads.
#include "io/PuzzLink.h"
#include "ui/Form1.h"
#include "view/PiattaformaHeadless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>

using namespace isolmar;
namespace fs = std::filesystem;

namespace {

// The clues as a set, whatever their order in the input.
std::set<std::tuple<int, int, int>> Indizi(const Schema& s) {
    std::set<std::tuple<int, int, int>> v;
    for (const Indizio& i : s.Isole)
        v.insert({i.Riga, i.Colonna, i.Num});
    return v;
}

void Uguale(const Schema& a, const Schema& b) {
    EXPECT_EQ(a.Righe, b.Righe);
    EXPECT_EQ(a.Colonne, b.Colonne);
    EXPECT_EQ(Indizi(a), Indizi(b));
}

std::string Leggi(const fs::path& p) {
    std::string s;
    EXPECT_TRUE(LeggiFile(p.string(), s)) << p;
    return s;
}

// The sample of the public encoder's own tests: 5 x 5, clues 5, 2, 1, 3.
const Schema Campione{5, 5, {{5, 1, 2}, {2, 2, 3}, {1, 4, 3}, {3, 5, 4}}};
constexpr const char* LinkCampione = "https://puzz.link/p?nurikabe/5/5/g5k2o1k3g";

} // namespace

TEST(Link, TheEncodersSampleAndItsOtherForms) {
    for (const char* url : {LinkCampione, "http://pzv.jp/p.html?nurikabe/5/5/g5k2o1k3g",
                            "  https://puzz.link/p?nurikabe/5/5/g5k2o1k3g/\r\n"}) {
        SCOPED_TRACE(url);
        ASSERT_TRUE(SembraLink(url));
        const EsitoLettura e = LeggiLink(url);
        ASSERT_TRUE(e.Ok()) << e.Testo();
        Uguale(e.Letto.S, Campione);
        EXPECT_FALSE(e.Letto.HaPosizione);
    }
    EXPECT_EQ(ScriviLink(Campione), LinkCampione);
    // The published copy of the same puzzle.
    const EsitoLettura f =
        LeggiSchema(Leggi(fs::path(ISOLMAR_PUZZLES_DIR) / "puzzlink-5x5-g5k2o1k3g.xml"));
    ASSERT_TRUE(f.Ok());
    Uguale(f.Letto.S, Campione);
    // Its solved board as the encoder's tests save it: clues, '#' wall, '+' island.
    const EsitoLettura p = LeggiPzprv3("pzprv3/nurikabe/5/5/+ 5 # # # /+ # 2 + # /+ # # # # /"
                                       "+ # 1 # . /# # # 3 . /");
    ASSERT_TRUE(p.Ok()) << p.Testo();
    Uguale(p.Letto.S, Campione);
    EXPECT_EQ(p.Letto.Posizione, "1122212112122221212022210");
}

// Runs of more than 20 empty cells, a run at the very end, the last cell a clue, 1 x 1.
TEST(Link, Escapes) {
    const struct {
        Schema s;
        const char* corpo;
    } casi[] = {{{1, 1, {{1, 1, 1}}}, "1/1/1"},
                {{1, 25, {{7, 1, 25}}}, "25/1/zj7"},
                {{1, 45, {{1, 1, 1}}}, "45/1/1zzj"},
                {{2, 21, {{9, 1, 1}, {9, 2, 21}}}, "21/2/9zz9"},
                {{50, 50, {{2, 50, 49}}}, nullptr}};
    for (const auto& c : casi) {
        const std::string url = ScriviLink(c.s);
        SCOPED_TRACE(url);
        if (c.corpo) {
            EXPECT_EQ(url, std::string("https://puzz.link/p?nurikabe/") + c.corpo);
        }
        const EsitoLettura e = LeggiLink(url);
        ASSERT_TRUE(e.Ok()) << e.Testo();
        Uguale(e.Letto.S, c.s);
    }
}

TEST(Link, RandomBoardsOfEverySizeRoundTrip) {
    std::mt19937 caso(19);
    for (int R = 1; R <= MaxRighe; ++R)
        for (int C = 1; C <= MaxRighe; ++C) {
            Schema s{R, C, {}};
            std::string posizione(static_cast<size_t>(R * C), '0');
            const int isole = 1 + static_cast<int>(caso() % std::min(MaxEle, R * C));
            std::set<int> prese;
            while (static_cast<int>(prese.size()) < isole)
                prese.insert(static_cast<int>(caso() % static_cast<unsigned>(R * C)));
            for (int k : prese)
                s.Isole.push_back({1 + static_cast<int>(caso() % 9), k / C + 1, k % C + 1});
            for (size_t k = 0; k < posizione.size(); ++k)
                if (!prese.count(static_cast<int>(k)))
                    posizione[k] = static_cast<char>('0' + caso() % 3);
                else
                    posizione[k] = '1';
            const EsitoLettura l = LeggiLink(ScriviLink(s));
            ASSERT_TRUE(l.Ok()) << R << "x" << C << " " << l.Testo();
            ASSERT_EQ(Indizi(l.Letto.S), Indizi(s)) << ScriviLink(s);
            const EsitoLettura p = LeggiPzprv3(ScriviPzprv3(s, posizione));
            ASSERT_TRUE(p.Ok()) << p.Testo();
            ASSERT_EQ(Indizi(p.Letto.S), Indizi(s));
            ASSERT_EQ(p.Letto.Posizione, posizione);
        }
}

// What the model cannot hold, each refused with its own reason.
TEST(Link, RefusalsNameTheirReason) {
    const std::string P = "https://puzz.link/p?nurikabe/";
    const std::string F = "pzprv3\nnurikabe\n";
    const struct {
        std::string testo;
        const char* errore;
        const char* motivo;
    } casi[] = {
        {P + "2/1/a1", TestoLinkErrato, "numero 10 non ammesso"},
        {P + "2/1/.1", TestoLinkErrato, "(1, 1) ha un numero sconosciuto"},
        {P + "5/5/g5k2o1k3", TestoLinkErrato, "troncato: descrive 24 delle 25"},
        {P + "5/5/g5k2o1k3g1", TestoLinkErrato, "più celle delle 5 x 5"},
        {P + "5/5/g5k2o1k3h", TestoLinkErrato, "più celle delle 5 x 5"},
        {P + "5/5/g5k2o1k3-1", TestoLinkErrato, "Numero incompleto nel link alla cella (5, 5)"},
        {P + "5/5/g5k2o1k3#", TestoLinkErrato, "Carattere non ammesso nel link: \"#\""},
        {"https://puzz.link/p?slither/5/5/g5k2o1k3g", TestoLinkErrato, "\"slither\""},
        {P + "0/5/zl", TestoLinkErrato, "colonne non ammesso: 0"},
        {P + "5/51/zl", TestoLinkErrato, "righe non ammesso: 51"},
        {P + "5/x/zl", TestoLinkErrato, "Misure del link non leggibili"},
        {P + "2/1/1", TestoLinkErrato, "1 delle 2 celle"},
        {P + "51/1/" + std::string(51, '1'), TestoLinkErrato, "colonne non ammesso: 51"},
        {P + "50/2/" + std::string(51, '1') + "zzo", TestoLinkErrato, "Troppe isole: 51"},
        {F + "1\n2\n10 . \n", TestoFileErrato, "numero 10 non ammesso"},
        {F + "1\n2\n- 1 \n", TestoFileErrato, "(1, 1) ha un numero sconosciuto"},
        {F + "2\n2\n1 . \n", TestoFileErrato, "troncato: 1 righe dello schema su 2"},
        {F + "1\n2\n1 \n", TestoFileErrato, "ha 1 caselle invece di 2"},
        {F + "1\n2\n1 . . \n", TestoFileErrato, "più di 2 caselle"},
        {F + "1\n2\n1 x \n", TestoFileErrato, "Casella (1, 2) non leggibile: \"x\""},
        {"pzprv3\nslither\n1\n1\n1 \n", TestoFileErrato, "\"slither\""},
        {F + "0\n2\n", TestoFileErrato, "righe non ammesso: 0"},
        {F + "1\n51\n", TestoFileErrato, "colonne non ammesso: 51"},
        {F + "uno\n2\n1 .\n", TestoFileErrato, "Misure non leggibili"},
        {"pzprv3\n", TestoFileErrato, "Mancano il gioco e le misure"},
    };
    std::set<std::string> motivi;
    for (const auto& c : casi) {
        SCOPED_TRACE(c.testo);
        const EsitoLettura e = LeggiSchema(c.testo);
        EXPECT_EQ(e.Errore, c.errore);
        EXPECT_NE(e.Dettaglio.find(c.motivo), std::string::npos) << e.Dettaglio;
        motivi.insert(e.Dettaglio);
    }
    EXPECT_GE(motivi.size(), 20u);
}

// "Incolla" takes a link or a pzprv3 text; the clipboard form keeps its messages; a refused
// input leaves the puzzle as it was. A pzprv3 file opens with its player's board and saves
// back the same.
TEST(Link, TheWindowPastesLinksAndOpensAndSavesPzprv3) {
    PiattaformaHeadless p;
    Form1 f{p};
    f.Form_Load();
    f.Form_Activate();
    p.Appunti = LinkCampione;
    f.tlb1_ButtonClick("Incolla");
    ASSERT_EQ(f.m.NumEle, 4);
    const struct {
        std::string testo;
        const char* errore;
    } rifiuti[] = {{"https://puzz.link/p?nurikabe/2/1/a1", TestoLinkErrato},
                   {std::string(LinkCampione).substr(0, 38), TestoLinkErrato},
                   {"pzprv3/nurikabe/1/1/-", TestoAppuntiErrati},
                   {"1,2,3", TestoAppuntiErrati}};
    for (const auto& r : rifiuti) {
        SCOPED_TRACE(r.testo);
        p.Appunti = r.testo;
        p.Messaggi.clear();
        p.RisposteMessaggi = {Risposta::No}; // the puzzle on the board is not saved first
        f.tlb1_ButtonClick("Incolla");
        ASSERT_EQ(p.Messaggi.size(), 2u);
        EXPECT_EQ(p.Messaggi[0], "Salvare lo schema attuale?");
        EXPECT_EQ(p.Messaggi[1].substr(0, p.Messaggi[1].find('\n')), r.errore);
        EXPECT_EQ(f.m.NumRighe, 5);
        EXPECT_EQ(f.m.NumEle, 4);
    }

    const fs::path d = fs::path(testing::TempDir()) / "isolmar-pzpr";
    fs::create_directories(d);
    const std::string file = (d / "campione.pzpr").string();
    ASSERT_TRUE(ScriviFileSicuro(file, "pzprv3\nnurikabe\n5\n5\n+ 5 # # # \n+ # 2 + # \n"
                                       "+ # # # # \n+ # 1 # . \n# # # 3 . \n"));
    p.PercorsiApri = {file};
    p.RisposteMessaggi = {Risposta::No};
    f.tlb1_ButtonClick("Apri");
    EXPECT_EQ(f.m.TblGioco(1, 3), 2);
    EXPECT_EQ(f.m.TblGioco(2, 4), 1);
    const std::string copia = (d / "copia.pzpr").string();
    p.PercorsiSalva = {copia};
    f.mnuSalvaPzpr_Click();
    EXPECT_EQ(Leggi(copia), Leggi(file));
    f.mnuCopiaLink_Click();
    EXPECT_EQ(p.Appunti, LinkCampione);
    fs::remove_all(d);
}
