// Random editing from every start design, with every check after every
// step, then every step undone and redone. A finding fails the test with its seed, its
// shortest failing prefix and the line that replays it.
//
//   ZARNET_RANDOM_STEPS   steps per run (default 200)
//   ZARNET_RANDOM_SEEDS   seeds per start design (default 1)
//   ZARNET_RANDOM_SEED    the first seed (default 1)
//   ZARNET_RANDOM_DESIGN  only the start design of this name
//   ZARNET_RANDOM_REPLAY  "design:seed:step,step,..." replays those steps only
//   ZARNET_RANDOM_TRACE   prints the list in short after every step
//   ZARNET_RANDOM_KNOWN   "text|text": findings containing one are counted
//                         and the run goes on (faults being mended)
//   ZARNET_RANDOM_PROFILE prints the time and effect of each operation
//   ZARNET_RANDOM_UNDO    0: no undo and redo of every step after a run
#include "random_edit_runner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace randomedit;

uint64_t setting(const char* name, uint64_t fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtoull(v, nullptr, 10) : fallback;
}

std::string folderFor(const char* name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "zarnet-random-" + name + "\\";
}

TEST(RandomEdit, EveryStepKeepsDesignCanvasTreeAndFileInStep) {
    Session s(folderFor("test"));
    const auto starts = writeStartFiles(s);
    s.trace = setting("ZARNET_RANDOM_TRACE", 0) != 0;
    s.known = knownFindings();
    s.undoAll = setting("ZARNET_RANDOM_UNDO", 1) != 0;
    ASSERT_EQ(starts.size(), startDesigns().size());

    if (const char* text = std::getenv("ZARNET_RANDOM_REPLAY"); text && *text) {
        const auto replay = parseReplay(text);
        ASSERT_TRUE(replay) << "not design:seed:steps: " << text;
        const auto start = std::find_if(starts.begin(), starts.end(), [&](const StartFile& f) {
            return f.name == replay->design;
        });
        ASSERT_NE(start, starts.end()) << "no start design " << replay->design;
        for (uint32_t k : replay->steps)
            std::printf("step %u: %s\n", k, operationOf(replay->seed, k).name);
        const auto f = s.run(start->path, replay->seed, replay->steps);
        if (setting("ZARNET_RANDOM_PROFILE", 0)) std::printf("%s", s.timeReport().c_str());
        EXPECT_FALSE(f) << "after step " << replay->steps[f->step] << " (" << f->operation
                        << "): " << f->what;
        return;
    }

    const uint32_t steps = static_cast<uint32_t>(setting("ZARNET_RANDOM_STEPS", 200));
    const uint64_t seeds = setting("ZARNET_RANDOM_SEEDS", 1),
                   first = setting("ZARNET_RANDOM_SEED", 1);
    const auto began = std::chrono::steady_clock::now();
    uint64_t total = 0;
    int findings = 0;
    double replaying = 0;
    const char* only = std::getenv("ZARNET_RANDOM_DESIGN");
    for (const StartFile& start : starts) {
        if (only && *only && start.name != only) continue;
        for (uint64_t seed = first; seed < first + seeds; ++seed) {
            // Only the first finding is shrunk, so a run with many stays short.
            const ShrinkBudget budget = findings == 0 ? ShrinkBudget{20, 30} : ShrinkBudget{0, 0};
            const Outcome o = runSeed(s, start, seed, firstSteps(steps), budget);
            total += o.stepsRun;
            replaying += o.replaySeconds;
            if (o.finding) {
                ++findings;
                ADD_FAILURE() << o.report;
            }
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("random edit: %llu steps in %.1f s (%.1f steps per second), %d findings "
                "(%.1f s replaying them)\n",
                static_cast<unsigned long long>(total), seconds - replaying,
                seconds > replaying ? total / (seconds - replaying) : 0.0, findings, replaying);
    if (setting("ZARNET_RANDOM_PROFILE", 0)) std::printf("%s", s.timeReport().c_str());
    for (const auto& [text, count] : s.knownSeen)
        std::printf("known finding \"%s\" seen %llu times\n", text.c_str(),
                    static_cast<unsigned long long>(count));
}

} // namespace
