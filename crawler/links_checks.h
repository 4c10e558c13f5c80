#pragma once

// The field checks the Links branch of Go makes before it tests the site, and the
// messages of that branch.

#include "compose/go_ports.h"
#include "crawler/crawl_mode.h"

#include <optional>
#include <string>
#include <string_view>

namespace trov {

inline constexpr std::string_view kNothingToSearch =
    "There is nothing to search.\r\n\r\nPlease fill in at least one field.";
inline constexpr std::string_view kNothingToSearchSite =
    "There is nothing to search.\r\n\r\nPlease fill \"Search within a site or domain field\".";
inline constexpr std::string_view kInvalidRequest =
    "Invalid request.\r\nMake sure you have entered a valid site/domain.";
// The site crawl's box when it found nothing; the blanks widen the box.
inline constexpr std::string_view kNoLinksFound = "No links found                           ";

// The refusing message for the checked mode and fields, or nothing when the crawl may go
// on. The extraction and list modes need no search words; the list mode needs no site.
std::optional<std::string> linksFieldCheck(CrawlMode mode, const CrawlInputs& inputs);

} // namespace trov
