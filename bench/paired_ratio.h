// What the Windows benchmarks share: a paired run of two measurements per
// iteration reporting both means and the median ratio, and a scratch folder.
#pragma once

#include <windows.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace zarnet {

// `once` returns {ours, floor} in milliseconds; a negative value means a
// program did not show its window, which ends the benchmark with an error.
template <class F> void pairedRatio(benchmark::State& state, const char* a, const char* b, F once) {
    std::vector<double> ratios;
    double sumA = 0, sumB = 0;
    for (auto _ : state) {
        const auto [x, y] = once();
        if (x < 0 || y < 0) {
            state.SkipWithError("a program did not show its window");
            return;
        }
        sumA += x;
        sumB += y;
        ratios.push_back(x / y);
        state.SetIterationTime(x / 1000.0);
    }
    std::sort(ratios.begin(), ratios.end());
    const double n = static_cast<double>(ratios.size());
    state.counters[a] = sumA / n;
    state.counters[b] = sumB / n;
    state.counters["ratio"] = ratios[ratios.size() / 2];
}

// A folder of this name in the temporary folder, made when missing.
inline std::string benchFolder(const char* name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + name + "\\";
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace zarnet
