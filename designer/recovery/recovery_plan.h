// The decisions around recovery copies that need no windows: when the
// running designer writes or removes its copy, which copies found at
// start-up are offered or reported, and the question's text.
#pragma once

#include "designer/recovery/recovery_file.h"

#include <functional>

namespace zarnet::recovery {

// When to write. A copy is written once the design has been left alone
// for a moment, or, under a steady stream of edits, soon enough that no
// more than about half a minute of work is ever at stake; never in the
// middle of a gesture (a half-done drag is not a state to come back to).
class CopyTimer {
  public:
    static constexpr uint32_t kQuietMs = 3000;   // no edit for this long
    static constexpr uint32_t kLatestMs = 25000; // since the first unwritten edit
    static constexpr uint32_t kRetryMs = 10000;  // after a write that failed

    enum class Action { None, Write, Remove };
    struct Now {
        uint32_t ms = 0;       // a millisecond clock, wrapping
        bool modified = false; // the design differs from its file
        bool gesture = false;  // a drag is running
        uint64_t state = 0;    // changes whenever the design may have
    };
    Action step(const Now& now);
    // What came of the action step() asked for.
    void written(bool ok, uint32_t ms);
    void removed() { onDisk_ = false; }
    // A copy under this process's name may exist (one handed over by a
    // restart): it is removed or replaced like one written here.
    void adopt() { onDisk_ = true; }
    // The copy on disk no longer stands for this design (it went to
    // another process, or a new copy is wanted at once).
    void forget() { seen_.reset(); }
    bool onDisk() const { return onDisk_; }
    // How long until step() may write, for a caller that sleeps meanwhile:
    // nullopt while nothing waits to be written.
    std::optional<uint32_t> waitFor(uint32_t ms) const;

  private:
    std::optional<uint64_t> seen_;    // the state at the last step
    std::optional<uint64_t> written_; // the state the copy on disk holds
    bool pending_ = false;
    bool onDisk_ = false;
    uint32_t firstChange_ = 0, lastChange_ = 0, retryAt_ = 0;
    bool retrying_ = false;
};

// A file found in the recovery folder.
struct FoundCopy {
    std::string path;
    std::optional<ProcessIdentity> named; // the process its file name stands for
    CopyRead read;
    // When the design file the copy belongs to was last written (FILETIME
    // ticks, UTC); nullopt for an untitled design or a file that is gone.
    std::optional<uint64_t> fileSavedAt = std::nullopt;
};

struct OfferPlan {
    std::vector<size_t> offered;    // readable copies of ended processes, newest first
    std::vector<size_t> unreadable; // copies that cannot be used, to be reported and kept
};
// A copy is left alone (neither offered nor reported) while the process
// its file is named for, or the one that wrote it, lives: a restart hands
// its copy to the new designer by renaming it. `self` is the asking process.
// Nor is a copy offered that is not newer than its design's file (another
// designer saved the file since, or a delete failed): restoring it and
// saving would write older work over newer. It stays on disk.
OfferPlan planOffers(const std::vector<FoundCopy>& found, ProcessIdentity self,
                     const std::function<bool(ProcessIdentity)>& alive);

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};
// The question names the file's time as well when the design has a file.
std::string restoreQuestion(const std::string& designName, const LocalTime& written,
                            const std::optional<LocalTime>& saved = std::nullopt);
std::string unreadableMessage(const std::string& path, const std::string& fault);

} // namespace zarnet::recovery
