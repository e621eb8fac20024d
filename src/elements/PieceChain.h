// CPieceChain: the ordered chain of elements a selection follows and writes into (a layer).
#pragma once

#include <cstdint>
#include <memory>

class CPiece;

// What an element needs of the profile it belongs to, without knowing the document: the
// element owning an axial position, the profile's height and slope there, and insertion.
class CPieceChain {
public:
    virtual ~CPieceChain() = default;
    // The element that owns axial coordinate x (a border outside the drawing); null when none.
    virtual CPiece* FindAt(int32_t x) const = 0;
    virtual int32_t GetYAt(int32_t x) const = 0;
    virtual double GetSlopeAt(int32_t x) const = 0;
    // Inserts the piece; the chain owns it afterwards (or destroys it when it has no place).
    virtual void AddPiece(std::unique_ptr<CPiece> piece, int redraw) = 0;
};
