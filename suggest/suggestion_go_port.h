// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Go's suggestion store: the owner field's text is added after every search.

#include "common/messages.h"
#include "compose/go_ports.h"
#include "suggest/suggestion_store.h"

namespace trov {

class SuggestionGoPort : public SuggestionPort {
public:
    SuggestionGoPort(SuggestionStore& store, Messages& messages)
        : store_(store), messages_(messages) {}

    // A refused write is reported as "Unable to write to <path>"; the search goes on.
    void osveziBazo(std::string_view text) override;

private:
    SuggestionStore& store_;
    Messages& messages_;
};

} // namespace trov
