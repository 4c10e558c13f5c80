// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shared/background_work.h"

#include <thread>

namespace trov {

BackgroundWork::BackgroundWork(QObject* parent)
    : QObject(parent), shared_(std::make_shared<Shared>()) {
    shared_->receiver = this;
}

BackgroundWork::~BackgroundWork() {
    std::unique_lock lock(shared_->mutex);
    shared_->receiver = nullptr;
    shared_->finished.wait_for(lock, kGrace, [this] { return shared_->running == 0; });
}

int BackgroundWork::underWay() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->running;
}

void BackgroundWork::start(std::function<std::function<void()>()> job) {
    {
        std::lock_guard lock(shared_->mutex);
        ++shared_->running;
    }
    // Detached: the thread holds only its job and the shared state, so it may outlive
    // this object; the receiver is posted to only while it is known to be alive.
    std::thread([shared = shared_, job = std::move(job)] {
        std::function<void()> deliver = job();
        std::lock_guard lock(shared->mutex);
        if (shared->receiver)
            QMetaObject::invokeMethod(shared->receiver, std::move(deliver), Qt::QueuedConnection);
        --shared->running;
        shared->finished.notify_all();
    }).detach();
}

} // namespace trov
