#include "designer/recovery/recovery_plan.h"

#include "text/format.h"

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

std::optional<uint32_t> CopyTimer::waitFor(uint32_t ms) const {
    if (!pending_) return std::nullopt;
    const auto left = [ms](uint32_t since, uint32_t span) {
        const uint32_t gone = ms - since; // the clock wraps
        return gone >= span ? 0u : span - gone;
    };
    uint32_t wait = std::min(left(lastChange_, kQuietMs), left(firstChange_, kLatestMs));
    if (retrying_) wait = std::max(wait, left(retryAt_, kRetryMs));
    return wait;
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
        if (f.read.copy && f.fileSavedAt && f.read.copy->writtenAt <= *f.fileSavedAt) continue;
        (f.read.copy ? plan.offered : plan.unreadable).push_back(i);
    }
    std::stable_sort(plan.offered.begin(), plan.offered.end(), [&](size_t a, size_t b) {
        return found[a].read.copy->writtenAt > found[b].read.copy->writtenAt;
    });
    return plan;
}

std::string restoreQuestion(const std::string& designName, const LocalTime& written,
                            const std::optional<LocalTime>& saved) {
    const auto text = [](const LocalTime& t) {
        char when[48];
        zarnet::text::formatTo(when, sizeof when, "%04d-%02d-%02d %02d:%02d", t.year, t.month,
                               t.day, t.hour, t.minute);
        return std::string(when);
    };
    std::string q = "Zarnet found unsaved changes to " +
                    (designName.empty() ? std::string("untitled") : designName) + " from " +
                    text(written);
    if (saved) q += ", newer than the file saved " + text(*saved);
    return q + ". Restore them?";
}

std::string unreadableMessage(const std::string& path, const std::string& fault) {
    return "Zarnet found a recovery copy it cannot read:\r" + path + "\r" + fault +
           ".\rIt is kept as it is.";
}

} // namespace zarnet::recovery
