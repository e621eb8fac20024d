// The DXF target's mutator: changes by group-code/value pairs, and libFuzzer's own byte
// mutations (with the target's dictionary) for the rest.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "mutators/DxfPairMutator.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed) {
    static const CDxfPairMutator mutator(LLVMFuzzerMutate);
    std::mt19937 rng(seed);
    const std::string out = mutator.Mutate(std::string(reinterpret_cast<const char*>(data), size), maxSize, rng);
    std::memcpy(data, out.data(), out.size());
    return out.size();
}
