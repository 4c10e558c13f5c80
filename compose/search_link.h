// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The link from an engine's web page to its OpenSearch description:
// <link rel="search" type="application/opensearchdescription+xml" href="...">.

#include <optional>
#include <string>
#include <string_view>

namespace trov {

// The href of the first such link in the page, its character references resolved;
// nullopt when there is none. One pass over the page, whatever it holds.
std::optional<std::string> findSearchLink(std::string_view page);

// reference made absolute against base (RFC 3986); nullopt when either cannot be read.
std::optional<std::string> resolveAddress(const std::string& base, const std::string& reference);

} // namespace trov
