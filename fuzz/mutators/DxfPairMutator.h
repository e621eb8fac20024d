// CDxfPairMutator: a fuzzing mutator that sees DXF text as group-code/value line pairs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>

// Byte mutations rarely turn a count into -2147483648 or a line into one of more than a thousand
// bytes, which is where line readers and count-trusting readers of DXF text break. This mutator
// changes a value by the kind its group code gives it (integers to boundaries and huge counts,
// reals to overflowing or non-finite text, any line grown past 1 024 bytes), sets in whole
// entities of each kind a profile is read from (the corpus of a run tends to lose the kinds whose
// reading happens in an uninstrumented library), duplicates, drops, moves and recodes pairs, and
// leaves the rest to a plain byte mutator. Lines it does not touch
// keep their bytes, line breaks included.
class CDxfPairMutator {
public:
    enum class EKind { Integer, Real, Text };

    // Mutates bytes in [data, data + size) within a buffer of maxSize bytes; returns the new size.
    using ByteMutator = std::function<size_t(uint8_t* data, size_t size, size_t maxSize)>;

    explicit CDxfPairMutator(ByteMutator bytes = {}) : m_bytes(std::move(bytes)) {}

    // The kind of value a group code line announces (surrounding blanks allowed); Text when the
    // line is no group code.
    static EKind KindOf(std::string_view codeLine);

    // One mutation of text, at most maxSize bytes long.
    std::string Mutate(const std::string& text, size_t maxSize, std::mt19937& rng) const;

private:
    ByteMutator m_bytes;
};
