// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Text transforms that turn page source into what the search and the result page use.

#include <string>
#include <string_view>

namespace trov {

// The source without the spans from an opening mark to the nearest closing mark on its
// right, scanned once from the end.
std::string RemoveEnclosed(std::string_view source, char open, char close);
// The searchable page text: tags and line breaks dropped, runs of blanks thinned.
std::string StripTags(std::string_view source);
// The text between the first "<title>" and the first "</title>", empty when there is none.
std::string PageTitle(std::string_view source);

} // namespace trov
