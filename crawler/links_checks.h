#pragma once

// The messages of the Links branch of Go that the crawler shows itself. The refusals of
// the field checks and of the reachability test are Go's own (compose/go.h).

#include "compose/go.h"

#include <string_view>

namespace trov {

// The site crawl's box when it found nothing; the blanks widen the box.
inline constexpr std::string_view kNoLinksFound = "No links found                           ";

} // namespace trov
