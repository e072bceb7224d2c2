// Seeded runs and their reports, shared by the test program and the long
// run in bench/.
#pragma once

#include "random_edit.h"

namespace randomedit {

// A start design written into the session's folder.
struct StartFile {
    std::string name, path;
};
// Writes the start designs and the picture files into the session's folder.
std::vector<StartFile> writeStartFiles(Session& s);
std::vector<uint32_t> firstSteps(uint32_t count);

// How long a finding may be shrunk.
struct ShrinkBudget {
    int replays = 40;
    int seconds = 60;
};

struct Outcome {
    uint32_t stepsRun = 0;
    std::optional<Finding> finding;
    std::vector<uint32_t> shortest; // the steps that still fail, when shrunk
    std::string report;
    double replaySeconds = 0; // spent confirming and shrinking a finding
};

// Runs these steps of the seed from the start design with every check;
// a finding is replayed on its shortest prefix and shrunk.
Outcome runSeed(Session& s, const StartFile& start, uint64_t seed,
                const std::vector<uint32_t>& steps, const ShrinkBudget& budget);

// "design:seed:step,step,..." as printed with a finding.
struct Replay {
    std::string design;
    uint64_t seed = 0;
    std::vector<uint32_t> steps;
};
std::optional<Replay> parseReplay(const std::string& text);

// The texts of ZARNET_RANDOM_KNOWN, separated by "|".
std::vector<std::string> knownFindings();

} // namespace randomedit
