// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a robots.txt Allow or Disallow pattern meets an address's path and query. Both are
// brought to one written form first, so that a character written plainly and the same
// character percent-encoded compare equal: escapes of unreserved characters (letters,
// digits, "-", ".", "_", "~") are decoded, every other escape gets upper-case digits, and
// bytes outside printable ASCII are escaped. Delimiters keep their meaning ("%2F" is not
// "/"). A literal "*" or "$" is always escaped in that form, so a raw "*" left in a
// pattern is its wildcard and a raw "$" at its end its anchor.

#include <string>
#include <string_view>

namespace trov {

// A path and query in the compared form.
std::string robotsPathForm(std::string_view pathAndQuery);
// A pattern in the compared form: "*" and a final "$" stay special, runs of "*" become one.
std::string robotsPatternForm(std::string_view pattern);
// Whether a pattern in that form matches a path in that form from its first byte on.
// Linear in the lengths of both.
bool robotsPatternMatches(std::string_view pattern, std::string_view path);

} // namespace trov
