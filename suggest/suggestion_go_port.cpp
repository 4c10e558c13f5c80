// SPDX-License-Identifier: GPL-3.0-or-later
#include "suggest/suggestion_go_port.h"

namespace trov {

void SuggestionGoPort::osveziBazo(std::string_view text) {
    if (!isSuggestionWorthy(text)) // Go adds nothing for an empty or blank field
        return;
    FileError error;
    if (!store_.osveziBazo(text, &error))
        messages_.show(MessageIcon::Error, unableToWrite(error.path));
}

} // namespace trov
