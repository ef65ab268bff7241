// The RAM optimizer's one pass: every process whose quota may be set is asked
// to trim its working set.
#pragma once

namespace ad {

// Returns how many processes were trimmed; processes that cannot be opened are skipped.
int TrimWorkingSets();

}  // namespace ad
