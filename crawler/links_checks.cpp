#include "crawler/links_checks.h"

namespace trov {

std::optional<std::string> linksFieldCheck(CrawlMode mode, const CrawlInputs& inputs) {
    const bool needsWords =
        mode != CrawlMode::AllLinks && mode != CrawlMode::interLinks && mode != CrawlMode::CrawlCSV;
    if (needsWords && inputs.words.empty() && inputs.exactPhrase.empty())
        return std::string(kNothingToSearch);
    if (mode != CrawlMode::CrawlCSV &&
        (inputs.site.empty() || inputs.site.find('.') == std::string::npos))
        return std::string(kNothingToSearchSite);
    return std::nullopt;
}

} // namespace trov
