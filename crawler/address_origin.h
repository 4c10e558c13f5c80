// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An http or https address split as robots.txt sees it: the origin it belongs to (scheme,
// host and port) and the path and query its rules are matched against. The split is
// libcurl's own, so it agrees with the address the page fetch requests.

#include <optional>
#include <string>

namespace trov {

struct AddressOrigin {
    std::string origin;       // "https://example.com", ":port" only when not the default
    std::string pathAndQuery; // "/" when the address has no path
};

// Nothing for an address that is not http or https, or that libcurl cannot read.
std::optional<AddressOrigin> splitOrigin(const std::string& address);

} // namespace trov
