// Times as a person reads them, and a new message that takes an earlier work's time away.
#include "Partita.h"
#include "view/Etichette.h"

#include <cmath>

using namespace isolmar;

TEST(Etichette, DurationsAndCountsReadAsAnItalianReaderReadsThem) {
    // clang-format off
    const std::pair<double, const char*> durate[] = {
        {0, "0 s"}, {-3, "0 s"}, {NAN, "0 s"}, {0.0004, "0 s"}, {0.0120000000006257, "0,012 s"},
        {0.5, "0,5 s"}, {0.9996, "1 s"}, {6.66599999999926, "6,7 s"}, {14.537, "14,5 s"},
        {59.96, "1 min"}, {65.4, "1 min 5 s"}, {3599.6, "1 h"}, {3725, "1 h 2 min"}};
    // clang-format on
    for (auto [secondi, testo] : durate)
        EXPECT_EQ(TestoDurata(secondi), testo) << secondi;
    EXPECT_EQ(TestoQuanti(1, "tentativo", "tentativi"), "1 tentativo");
    EXPECT_EQ(TestoQuanti(21, "tentativo", "tentativi"), "21 tentativi");
}

// A command that says nothing new leaves the time; one with a message of its own takes it away.
// The time bar, moved by a search of 20 s, is empty after it.
TEST(Etichette, ANewMessageReplacesTheEarlierWorksTime) {
    Partita w(Unico);
    w.p.FissaOrologio(1000);
    w.p.DopoCessioni(0, [&] { w.p.AvanzaOrologio(20); });
    const struct {
        std::function<void()> fai;
        const char *label1, *label2;
    } passi[] = {
        {[&] { w.f.Clic("CommandSoluz"); }, "20 s", "Soluzione schema"},
        {[&] { w.f.tlb1_ButtonClick("Undo"); }, "20 s", "Soluzione schema"}, // nothing to undo
        {[&] { w.f.Form_KeyPress(27); }, "20 s", "Soluzione schema"},        // nothing to stop
        {[&] { w.f.Clic("CommandSoluz3"); }, "", "Esiste una sola soluzione"},
    };
    for (const auto& s : passi) {
        s.fai();
        EXPECT_EQ(w.p.Testo(controlli::Label1), s.label1) << s.label2;
        EXPECT_EQ(w.Label2(), s.label2);
        EXPECT_EQ(w.p.ValoreBarra, 0);
    }
}
