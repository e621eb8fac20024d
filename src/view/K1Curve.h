// The K1 tool's construction: a double arc over a finished range, following the profile.
#pragma once

#include <memory>

class CPiece;
class CSelection;
class CKestrovelView;

// S and E from the range, the junction on the profile at the middle of the range, the
// direction point reset, then the curve recomputed.
std::unique_ptr<CPiece> MakeK1Curve(const CSelection& range, CKestrovelView& view);
