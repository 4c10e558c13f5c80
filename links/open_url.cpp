// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/open_url.h"

#include "common/text.h"

#include <array>

namespace trov::links {

std::optional<std::string> webAddress(std::string_view text) {
    const std::string_view address = trov::text::trim(text);
    static constexpr std::array<std::string_view, 3> schemes = {"http://", "https://", "ftp://"};
    for (const std::string_view scheme : schemes) {
        if (!trov::text::startsWithIgnoreCase(address, scheme))
            continue;
        const std::string_view rest = address.substr(scheme.size());
        if (rest.empty() || rest.front() == '/')
            return std::nullopt;
        for (const char c : address) {
            const auto u = static_cast<unsigned char>(c);
            if (u < 32 || u == 127)
                return std::nullopt;
        }
        return std::string(address);
    }
    return std::nullopt;
}

void openUrl(std::string_view text, const OpenAddress& open, Messages& messages) {
    const std::optional<std::string> address = webAddress(text);
    if (!address) {
        messages.show(MessageIcon::Warning, std::string(kNotAWebAddress));
        return;
    }
    if (open)
        open(*address);
}

} // namespace trov::links
