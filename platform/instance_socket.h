// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The single-instance socket. The running window program listens on a local socket whose
// name is its own full path with every "/" and blank removed, so copies of the program in
// different folders do not see each other; a second start and trovctl talk to it.
//
// Messages are one line each: "toggle" (as a left click on the tray icon), "show" (show it
// in front) and "front" (a second start: bring the running program forward without showing
// a window that is hidden in the tray). The program answers "ok" when it has acted.

#include "common/translatable.h"

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

// Why a folder is not used, and what that means, as a person reads it.
inline constexpr char kFolderNotMade[] = TROV_TEXT("Core", "The folder %1 cannot be made: %2.");
inline constexpr char kFolderNotRead[] = TROV_TEXT("Core", "The folder %1 cannot be read: %2.");
inline constexpr char kFolderIsLink[] = TROV_TEXT("Core", "The folder %1 is a symbolic link.");
inline constexpr char kFolderNotFolder[] = TROV_TEXT("Core", "The folder %1 is not a folder.");
inline constexpr char kFolderNotOurs[] =
    TROV_TEXT("Core", "The folder %1 belongs to another user.");
inline constexpr char kFolderMode[] = TROV_TEXT("Core", "The folder %1 has mode %2, not 0700.");
inline constexpr char kWithoutGuard[] =
    TROV_TEXT("Core", "%1 Trov runs without its guard against a second start.");

// Where the lock and the socket live.
struct InstanceFolder {
    std::string path;    // ending in '/'; empty when there is none to use
    std::string problem; // why a folder that is there is not used, naming it
};
// $XDG_RUNTIME_DIR, which the session makes for the user alone. Without it, trov-<uid> in
// the shared temporary folder ($TMPDIR, else /tmp), made when missing if make is set.
// Another user could make that name first, so it is used only when it is a folder of the
// user's own, not a link, that nobody else may enter.
InstanceFolder instanceFolder(bool make);
// The check of such a folder for the user uid: a folder, not a symbolic link, owned by
// uid, mode 0700.
InstanceFolder privateFolder(const std::string& path, unsigned uid, bool make);

// The socket's full path in folder (ending in '/'): the program's name, or one shortened
// and given a hash of the whole where the name would not fit a socket address.
std::string instanceSocketPath(const std::string& folder, std::string_view programPath);
// The lock file beside it.
std::string instanceLockPath(const std::string& folder, std::string_view programPath);

// The programs trovctl may be talking to: trov beside it (installed) and, in a build
// tree, ../app/trov; each made absolute and free of "." and "..".
std::vector<std::string> windowProgramCandidates(const std::string& trovctlDir);

// Connects, sends the message and waits up to timeoutMs for the answer. false when nothing
// listens on the socket.
bool sendInstanceMessage(const std::string& socketPath, std::string_view message,
                         int timeoutMs = 2000);

} // namespace trov::platform
