// The command table: every control the window shows has a command, and every command, the share
// menu's included, waits for long work to end.
#include "Partita.h"

#include <set>
#include <type_traits>

using namespace isolmar;

// A control is named by its constant: a bare string, misspelt or not, does not compile there.
static_assert(!std::is_convertible_v<const char*, Controllo>);
static_assert(!std::is_invocable_v<decltype(&Piattaforma::ImpostaTesto), Piattaforma&, const char*,
                                   const std::string&>);
static_assert(std::is_invocable_v<decltype(&Piattaforma::ImpostaTesto), Piattaforma&, Controllo,
                                  const std::string&>);

TEST(Comandi, EveryButtonAndToolbarKeyHasOneRow) {
    std::vector<std::pair<Origine, std::string>> nomi;
    for (const PulsanteBarra& b : BarraStrumenti())
        if (!b.Spaziatore()) nomi.emplace_back(Origine::Barra, b.Chiave);
    for (const auto* lista : {&ComandiFrame1(), &ComandiFrame2()})
        for (const Comando& c : *lista)
            nomi.emplace_back(Origine::Controllo, c.Nome);
    for (const auto& [da, nome] : nomi)
        EXPECT_NE(TrovaComando(da, nome), nullptr) << nome;
    std::set<std::pair<Origine, std::string_view>> visti;
    for (const VoceComando& v : Form1::TabellaComandi())
        EXPECT_TRUE(visti.insert({v.Da, v.Nome}).second) << v.Nome;
    // A toolbar key is no control name, and the other way.
    EXPECT_EQ(TrovaComando(Origine::Controllo, "Apri"), nullptr);
    EXPECT_EQ(TrovaComando(Origine::Barra, "CommandSoluz"), nullptr);
}

TEST(Comandi, ShareAndOtherCommandsAreRefusedWhileASearchRuns) {
    Partita g("janko-0870");
    // In the middle of the search, as the window's event loop would deliver them.
    g.p.DopoCessioni(1, [&] {
        ASSERT_TRUE(g.f.InElaborazione());
        g.f.Clic("mnuCopiaLink");
        g.f.Clic("mnuSalvaPzpr");
        g.f.tlb1_ButtonClick("Salva");
    });
    g.p.PercorsiSalva = {testing::TempDir() + "isolmar-non-scritto.txt"};
    g.f.Clic("CommandSoluz3");
    ASSERT_GT(g.p.Cessioni, 1);
    EXPECT_EQ(g.p.Appunti, "");
    EXPECT_EQ(g.p.PercorsiSalva.size(), 1u); // no save dialog was opened
    // Once the search has ended the same entry acts.
    g.f.Clic("mnuCopiaLink");
    EXPECT_EQ(g.p.Appunti.rfind("https://puzz.link/p?nurikabe/", 0), 0u) << g.p.Appunti;
}
