// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Work that blocks (an engine asked for suggestions, an engine added from a site) run on a
// thread of its own, its result handed to the window thread. The window never waits for
// it: when the owner goes, work still under way gets a short grace to end, and whatever
// finishes later is dropped with its result.

#include <QObject>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace trov {

class BackgroundWork : public QObject {
public:
    static constexpr std::chrono::milliseconds kGrace{200};

    explicit BackgroundWork(QObject* parent = nullptr);
    ~BackgroundWork() override;
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // work runs off the window thread and must not throw; done gets its result on the
    // window thread, unless this object has gone by then.
    template <typename Result>
    void run(std::function<Result()> work, std::function<void(const Result&)> done) {
        start([work = std::move(work), done = std::move(done)]() -> std::function<void()> {
            return [done, result = work()] { done(result); };
        });
    }
    // Jobs started and not yet finished.
    int underWay() const;

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable finished;
        QObject* receiver = nullptr; // null once the owner has gone
        int running = 0;
    };
    void start(std::function<std::function<void()>()> job);

    std::shared_ptr<Shared> shared_;
};

} // namespace trov
