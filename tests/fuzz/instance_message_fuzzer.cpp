// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes on the single-instance socket: reading never faults, looks at no more than one
// line's worth of bytes, and gives the same answer whichever way the bytes arrive (a
// prefix that already decides agrees with the whole).

#include "platform/instance_socket.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trov::platform;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const InstanceMessage whole = parseInstanceMessage(bytes);
    if (whole != parseInstanceMessage(bytes.substr(0, kMaxInstanceLine)))
        std::abort();
    const std::string_view head = bytes.substr(0, kMaxInstanceLine);
    if ((whole == InstanceMessage::Incomplete) !=
        (size < kMaxInstanceLine && head.find('\n') == std::string_view::npos))
        std::abort();
    // A named message is the first line, blanks and control characters aside.
    const std::string_view name = instanceMessageName(whole);
    if (!name.empty() && head.substr(0, head.find('\n')).find(name) == std::string_view::npos)
        std::abort();
    for (std::size_t cut = 0; cut <= head.size(); ++cut) {
        const InstanceMessage part = parseInstanceMessage(bytes.substr(0, cut));
        if (part != InstanceMessage::Incomplete && part != whole)
            std::abort();
    }
    return 0;
}
