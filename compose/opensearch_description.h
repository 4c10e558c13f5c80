// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An OpenSearch description document, read with libexpat: the engine's ShortName and its
// Url elements, with their Param children (the older form of a GET query). Element names
// are taken without their namespace, so Mozilla's SearchPlugin form reads the same.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trov {

// Descriptions are a few kilobytes; anything past this is not one.
inline constexpr std::size_t kMaxDescriptionBytes = std::size_t{1} << 20;

struct OpenSearchUrl {
    std::string type;           // "text/html", "application/x-suggestions+json"...
    std::string method;         // empty for GET
    std::string rel;            // empty for "results"
    std::string addressPattern; // the template attribute
    std::string indexOffset, pageOffset;
    std::vector<std::pair<std::string, std::string>> params; // name, value
};

struct OpenSearchDescription {
    std::string shortName;
    std::vector<OpenSearchUrl> urls; // in document order
};

// nullopt, with the reason in error, for bytes that are not a well-formed document whose
// root is OpenSearchDescription (or SearchPlugin), or that declare entities.
std::optional<OpenSearchDescription> readOpenSearchDescription(std::string_view bytes,
                                                               std::string* error = nullptr);

} // namespace trov
