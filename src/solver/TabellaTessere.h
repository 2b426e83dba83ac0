// The shape table of Tessere.h as computed at build time by tools/tabella_tessere.cpp: shape k is
// FormeTessere[k] and size d is the range IndiciTessere[d], the numbers of Modello::Tessere.
// A shape is coded by its bounding box, w columns by h rows: w in bits 0..3, and cell (r, c) of
// the box (both from 0) set at bit 4 + r * w + c. The last row is the one of the highest bit.
// Shapes of up to 9 cells have w + h <= 10, so w * h <= 25 and they fit.
#pragma once

#include "model/Modello.h"

#include <cstdint>

namespace isolmar {

extern const uint32_t FormeTessere[];
extern const IntervalloTessere IndiciTessere[MaxNum + 1];

} // namespace isolmar
