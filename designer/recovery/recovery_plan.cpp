#include "designer/recovery/recovery_plan.h"

#include <algorithm>
#include <cstdio>

namespace zarnet::recovery {

CopyTimer::Action CopyTimer::step(const Now& now) {
    if (!now.modified) {
        seen_.reset();
        written_.reset();
        pending_ = retrying_ = false;
        return onDisk_ ? Action::Remove : Action::None;
    }
    if (seen_ != now.state) {
        seen_ = now.state;
        lastChange_ = now.ms;
        if (!pending_) firstChange_ = now.ms;
        pending_ = written_ != now.state;
    }
    if (!pending_ || now.gesture) return Action::None;
    if (retrying_ && now.ms - retryAt_ < kRetryMs) return Action::None;
    if (now.ms - lastChange_ >= kQuietMs || now.ms - firstChange_ >= kLatestMs)
        return Action::Write;
    return Action::None;
}

void CopyTimer::written(bool ok, uint32_t ms) {
    retrying_ = !ok;
    retryAt_ = ms;
    if (!ok) return;
    written_ = seen_;
    pending_ = false;
    onDisk_ = true;
}

OfferPlan planOffers(const std::vector<FoundCopy>& found, ProcessIdentity self,
                     const std::function<bool(ProcessIdentity)>& alive) {
    OfferPlan plan;
    for (size_t i = 0; i < found.size(); ++i) {
        const FoundCopy& f = found[i];
        auto running = [&](const std::optional<ProcessIdentity>& p) {
            return p && (*p == self || alive(*p));
        };
        if (running(f.named) || (f.read.copy && running(f.read.copy->writer))) continue;
        (f.read.copy ? plan.offered : plan.unreadable).push_back(i);
    }
    std::stable_sort(plan.offered.begin(), plan.offered.end(), [&](size_t a, size_t b) {
        return found[a].read.copy->writtenAt > found[b].read.copy->writtenAt;
    });
    return plan;
}

std::string restoreQuestion(const std::string& designName, const LocalTime& t) {
    char when[48];
    std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute);
    return "Zarnet found unsaved changes to " + (designName.empty() ? "untitled" : designName) +
           " from " + when + ". Restore them?";
}

std::string unreadableMessage(const std::string& path, const std::string& fault) {
    return "Zarnet found a recovery copy it cannot read:\r" + path + "\r" + fault +
           ".\rIt is kept as it is.";
}

} // namespace zarnet::recovery
