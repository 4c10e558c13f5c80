// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The messages of the Links branch of Go that the crawler shows itself. The refusals of
// the field checks and of the reachability test are Go's own (compose/go.h).

#include "common/translatable.h"
#include "compose/go.h"

#include <string_view>

namespace trov {

// The site crawl's box when it found nothing; the blanks widen the box.
inline constexpr std::string_view kNoLinksFound =
    TROV_TEXT("Core", "No links found                           ");
// The counter of the progress panel.
inline constexpr char kFoundItems[] = TROV_TEXT("Core", "Found %1 items");
inline constexpr char kProcessedItems[] = TROV_TEXT("Core", "Processed %1 of %2 items");

} // namespace trov
