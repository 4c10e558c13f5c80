#pragma once

// The single-instance socket. The running window program listens on a local socket whose
// name is its own full path with every "/" and blank removed, so copies of the program in
// different folders do not see each other; a second start and trovctl talk to it.
//
// Messages are one line each: "toggle" (as a left click on the tray icon), "show" (show it
// in front) and "front" (a second start: bring the running program forward without showing
// a window that is hidden in the tray). The program answers "ok" when it has acted.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trov::platform {

inline constexpr std::string_view kToggleMessage = "toggle";
inline constexpr std::string_view kShowMessage = "show";
inline constexpr std::string_view kFrontMessage = "front";

// What the bytes a client has sent so far amount to. The first line is the message, its
// blanks and control characters trimmed; a client whose line has not ended within
// kMaxInstanceLine bytes is sending nothing of ours and is dropped.
inline constexpr std::size_t kMaxInstanceLine = 64;
enum class InstanceMessage { Incomplete, TooLong, Unknown, Toggle, Show, Front };
InstanceMessage parseInstanceMessage(std::string_view received);
// "toggle", "show" or "front"; empty for the others.
std::string_view instanceMessageName(InstanceMessage message);

// The program path with every '/' and ' ' removed.
std::string instanceName(std::string_view programPath);

// The socket's full path: $XDG_RUNTIME_DIR/<name>, or /tmp/<name>-<uid> without it. A name
// that would not fit a socket address is shortened and given a hash of the whole.
std::string instanceSocketPath(std::string_view programPath);
// The lock file beside it.
std::string instanceLockPath(std::string_view programPath);

// The programs trovctl may be talking to: trov beside it (installed) and, in a build
// tree, ../app/trov; each made absolute and free of "." and "..".
std::vector<std::string> windowProgramCandidates(const std::string& trovctlDir);

// Connects, sends the message and waits up to timeoutMs for the answer. false when nothing
// listens on the socket.
bool sendInstanceMessage(const std::string& socketPath, std::string_view message,
                         int timeoutMs = 2000);

} // namespace trov::platform
