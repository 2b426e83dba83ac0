// The headless host's watch over long work: the stop flag is set at the first check that finds
// the work over, checks come every ogni yields, and ending the watch leaves the flag alone.
#include "view/PiattaformaHeadless.h"

#include <gtest/gtest.h>

using namespace isolmar;

TEST(Sorveglianza, StopsAtTheFirstCheckThatFindsTheWorkOverAndEndsWhenAsked) {
    PiattaformaHeadless p;
    uint8_t fermo = 0;
    int controlli = 0;
    p.Sorveglia([&] { return ++controlli == 3; }, fermo, 10);
    long cessioni = 0;
    while (fermo == 0 && cessioni < 1000) {
        p.Cedi();
        ++cessioni;
    }
    EXPECT_EQ(fermo, 1);
    EXPECT_EQ(controlli, 3);
    EXPECT_EQ(cessioni, 33); // the check runs on the 11th yield after it is armed
    for (int i = 0; i < 100; ++i)
        p.Cedi();
    EXPECT_EQ(controlli, 3); // no check once it has stopped the work

    fermo = 0;
    p.LimiteSecondi(3600, fermo, 1);
    p.LimiteSecondi(0, fermo); // ended before it could fire
    for (int i = 0; i < 100; ++i)
        p.Cedi();
    EXPECT_EQ(fermo, 0);
    p.LimiteSecondi(1e-9, fermo, 1); // already spent at the first check
    p.Cedi();
    p.Cedi();
    EXPECT_EQ(fermo, 1);
}
