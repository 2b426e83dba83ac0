// The command table: every control the window shows has a command, and every command, the share
// menu's included, waits for long work to end.
#include "Partita.h"
#include "ui/Testi.h"

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
    for (const auto* lista : {&ComandiFrame1(), &ComandiFrame2(), &ComandiStrumenti()})
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

// Without a puzzle the commands that need one are disabled and say why; a puzzle enables them,
// whichever way it came (a file, the clipboard, the generator).
TEST(Comandi, CommandsThatNeedAPuzzleAreDisabledUntilOneIsLoaded) {
    const std::pair<const char*, bool> comandi[] = {
        {"CommandSoluz", false}, {"CommandSoluz3", false}, {"cmdConfigurazioniIsoleMarcate", false},
        {"CmdLog", false},       {"CmdSalvaxml", false},   {"mnuSalvaConNome", false},
        {"Risolvi", true},       {"Mostra", true},         {"Valuta", true},
        {"Stampa", true},        {"Salva", true},          {"Redo", true},
    };
    auto stato = [](auto& g, const char* nome, bool barra) {
        const auto& mappa = barra ? g.p.AbilitatiBarra : g.p.Abilitati;
        const auto it = mappa.find(nome);
        return std::pair(it != mappa.end() && it->second,
                         g.p.Motivi[(barra ? std::string("barra:") : "") + nome]);
    };
    Partita vuota;
    for (const auto& [nome, barra] : comandi)
        EXPECT_EQ(stato(vuota, nome, barra), std::pair(false, std::string(TestoSenzaSchema)))
            << nome;
    // Commands that open or make a puzzle are never held back.
    EXPECT_FALSE(vuota.p.Abilitati.contains("CommandGenera"));
    EXPECT_FALSE(vuota.p.AbilitatiBarra.contains("Apri"));

    Partita aperta("janko-0870"), generata;
    generata.f.Clic("CommandGenera");
    for (auto* g : {&aperta, &generata})
        for (const auto& [nome, barra] : comandi)
            EXPECT_EQ(stato(*g, nome, barra), std::pair(true, std::string())) << nome;
    // The marked-islands list also waits for a marked island.
    EXPECT_FALSE(aperta.p.AbilitatiBarra["Aiuto"]);
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
