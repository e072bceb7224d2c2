// The diff and the merge over any design the reader takes, against a
// design of every gadget type: a design differs from nothing of itself,
// and a merge where one side changed nothing gives the other side, with no
// conflict, whichever side that is. The merge itself refuses to give a
// design that breaks the model's rules or does not read back strictly.
#include "document/compare/diff.h"
#include "document/compare/merge.h"
#include "document/design_file.h"
#include "test_designs.h"

#include <cstdlib>

using namespace zarnet;

namespace {

void mergesTo(const Design& base, const Design& ours, const Design& theirs, const Design& want) {
    const auto r = compare::mergeDesigns(base, ours, theirs);
    if (!r.conflicts.empty() || !r.merged) std::abort();
    if (!compare::diffDesigns(want, *r.merged).equal()) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const LoadResult read = readDesign({data, size}, Strictness::Lenient);
    if (!read.design) return 0;
    const Design& a = *read.design;
    static const Design other = test::everyTypeDesign();
    if (!compare::diffDesigns(a, a).equal()) std::abort();
    (void)compare::statLine(compare::diffDesigns(a, other));
    (void)compare::diffDesigns(other, a);
    // A merge whose font table could pass what a design holds is refused
    // (rightly) as a conflict: the identities below hold for the rest.
    if (a.fonts.size() + other.fonts.size() > size_t(kMaxFontEntries)) return 0;
    mergesTo(a, a, other, other);
    mergesTo(a, other, a, other);
    mergesTo(other, other, a, a);
    return 0;
}
