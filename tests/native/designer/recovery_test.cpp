// Recovery copies without windows: the file round trip and everything a
// damaged or foreign file may hold, the write timer, and which copies are
// offered at start-up.
#include "designer/recovery/recovery_plan.h"
#include "document/design_file.h"
#include "document/example_design.h"

#include <gtest/gtest.h>

using namespace zarnet;
using namespace zarnet::recovery;

namespace {

RecoveryCopy sampleCopy(std::string name = "C:\\My Designs\\form one.zrf") {
    return {{4242, 0x01DA00112233AABBull},
            0x01DA0123456789ABull,
            std::move(name),
            writeDesign(makeExampleDesign())};
}

void putU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}
void resealed(std::vector<uint8_t>& b) {
    putU32(b, b.size() - 4, crc32(std::span(b).first(b.size() - 4)));
}

} // namespace

TEST(RecoveryFile, RoundTrip) {
    for (const std::string& name :
         {std::string(), std::string("C:\\d\\form.zrf"), std::string(kMaxNameLength, 'n')}) {
        const RecoveryCopy c = sampleCopy(name);
        const CopyRead back = readCopy(writeCopy(c));
        ASSERT_TRUE(back.copy) << back.fault;
        EXPECT_EQ(back.copy->writer, c.writer);
        EXPECT_EQ(back.copy->writtenAt, c.writtenAt);
        EXPECT_EQ(back.copy->designName, name);
        EXPECT_EQ(back.copy->design, c.design);
    }
}

TEST(RecoveryFile, EveryTruncationIsRefused) {
    const std::vector<uint8_t> whole = writeCopy(sampleCopy());
    for (size_t n = 0; n < whole.size(); ++n) {
        const CopyRead r = readCopy(std::span(whole).first(n));
        EXPECT_FALSE(r.copy) << n;
        EXPECT_FALSE(r.fault.empty()) << n;
    }
}

TEST(RecoveryFile, DamagedOrForeignBytesAreRefused) {
    const std::vector<uint8_t> whole = writeCopy(sampleCopy("ab"));
    const size_t nameLengthAt = 28, designLengthAt = nameLengthAt + 4 + 2;
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> damage;
        bool reseal; // checksum made right again, so only the damage itself tells
    };
    const Case cases[] = {
        {"another magic", [](auto& b) { b[0] = 'X'; }, true},
        {"a later version", [](auto& b) { b[4] = 2; }, true},
        {"a byte changed in the design", [](auto& b) { b[b.size() - 10] ^= 0x40; }, false},
        {"a byte changed in the checksum", [](auto& b) { b.back() ^= 1; }, false},
        {"a byte added", [](auto& b) { b.insert(b.end() - 4, 0); }, true},
        {"a huge name length", [&](auto& b) { putU32(b, nameLengthAt, 0xFFFFFFFFu); }, true},
        {"a name length past the end",
         [&](auto& b) { putU32(b, nameLengthAt, static_cast<uint32_t>(b.size())); }, true},
        {"a huge design length", [&](auto& b) { putU32(b, designLengthAt, 0xFFFFFFFFu); }, true},
        {"a design length one short",
         [&](auto& b) {
             putU32(b, designLengthAt, static_cast<uint32_t>(b.size() - designLengthAt - 9));
         },
         true},
        {"a design that does not read",
         [&](auto& b) { std::fill(b.begin() + designLengthAt + 4, b.end() - 4, 0xFF); }, true},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> b = whole;
        c.damage(b);
        if (c.reseal) resealed(b);
        const CopyRead r = readCopy(b);
        EXPECT_FALSE(r.copy) << c.what;
        EXPECT_FALSE(r.fault.empty()) << c.what;
    }
}

TEST(RecoveryFile, FileNamesStandForOneProcess) {
    const ProcessIdentity p{77, 0x01DA000000000001ull};
    EXPECT_EQ(copyFileName(p), "77-01DA000000000001.zrv");
    EXPECT_EQ(identityOfFileName(copyFileName(p)), p);
    for (const char* foreign : {"77-01DA000000000001.zrv.tmp~", "77-01da000000000001.zrv",
                                "77-1.zrv", "-01DA000000000001.zrv", "077-01DA000000000001.zrv",
                                "4294967296-01DA000000000001.zrv", "backup", ".zrv"})
        EXPECT_FALSE(identityOfFileName(foreign)) << foreign;
}

TEST(RecoveryTimer, WritesAfterAQuietMomentOrAtTheLatestNeverMidGesture) {
    using A = CopyTimer::Action;
    struct Step {
        uint32_t ms;
        bool modified, gesture;
        uint64_t state;
        A expected;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
    };
    const uint32_t q = CopyTimer::kQuietMs, late = CopyTimer::kLatestMs;
    // A clock near its wrap, as timeGetTime is after 49 days.
    const uint32_t w = 0xFFFFFFFFu - 1000;
    std::vector<Step> stream; // an edit every second for longer than the latest
    for (uint32_t t = 0; t < late; t += 1000)
        stream.push_back({t, true, false, t + 1, A::None});
    stream.push_back({late, true, false, late + 1, A::Write});
    const Case cases[] = {
        {"unmodified: nothing",
         {{0, false, false, 1, A::None}, {q * 10, false, false, 1, A::None}}},
        {"quiet after an edit",
         {{0, true, false, 1, A::None},
          {q - 1, true, false, 1, A::None},
          {q, true, false, 1, A::Write}}},
        {"steady edits", stream},
        {"a gesture holds it back until it ends",
         {{0, true, true, 1, A::None},
          {late * 2, true, true, 2, A::None},
          {late * 2 + 1, true, false, 2, A::Write}}},
        {"written once, then the same state again",
         {{0, true, false, 1, A::None},
          {q, true, false, 1, A::Write},
          {q * 5, true, false, 1, A::None}}},
        {"back to the written state (undo, redo)",
         {{0, true, false, 1, A::None},
          {q, true, false, 1, A::Write},
          {q + 1, true, false, 2, A::None},
          {q + 2, true, false, 1, A::None},
          {q * 5, true, false, 1, A::None}}},
        {"saved: the copy goes, once",
         {{0, true, false, 1, A::None},
          {q, true, false, 1, A::Write},
          {q + 1, false, false, 1, A::Remove},
          {q + 2, false, false, 1, A::None}}},
        {"across the clock's wrap",
         {{w, true, false, 1, A::None},
          {w + q - 1, true, false, 1, A::None},
          {w + q, true, false, 1, A::Write}}},
    };
    for (const Case& c : cases) {
        CopyTimer t;
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const Step& s = c.steps[i];
            const A a = t.step({s.ms, s.modified, s.gesture, s.state});
            EXPECT_EQ(a, s.expected) << c.what << ", step " << i;
            if (a == A::Write) t.written(true, s.ms);
            if (a == A::Remove) t.removed();
        }
    }
}

TEST(RecoveryTimer, AFailedWriteIsTriedAgainLater) {
    CopyTimer t;
    EXPECT_EQ(t.step({0, true, false, 1}), CopyTimer::Action::None);
    EXPECT_EQ(t.step({3000, true, false, 1}), CopyTimer::Action::Write);
    t.written(false, 3000);
    EXPECT_FALSE(t.onDisk());
    EXPECT_EQ(t.step({3001, true, false, 1}), CopyTimer::Action::None);
    EXPECT_EQ(t.step({3000 + CopyTimer::kRetryMs, true, false, 1}), CopyTimer::Action::Write);
}

// An idle designer sleeps until the timer is due, never past it.
TEST(RecoveryTimer, TellsHowLongASleepMayLast) {
    CopyTimer t;
    EXPECT_EQ(t.waitFor(0), std::nullopt);
    t.step({1000, true, false, 1});
    EXPECT_EQ(t.waitFor(1000), CopyTimer::kQuietMs);
    EXPECT_EQ(t.waitFor(2500), CopyTimer::kQuietMs - 1500);
    // Under steady edits the latest moment comes first.
    for (uint32_t ms = 2000; ms < 26000; ms += 2000)
        t.step({ms, true, false, ms});
    EXPECT_EQ(t.waitFor(25000), 1000u);
    EXPECT_EQ(t.step({26000, true, false, 24000}), CopyTimer::Action::Write);
    t.written(false, 26000);
    EXPECT_EQ(t.waitFor(26000), CopyTimer::kRetryMs);
    t.step({36000, true, false, 24000});
    t.written(true, 36000);
    EXPECT_EQ(t.waitFor(36000), std::nullopt) << "written: nothing waits";
}

TEST(RecoveryOffers, OnlyCopiesOfEndedDesignersNewestFirst) {
    const ProcessIdentity self{10, 100}, live{11, 110}, ended{12, 120}, reused{11, 999};
    auto copyOf = [](ProcessIdentity p, uint64_t at) {
        FoundCopy f{copyFileName(p), p, {}};
        f.read.copy = RecoveryCopy{p, at, "", {}};
        return f;
    };
    auto unreadable = [](std::optional<ProcessIdentity> named) {
        return FoundCopy{"x.zrv", named, {std::nullopt, "it is damaged"}};
    };
    std::vector<FoundCopy> found = {
        copyOf(self, 5),   // 0: this process's own
        copyOf(live, 6),   // 1: another designer running now
        copyOf(ended, 7),  // 2
        copyOf(reused, 9), // 3: the id of a live process, given to it later
        unreadable(live),  // 4: a running designer's, left alone
        unreadable(ended), // 5
        unreadable({}),    // 6: a name that names no process
        copyOf(ended, 8),  // 7
        copyOf(ended, 9),  // 8: handed by a restart to a designer that runs
        copyOf(ended, 4),  // 9: older than its design's file, saved since
        copyOf(ended, 6),  // 10: newer than its design's file
    };
    found[8].named = live;
    found[9].fileSavedAt = 4;
    found[10].fileSavedAt = 5;
    const OfferPlan plan =
        planOffers(found, self, [&](ProcessIdentity p) { return p == live || p == self; });
    EXPECT_EQ(plan.offered, (std::vector<size_t>{3, 7, 2, 10}));
    EXPECT_EQ(plan.unreadable, (std::vector<size_t>{5, 6}));
}

TEST(RecoveryOffers, QuestionText) {
    EXPECT_EQ(
        restoreQuestion("C:\\d\\form.zrf", {2024, 3, 7, 9, 5}),
        "Zarnet found unsaved changes to C:\\d\\form.zrf from 2024-03-07 09:05. Restore them?");
    EXPECT_EQ(restoreQuestion("", {2024, 12, 31, 23, 59}),
              "Zarnet found unsaved changes to untitled from 2024-12-31 23:59. Restore them?");
    EXPECT_EQ(restoreQuestion("C:\\f.zrf", {2024, 3, 7, 9, 5}, LocalTime{2024, 3, 6, 18, 0}),
              "Zarnet found unsaved changes to C:\\f.zrf from 2024-03-07 09:05, newer than the "
              "file saved 2024-03-06 18:00. Restore them?");
}
