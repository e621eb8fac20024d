// The K1 tool's double arc over a finished range.
#include "view/K1Curve.h"

#include "elements/Piece.h"

// The double-arc element is not in the system yet: no curve is made and the range stays.
std::unique_ptr<CPiece> MakeK1Curve(const CSelection&, CKestrovelView&) { return nullptr; }
