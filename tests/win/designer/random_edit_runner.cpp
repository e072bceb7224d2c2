// Runs of a seed from a start design, and what a finding is reported as:
// the seed, the shortest failing prefix replayed from the start design,
// that prefix with every step it does not need taken out, and the line
// that replays it.
#include "random_edit_runner.h"

#include "document/design_file.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace randomedit {

namespace {

using Clock = std::chrono::steady_clock;

std::string category(const std::string& what) {
    return what.substr(0, what.find(':'));
}

std::string listSteps(uint64_t seed, const std::vector<uint32_t>& steps) {
    std::ostringstream out;
    for (size_t k = 0; k < steps.size(); ++k)
        out << (k ? ", " : "") << steps[k] << " " << operationOf(seed, steps[k]).name;
    return out.str();
}

std::string joined(const std::vector<uint32_t>& steps) {
    std::string s;
    for (size_t k = 0; k < steps.size(); ++k)
        s += (k ? "," : "") + std::to_string(steps[k]);
    return s;
}

} // namespace

std::vector<StartFile> writeStartFiles(Session& s) {
    std::vector<StartFile> out;
    for (const StartDesign& d : startDesigns()) {
        const std::string path = s.folder + d.name + ".start";
        auto bytes = zarnet::writeDesign(d.design);
        if (!zarnet::writeFileAtomic(path, bytes)) continue;
        out.push_back({d.name, path});
        s.startBytes[path] = std::move(bytes);
    }
    for (const auto& [name, bytes] : pictureFiles())
        zarnet::writeFileAtomic(s.folder + name, bytes);
    return out;
}

std::vector<uint32_t> firstSteps(uint32_t count) {
    std::vector<uint32_t> steps(count);
    for (uint32_t k = 0; k < count; ++k)
        steps[k] = k;
    return steps;
}

namespace {

// The report of a finding: replayed on its shortest prefix, then shrunk.
void explain(Session& s, const StartFile& start, uint64_t seed, const std::vector<uint32_t>& steps,
             const Finding* found, const ShrinkBudget& budget, Outcome& o) {
    std::ostringstream r;
    r << "random edit finding: design \"" << start.name << "\", seed " << seed << ", after step "
      << steps[found->step] << " (" << found->operation << "):\n  " << found->what << "\n";

    // The shortest failing prefix: the run up to the step that failed,
    // replayed from the start design to show it fails again.
    std::vector<uint32_t> prefix(steps.begin(), steps.begin() + found->step + 1);
    const auto again = s.run(start.path, seed, prefix);
    const std::string kind = category(found->what);
    if (!again || category(again->what) != kind) {
        r << "  the prefix of " << prefix.size() << " steps did not fail again the same way"
          << (again ? ": " + again->what : std::string()) << "\n";
        o.report = r.str();
        return;
    }
    if (again->step + 1 < prefix.size()) prefix.resize(again->step + 1);
    r << "  shortest failing prefix: " << prefix.size() << " steps: " << listSteps(seed, prefix)
      << "\n";

    // Steps the fault does not need, taken out in halves, then quarters ...
    std::vector<uint32_t> cur = prefix;
    const auto until = Clock::now() + std::chrono::seconds(budget.seconds);
    int replays = 0;
    for (size_t chunk = cur.size() / 2;
         chunk >= 1 && replays < budget.replays && Clock::now() < until;) {
        bool removed = false;
        for (size_t at = 0; at < cur.size() && replays < budget.replays && Clock::now() < until;) {
            std::vector<uint32_t> candidate(cur.begin(),
                                            cur.begin() + static_cast<std::ptrdiff_t>(at));
            candidate.insert(candidate.end(),
                             cur.begin() +
                                 static_cast<std::ptrdiff_t>(std::min(at + chunk, cur.size())),
                             cur.end());
            if (candidate.empty()) {
                at += chunk;
                continue;
            }
            ++replays;
            const auto f = s.run(start.path, seed, candidate);
            if (f && category(f->what) == kind) {
                candidate.resize(f->step + 1);
                cur = candidate;
                removed = true;
            } else {
                at += chunk;
            }
        }
        if (!removed) chunk /= 2;
    }
    if (cur.size() < prefix.size())
        r << "  without the steps it does not need (" << replays << " replays): " << cur.size()
          << " steps: " << listSteps(seed, cur) << "\n";
    r << "  replay: ZARNET_RANDOM_REPLAY=" << start.name << ":" << seed << ":" << joined(cur)
      << "\n";
    o.shortest = cur;
    o.report = r.str();
}

} // namespace

Outcome runSeed(Session& s, const StartFile& start, uint64_t seed,
                const std::vector<uint32_t>& steps, const ShrinkBudget& budget) {
    Outcome o;
    const auto found = s.run(start.path, seed, steps);
    o.stepsRun = found ? found->step + 1 : static_cast<uint32_t>(steps.size());
    if (!found) return o;
    o.finding = found;
    const auto began = Clock::now();
    explain(s, start, seed, steps, &*found, budget, o);
    o.replaySeconds = std::chrono::duration<double>(Clock::now() - began).count();
    return o;
}

std::vector<std::string> knownFindings() {
    std::vector<std::string> out;
    const char* v = std::getenv("ZARNET_RANDOM_KNOWN");
    std::istringstream in(v ? v : "");
    for (std::string part; std::getline(in, part, '|');)
        if (!part.empty()) out.push_back(part);
    return out;
}

std::optional<Replay> parseReplay(const std::string& text) {
    const size_t a = text.find(':'), b = a == std::string::npos ? a : text.find(':', a + 1);
    if (b == std::string::npos) return std::nullopt;
    Replay r;
    r.design = text.substr(0, a);
    r.seed = std::stoull(text.substr(a + 1, b - a - 1));
    std::istringstream in(text.substr(b + 1));
    for (std::string part; std::getline(in, part, ',');)
        if (!part.empty()) r.steps.push_back(static_cast<uint32_t>(std::stoul(part)));
    return r;
}

} // namespace randomedit
