// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// When the drop-down asks an own engine for suggestions, and which answers it shows. The
// window drives it with a timer and runs each request off its thread: it calls
// textChanged() on every change of the search box (engineSuggestQuery() names the engine
// and the text), tick() when nextTick() is reached, and answered() with what
// fetchEngineSuggestions() returned for a request it was handed; after each call it sets
// its timer to nextTick() again.
//
// The engine is asked only when "Suggestions from engines" is on and private mode is
// off, after kQuiet without a key, one request at a time; an answer for a text that is no
// longer the one typed is dropped, and a failure shows nothing.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace trov {

struct EngineSuggestRequest {
    std::uint64_t id = 0;
    std::string text;    // what the engine is asked about
    std::string address; // the engine's Suggest template with the text
};

class EngineSuggestModel {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    static constexpr std::chrono::milliseconds kQuiet{150};
    static constexpr std::size_t kMaxRows = 10;

    // now: the clock; start: runs a request off the window thread and hands its answer
    // back to answered() on the window thread.
    EngineSuggestModel(std::function<TimePoint()> now,
                       std::function<void(const EngineSuggestRequest&)> start);

    // "Suggestions from engines" (off by default) and private mode: unless the first is on
    // and the second off, no engine is asked and no engine row is shown.
    void setEnabled(bool on);
    void setPrivateMode(bool on);
    bool asking() const { return enabled_ && !private_; }

    // The search box changed: suggestTemplate is the Suggest address of the own engine
    // the text is for (empty: none), text what that engine would be asked about. The
    // engine rows of an earlier text go at once.
    void textChanged(std::string suggestTemplate, std::string text);

    // When tick() has something to do; nullopt: no timer is needed.
    std::optional<TimePoint> nextTick() const;
    // Starts the request that is due, if any.
    void tick();
    // The answer of a request that was started; texts nullopt for a failure. True when
    // rows() changed.
    bool answered(std::uint64_t id, const std::optional<std::vector<std::string>>& texts);

    // The engine's rows for the text typed now: at most kMaxRows.
    const std::vector<std::string>& rows() const { return rows_; }

private:
    bool wanted() const;
    void drop();

    std::function<TimePoint()> now_;
    std::function<void(const EngineSuggestRequest&)> start_;
    bool enabled_ = false;
    bool private_ = false;
    std::string template_, text_;
    TimePoint changedAt_{};
    // The text the rows or the request under way are for; a text asked once is not asked
    // again until it changes.
    std::optional<std::string> asked_;
    struct Request {
        std::uint64_t id;
        std::string suggestTemplate, text;
    };
    std::optional<Request> underWay_;
    std::uint64_t lastId_ = 0;
    std::vector<std::string> rows_;
};

} // namespace trov
