// The written-out roughing passes over a long profile with steps, tapers and grooves.
#include <benchmark/benchmark.h>

#include "postprocessor/RoughPasses.h"

namespace {

// length mm of profile: every 10 mm a step, a taper and a 2 mm deep groove between radii 20 and 30.
std::vector<CNosePathSegment> Profile(int length) {
    std::vector<CNosePathSegment> profile;
    auto line = [&profile](double z0, double x0, double z1, double x1) {
        CNosePathSegment s;
        s.start = {z0, x0};
        s.end = {z1, x1};
        profile.push_back(s);
    };
    for (int z = 0; z < length; z += 10) {
        const double x = 20.0 + (z / 10 % 10);
        line(z, x, z + 4, x);
        line(z + 4, x, z + 5, x - 2);
        line(z + 5, x - 2, z + 7, x - 2);
        line(z + 7, x - 2, z + 10, x + 1);
    }
    return profile;
}

void BM_RoughPasses(benchmark::State& state) {
    const std::vector<CNosePathSegment> profile = Profile(static_cast<int>(state.range(0)));
    CRoughSpec spec;
    spec.dStartZ = -2;
    spec.dStartX = 35;
    spec.dDepth = 1;
    spec.dAllowX = 0.2;
    spec.dAllowZ = 0.1;
    size_t moves = 0;
    for (auto _ : state) {
        moves = CRoughPasses::Compute(profile, spec).size();
        benchmark::DoNotOptimize(moves);
    }
    state.counters["moves"] = static_cast<double>(moves);
}
BENCHMARK(BM_RoughPasses)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
