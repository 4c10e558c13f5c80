// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Adding an own engine from an OpenSearch description, for "trovctl engines add" and the
// window's "Add engine...": the source is read (a file, or an http or https address of a
// description or of a web page linking one), and the engine's section is appended to
// engines.cfg, every byte already there kept. It blocks while it fetches: the window runs
// it off its thread.

#include "compose/opensearch_engine.h"

#include <optional>
#include <string>
#include <string_view>

namespace trov {

struct EngineAddition {
    std::string source;
    std::optional<std::string> key;  // the new engine's Key
    std::optional<std::string> name; // its name instead of the ShortName
};

struct EngineAdded {
    enum class Status { Added, Failed, KeyRefused } status = Status::Failed;
    std::string section; // Added: the section's name
    std::string reason;  // otherwise: why not
};

EngineAdded addEngine(const std::string& enginesPath, const EngineAddition& addition);

// The description the source holds or links; the reason it cannot be read otherwise.
std::variant<OpenSearchDescription, std::string> readEngineSource(const std::string& source);

// name, or the first of "name 2", "name 3"... that no section of iniText has (ASCII case
// ignored).
std::string uniqueSectionName(std::string_view iniText, const std::string& name);

// file with the section appended after a blank line: [name], Key (when given), Address
// and Suggest (when there is one). The line ends are the file's (LF when its first line
// ends so), else CR LF as Trov's other INI files.
std::string appendEngineSection(std::string_view file, const std::string& name,
                                const std::string& key, const DescribedEngine& engine);

} // namespace trov
