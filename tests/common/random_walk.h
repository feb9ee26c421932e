// What the desktop builds' random walks share with the page's: the same
// small generator of numbers (mulberry32), so that a seed walks the same
// steps on every machine, and the seeds and steps a run is given
// (VORNAK_SEEDS, comma-separated, and VORNAK_STEPS).
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace vornak::test {

class Generator {
public:
    explicit Generator(uint32_t seed) : a_(seed) {}
    // A number in [0, 1).
    double operator()()
    {
        a_ += 0x6d2b79f5u;
        uint32_t t = a_;
        t = (t ^ (t >> 15)) * (t | 1u);
        t ^= t + (t ^ (t >> 7)) * (t | 61u);
        return static_cast<double>(t ^ (t >> 14)) / 4294967296.0;
    }
    // A whole number in [0, n).
    int below(int n) { return static_cast<int>((*this)() * n); }
    bool chance(double p) { return (*this)() < p; }

private:
    uint32_t a_;
};

struct WalkPlan {
    std::vector<uint32_t> seeds;
    int steps;
};

// Seeds written as a list, "21,22,23".
inline std::vector<uint32_t> parseSeeds(const char* list)
{
    std::vector<uint32_t> seeds;
    for (const char* p = list; *p;) {
        char* end = nullptr;
        seeds.push_back(static_cast<uint32_t>(std::strtoul(p, &end, 10)));
        p = *end ? end + 1 : end;
    }
    return seeds;
}

// The seeds and steps asked for, or the short run's.
inline WalkPlan walkPlan(std::vector<uint32_t> seeds, int steps)
{
    if (const char* s = std::getenv("VORNAK_SEEDS"); s && *s)
        seeds = parseSeeds(s);
    if (const char* s = std::getenv("VORNAK_STEPS"); s && *s)
        steps = std::atoi(s);
    return {seeds, steps};
}

}  // namespace vornak::test
