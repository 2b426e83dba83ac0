// The file forms: every published file read back to its puzzle in every form, round trips, the
// check code, the inputs that must be refused without harm, safe reads and writes.
#include "io/Letture.h"
#include "io/PuzzLink.h"
#include "model/Impostazione.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <set>

using namespace isolmar;
namespace fs = std::filesystem;

namespace {

std::string Leggi(const fs::path& p) {
    std::string s;
    EXPECT_TRUE(LeggiFile(p.string(), s)) << p;
    return s;
}

// The size and the clues, whatever their order in the file.
std::vector<int> Forma(const Schema& s) {
    std::vector<std::array<int, 3>> isole;
    for (const Indizio& i : s.Isole)
        isole.push_back({i.Riga, i.Colonna, i.Num});
    std::sort(isole.begin(), isole.end());
    std::vector<int> v{s.Righe, s.Colonne};
    for (const auto& i : isole)
        v.insert(v.end(), i.begin(), i.end());
    return v;
}

// An XML file of the puzzle with a valid check code; dopo goes between the clues and the code.
std::string Xml(const Schema& s, const std::string& dopo = "") {
    std::string x = "<?xml version=\"1.0\" ?>\r\n<NURIKABE rows=\"" + std::to_string(s.Righe) +
                    "\" columns=\"" + std::to_string(s.Colonne) + "\">\r\n";
    for (const Indizio& i : s.Isole)
        x += "<DATA row=\"" + std::to_string(i.Riga) + "\" column=\"" + std::to_string(i.Colonna) +
             "\" number=\"" + std::to_string(i.Num) + "\" />\r\n";
    return x + dopo + "<CHECK>" + CreaPwd(s.Righe, s.Colonne, s.Isole) +
           "</CHECK>\r\n</NURIKABE>\r\n";
}

const std::string Esempio = Xml({2, 3, {{2, 1, 1}, {1, 2, 3}}},
                                "<SOLUTION>100101</SOLUTION>\r\n<POSITION>120001</POSITION>\r\n");

} // namespace

// Worked by hand. 2 x 3 with clues 2 at (1,1) and 1 at (2,3): S = 10102 + 20301 = 30403,
// P = 3 x (2 + 30403) = 91215, T = "091215". The seed 418207 goes 418246 (digit 0 -> 3),
// 418289 (9 -> 1), 418336 (1 -> 2), 418388 (2 -> 9), 418445 + 4 = 418449 (1 -> 9),
// 418512 + 3 + 4 = 418519 (5 -> 5): "312995".
// 1 x 1 with clue 1: P = 1 x (1 + 10101) = 10102, T = "010102" through the same seeds: "393008".
TEST(CodiceControllo, TwoWorkedExamples) {
    EXPECT_EQ(CreaPwd(2, 3, {{2, 1, 1}, {1, 2, 3}}), "312995");
    EXPECT_EQ(CreaPwd(1, 1, {{1, 1, 1}}), "393008");
    int32_t seme = 418207;
    EXPECT_EQ(CodificaCifre("0", seme), "3");
    EXPECT_EQ(seme, 418246);
}

// Every published puzzle reads alike from its XML file, its text form, its link and a pzprv3
// file whose player's board is the solution.
TEST(FilePubblicati, EveryFormReadsToTheSamePuzzle) {
    int letti = 0;
    for (const auto& f : fs::directory_iterator(ISOLMAR_PUZZLES_DIR)) {
        if (f.path().extension() != ".xml") continue;
        SCOPED_TRACE(f.path().filename().string());
        const EsitoLettura a = LeggiSchema(Leggi(f.path()));
        ASSERT_TRUE(a.Ok()) << a.Testo();
        EXPECT_TRUE(a.Letto.HaPosizione);
        fs::path txt = f.path();
        const EsitoLettura b = LeggiSchema(Leggi(txt.replace_extension(".txt")));
        ASSERT_TRUE(b.Ok()) << b.Testo();
        EXPECT_EQ(Forma(a.Letto.S), Forma(b.Letto.S));
        EXPECT_EQ(a.Letto.Soluzione, b.Letto.Soluzione);
        std::string posizione = a.Letto.Soluzione;
        std::replace(posizione.begin(), posizione.end(), '0', '2');
        for (const std::string& t : {ScriviLink(a.Letto.S), ScriviPzprv3(a.Letto.S, posizione)}) {
            const EsitoLettura c = LeggiSchema(t);
            ASSERT_TRUE(c.Ok()) << c.Testo();
            EXPECT_EQ(Forma(c.Letto.S), Forma(a.Letto.S));
            EXPECT_EQ(c.Letto.Posizione, c.Letto.HaPosizione ? posizione : "");
        }
        ++letti;
    }
    EXPECT_GE(letti, 20);
}

// The writers' output reads back: the sample byte for byte, the text form with 50 islands.
TEST(Scrittori, WhatIsWrittenReadsBack) {
    auto m = NuovoModello();
    const EsitoLettura e = LeggiXml(Esempio);
    ASSERT_TRUE(e.Ok()) << e.Errore;
    ASSERT_TRUE(ApplicaSchema(*m, e.Letto.S));
    for (int k = 0; k < 6; ++k) {
        m->Tblsol(1, 1 + k / 3, 1 + k % 3) = static_cast<uint8_t>(e.Letto.Soluzione[k] - '0');
        m->TblGioco(1 + k / 3, 1 + k % 3) = static_cast<uint8_t>(e.Letto.Posizione[k] - '0');
    }
    m->NumSol = 1;
    EXPECT_EQ(ScriviXml(*m), Esempio);
    EXPECT_EQ(LeggiTesto(Righe(ScriviTesto(*m))).Letto.Soluzione, "100101");
    Schema s{10, 10, {}};
    std::string appunti = "," + std::string(6, '?') + ",10,10";
    for (int k = 0; k < MaxEle; ++k) {
        s.Isole.push_back({1, 1 + k / 10 * 2, 1 + k % 10});
        appunti += "," + std::to_string(1 + k / 10 * 2) + "," + std::to_string(1 + k % 10) + ",1";
    }
    ASSERT_TRUE(ApplicaSchema(*m, s));
    const std::vector<std::string> righe = Righe(ScriviTesto(*m));
    ASSERT_EQ(righe.size(), 51u);
    EXPECT_EQ(Forma(LeggiTesto(righe).Letto.S), Forma(s));
    EXPECT_TRUE(LeggiAppunti(appunti.replace(1, 6, CreaPwd(10, 10, s.Isole))).Ok());
}

// One edit of the sample file each, and what the reader makes of it.
TEST(FileXml, EditsOfTheSampleAndPuzzlesOutsideTheModel) {
    const struct {
        const char *da, *a, *errore, *posizione;
    } casi[] = {
        // Single quotes, upper case, column before row.
        {"row=\"1\" column=\"1\"", "COLUMN='1' ROW='1'", "", "120001"},
        // The check code covers only the clues.
        {"<SOLUTION>1", "<SOLUTION>0", "", "120001"},
        {"number=\"2\"", "number=\"3\"", "Dati errati", ""},
        // The number must come after row and column: otherwise that island is lost.
        {"row=\"1\" column=\"1\" number=\"2\"", "number=\"2\" row=\"1\" column=\"1\"",
         "Dati errati", ""},
        {"<CHECK>", "<CONTROLLO>", "Dati errati", ""},
        // A short position reads as 0s, clue cells as island; a digit above 2 is refused.
        {"<POSITION>120001", "<POSITION>12", "", "120001"},
        {"<POSITION>120001", "<POSITION>020000", "", "120001"},
        {"<POSITION>1", "<POSITION>7", "File inesistente o dati errati", ""},
        // A value no field of the file can hold.
        {"row=\"2\"", "row=\"300\"", "File inesistente o dati errati", ""},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.a);
        std::string s = Esempio;
        s.replace(s.find(c.da), std::strlen(c.da), c.a);
        const EsitoLettura e = LeggiXml(s);
        EXPECT_EQ(e.Errore, c.errore);
        EXPECT_EQ(e.Letto.Posizione, c.posizione);
    }
    // Puzzles outside the model are refused even with a valid check code.
    Schema molte{50, 50, {}};
    for (int k = 1; k <= 53; ++k)
        molte.Isole.push_back({1, k % 50 + 1, k / 50 + 1});
    for (const Schema& fuori : {Schema{60, 5, {{1, 1, 1}}}, Schema{5, 5, {{1, 9, 1}}},
                                Schema{5, 5, {{12, 1, 1}}}, Schema{5, 5, {}}, molte}) {
        const EsitoLettura e = LeggiXml(Xml(fuori));
        EXPECT_EQ(e.Errore, "File inesistente o dati errati");
        EXPECT_FALSE(e.Dettaglio.empty());
    }
}

TEST(FileTesto, TextAndClipboardForms) {
    const std::string pwd = CreaPwd(2, 3, {{2, 1, 1}, {1, 2, 3}});
    const struct {
        std::vector<std::string> righe;
        const char* errore;
    } testi[] = {
        {{"," + pwd + ",2,3", "1,1,2", "2,3,1"}, ""}, // no solution: the first field is empty
        {{"," + pwd + ",2,3", "1,1", "1,1,2", "2,3,1"}, ""},   // a two-field line is skipped
        {{"," + pwd + ",2,3", "1,1,2", "2,3"}, "Dati errati"}, // ... and the code then fails
        {{"2,3", "1,1,2", "2,3,1"}, "File inesistente o dati errati"}, // the short form
        {std::vector<std::string>(51, "1,1,1"), "File inesistente o dati errati"},
    };
    for (const auto& t : testi) {
        EXPECT_EQ(LeggiTesto(t.righe).Errore, t.errore) << t.righe[0];
        EXPECT_FALSE(LeggiTesto(t.righe).Letto.HaSoluzione);
    }
    // The clipboard: one line, "S" for island cells of the solution.
    const EsitoLettura e = LeggiAppunti("S00S0S," + pwd + ",2,3,1,1,2,2,3,1");
    ASSERT_TRUE(e.Ok()) << e.Errore;
    EXPECT_EQ(e.Letto.Soluzione, "100101");
    for (const std::string& t :
         {std::string(), "S00S0S," + pwd + ",2,3,1,1,2,2,3", std::string("non è uno schema")})
        EXPECT_EQ(LeggiAppunti(t).Errore, "dati errati") << t;
}

// Every malformed input of the corpus is either accepted as a puzzle of the model or refused
// with one of the readers' messages.
TEST(Corpus, MalformedInputsAreRefusedCleanly) {
    const std::set<std::string> Messaggi{TestoDatiErrati, TestoFileErrato, TestoAppuntiErrati,
                                         TestoLinkErrato};
    int letti = 0;
    for (const auto& f : fs::directory_iterator(ISOLMAR_CORPUS_DIR)) {
        const std::string t = Leggi(f.path());
        for (const EsitoLettura& e : {LeggiXml(t), LeggiTesto(Righe(t)), LeggiAppunti(t),
                                      LeggiSchema(t), LeggiIncollato(t)}) {
            if (e.Ok())
                EXPECT_EQ(ValidaSchema(e.Letto.S), "") << f.path();
            else
                EXPECT_TRUE(Messaggi.count(e.Errore)) << f.path();
        }
        ++letti;
    }
    EXPECT_GE(letti, 10);
}

// A stored solution is taken only when it solves the puzzle; anything else loads the puzzle as
// unsolved, never as a false solution.
TEST(Soluzione, OnlyARealSolutionIsTaken) {
    const std::string pwd = CreaPwd(2, 3, {{2, 1, 1}, {1, 2, 3}});
    const struct {
        const char* carico;
        bool presa;
    } casi[] = {{"100101", true},  {"100101</SOLUTION>x", true},
                {"", false},       {"1001", false},
                {"000000", false}, {"110001", false},  // cut wall
                {"111101", false}, {"100111", false}}; // island too large; two clues joined
    for (const auto& c : casi) {
        SCOPED_TRACE(c.carico);
        std::string s = Esempio;
        const size_t a = s.find("<SOLUTION>") + 10;
        s.replace(a, s.find("</SOLUTION>") - a, c.carico);
        EXPECT_EQ(LeggiXml(s).Letto.HaSoluzione, c.presa);
        const EsitoLettura t =
            LeggiTesto({std::string(c.carico).substr(0, 6) + "," + pwd + ",2,3", "1,1,2", "2,3,1"});
        EXPECT_EQ(t.Letto.HaSoluzione, c.presa && std::string(c.carico).size() >= 6);
    }
    // A byte-order mark before the first field of a text file is no part of the solution.
    const std::string bom = "\xEF\xBB\xBF";
    EXPECT_EQ(LeggiSchema(bom + "100101," + pwd + ",2,3\r\n1,1,2\r\n2,3,1\r\n").Letto.Soluzione,
              "100101");
    // Unsolved: written as zeros, read back as unsolved, whatever the table holds from before.
    auto m = NuovoModello();
    ASSERT_TRUE(ApplicaSchema(*m, LeggiXml(Esempio).Letto.S));
    m->Tblsol(1, 1, 1) = 1;
    m->NumSol = 0;
    const std::string xml = ScriviXml(*m);
    EXPECT_NE(xml.find("<SOLUTION>000000</SOLUTION>"), std::string::npos);
    EXPECT_FALSE(LeggiXml(xml).Letto.HaSoluzione);
    EXPECT_EQ(ScriviTesto(*m).substr(0, 1), ",");
}

// A read refuses endless and huge inputs without reading them. A save replaces the old file
// whole, never writes through a stale temporary name, writes through a link to its file, keeps
// the permissions, refuses a read-only file or a folder, and leaves no temporary file.
TEST(FileSicuri, BoundedReadsAndSafeWrites) {
    const fs::path d = fs::temp_directory_path() / "isolmar-test-link";
    fs::remove_all(d);
    fs::create_directories(d);
    std::string dati, motivo;
    EXPECT_FALSE(LeggiFile("/dev/zero", dati, &motivo));
    EXPECT_EQ(motivo, "non è un file ordinario");
    ASSERT_TRUE(ScriviFileSicuro((d / "grande").string(), std::string(MaxByteFile + 1, 'x')));
    EXPECT_FALSE(LeggiFile((d / "grande").string(), dati, &motivo));
    EXPECT_NE(motivo.find("troppo grande"), std::string::npos);
    EXPECT_TRUE(dati.empty());
    fs::remove(d / "grande");
    const fs::path vittima = d / "vittima", schema = d / "schema.xml";
    ASSERT_TRUE(ScriviFileSicuro(vittima.string(), "intatto"));
    ASSERT_TRUE(ScriviFileSicuro(schema.string(), "vecchio"));
    fs::create_symlink(vittima, d / ".schema.xml.isolmar-abcdef");
    fs::create_symlink(vittima, d / "schema.xml.tmp-isolmar");
    ASSERT_TRUE(ScriviFileSicuro(schema.string(), "uno"));
    EXPECT_EQ(Leggi(vittima), "intatto");
    EXPECT_EQ(Leggi(schema), "uno");
    EXPECT_FALSE(fs::exists(fs::symlink_status(d / ".schema.xml.isolmar-abcdef")));

    constexpr fs::perms rw = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(schema, rw);
    const fs::path collegamento = d / "collegamento.xml";
    fs::create_symlink("schema.xml", collegamento);
    ASSERT_TRUE(ScriviFileSicuro(collegamento.string(), "due"));
    EXPECT_TRUE(fs::is_symlink(collegamento));
    EXPECT_EQ(Leggi(schema), "due");
    EXPECT_EQ(fs::status(schema).permissions() & fs::perms::all, rw);

    fs::permissions(schema, fs::perms::owner_read);
    EXPECT_FALSE(ScriviFileSicuro(schema.string(), "tre", &motivo));
    EXPECT_EQ(motivo, "il file è di sola lettura");
    EXPECT_EQ(Leggi(schema), "due");
    EXPECT_FALSE(ScriviFileSicuro((d / "manca" / "a.xml").string(), "x", &motivo));
    EXPECT_EQ(motivo, "la cartella non esiste");
    EXPECT_FALSE(ScriviFileSicuro(d.string(), "x", &motivo));
    EXPECT_EQ(motivo, "è una cartella");
    size_t voci = 0;
    for ([[maybe_unused]] const auto& x : fs::directory_iterator(d))
        ++voci;
    EXPECT_EQ(voci, 4u); // vittima, schema.xml, the old fixed-name link, collegamento.xml
    fs::remove_all(d);
}
