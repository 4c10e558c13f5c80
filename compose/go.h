// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Go (xiGOClick): checks the fields, records the search, feeds the suggestions, composes
// the engine's address and opens it. For Links the crawl must not hold up the window, so
// Go stops after the browser look-up and hands back a job that runLinksJob carries out.

#include "common/translatable.h"
#include "compose/address.h"
#include "compose/engines.h"
#include "compose/go_ports.h"

#include <optional>
#include <string>
#include <string_view>

namespace trov {

class FormModel;
class Messages;
namespace platform {
class Launcher;
}

inline constexpr std::string_view kNothingToSearch =
    TROV_TEXT("Core", "There is nothing to search.\r\n\r\nPlease fill in at least one field.");
inline constexpr std::string_view kNothingToSearchSite = TROV_TEXT(
    "Core",
    "There is nothing to search.\r\n\r\nPlease fill \"Search within a site or domain field\".");
inline constexpr std::string_view kInvalidRequest =
    TROV_TEXT("Core", "Invalid request.\r\nMake sure you have entered a valid site/domain.");
inline constexpr std::string_view kCrawlerResultPage = "TrovCrawler.html";
// A private search never falls back to a normal window.
inline constexpr std::string_view kNoPrivateWindow =
    TROV_TEXT("Core", "This browser has no private window.");

struct GoServices {
    GoServices(Messages& m, platform::Launcher& l) : messages(m), launcher(l) {}

    Messages& messages;
    platform::Launcher& launcher;
    HistoryPort* history = nullptr;        // null: nothing is recorded
    SuggestionPort* suggestions = nullptr; // null: nothing is added
    CrawlPort* crawl = nullptr;            // null: no crawler to stop or clear
    std::string dataFolder;                // ends with '/'; where TrovCrawler.html is
    EngineHosts hosts;
};

// The Links branch of one Go, to run off the window thread.
struct LinksJob {
    CrawlInputs inputs; // inputs.site is what the reachability check tests
    CrawlMarks marks;
    std::string browserCommand; // empty: the default handler
    bool expanded = false;
    std::string resultPage; // the DataFolder's TrovCrawler.html
    // A private search: browserCommand is the private window's, collapsed or not.
    bool privateWindow = false;
};

enum class GoStatus {
    Refused,      // a field check failed; its message was shown, nothing recorded
    Opened,       // the address was handed to the launcher
    LinksPending, // run the job with runLinksJob
    NotOpened,    // the browser cannot open it (no private window, an engine's browser
                  // missing); its message was shown, nothing recorded
};

struct GoOutcome {
    GoStatus status = GoStatus::Refused;
    std::string message;      // the refusal's text (Refused, NotOpened)
    ComposedAddress composed; // Opened: the address and its opener rule
    std::string command;      // Opened: the browser command used; empty for the default
    std::optional<LinksJob> links;
    bool hideDropDown = false; // the window hides the suggestion drop-down
};

// The field checks alone: the refusal text, or nullopt when the search may run.
std::optional<std::string_view> checkFields(const FormModel& model);

GoOutcome xiGOClick(const FormModel& model, GoServices& services);

// Why a search is not started: a field check (Refused) or its browser (NotOpened).
struct Refusal {
    std::string text;
    GoStatus status = GoStatus::Refused;
};

// The steps every search takes before its engine's branch: stops a running crawl, shows a
// refusal, records the search (in the Search engine column the own engine's name, when
// one is given) and feeds the suggestions, unless it runs privately or the history is not
// kept. False when the search was refused.
bool startSearch(const FormModel& model, const std::optional<Refusal>& refusal,
                 std::string_view ownEngine, bool privately, GoServices& services,
                 GoOutcome& outcome);

enum class LinksResult {
    Unreachable,  // the site did not answer; the error box was shown
    Cancelled,    // a newer Go or Cancel ended the crawl: nothing is opened
    Extracted,    // an extract mode ran: the links are in the LinkList
    ResultOpened, // TrovCrawler.html was handed to the launcher
};

// Runs the job on the calling thread until it ends or its token cancels it; the token is the
// job's alone, made when the job was started.
LinksResult runLinksJob(const LinksJob& job, StopToken& token, ReachabilityPort& reachability,
                        CrawlOperations& crawl, Messages& messages, platform::Launcher& launcher);

} // namespace trov
