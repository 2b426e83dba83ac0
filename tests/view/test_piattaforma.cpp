#include "view/PiattaformaHeadless.h"

#include <gtest/gtest.h>

using namespace isolmar;

TEST(PiattaformaHeadless, DialogsTakeQueuedAnswersThenCancel) {
    PiattaformaHeadless p;
    p.RisposteMessaggi = {Risposta::Si, Risposta::No};
    EXPECT_EQ(p.Messaggio("Salvare lo schema attuale?", Pulsanti::SiNoAnnulla), Risposta::Si);
    EXPECT_EQ(p.Messaggio("x", Pulsanti::Ok), Risposta::Ok); // does not consume the queue
    EXPECT_EQ(p.Messaggio("y", Pulsanti::SiNoAnnulla), Risposta::No);
    EXPECT_EQ(p.Messaggio("z", Pulsanti::SiNoAnnulla), Risposta::Annulla);
    EXPECT_EQ(p.Messaggi.size(), 4u);
    p.PercorsiApri = {"a.xml"};
    EXPECT_EQ(p.DialogoApri("File NURIKABE|*.txt;*.xml"), "a.xml");
    EXPECT_EQ(p.DialogoApri("File NURIKABE|*.txt;*.xml"), "");
    p.RisposteStampante = {true};
    EXPECT_TRUE(p.ImpostaStampante());
    EXPECT_FALSE(p.ImpostaStampante());
}

TEST(PiattaformaHeadless, ClockYieldCountdownAndTimers) {
    PiattaformaHeadless p;
    const double t = p.Orologio();
    EXPECT_GE(t, 0.0);
    EXPECT_LT(t, 86400.0);
    p.FissaOrologio(100.5);
    p.AvanzaOrologio(2);
    EXPECT_DOUBLE_EQ(p.Orologio(), 102.5);

    int volte = 0, una = 0, periodico = 0;
    p.DopoCessioni(2, [&] { ++volte; });
    for (int i = 0; i < 10; ++i)
        p.Cedi();
    EXPECT_EQ(volte, 1);
    EXPECT_EQ(p.Cessioni, 10);

    p.TimerUnaVolta(1, [&] { ++una; });
    const int id = p.TimerPeriodico(2000, [&] { ++periodico; });
    p.EseguiTimer();
    p.EseguiTimer();
    EXPECT_EQ(una, 1);
    EXPECT_EQ(periodico, 2);
    p.FermaTimer(id);
    p.EseguiTimer();
    EXPECT_EQ(periodico, 2);
    EXPECT_EQ(p.TimerInAttesa(), 0u);
}
