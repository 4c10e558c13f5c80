// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drives the drop-down's engine suggestions: the model's timer, its requests run off the
// window thread and their answers brought back. rowsChanged tells the window to show the
// engine's rows again.

#include "app/shared/background_work.h"
#include "suggest/engine_suggest_model.h"

#include <QObject>
#include <QTimer>
#include <string>
#include <vector>

namespace trov {

class EngineSuggestDriver : public QObject {
    Q_OBJECT
public:
    explicit EngineSuggestDriver(QObject* parent = nullptr);

    void setEnabled(bool on);
    void setPrivateMode(bool on);
    // What the search box asks now: the engine's Suggest template and the words after its
    // key; empty ones ask nothing and drop the rows shown.
    void textChanged(std::string suggestTemplate, std::string text);
    const std::vector<std::string>& rows() const { return model_.rows(); }

signals:
    void rowsChanged();

private:
    void arm(); // after every call of the model
    void start(const EngineSuggestRequest& request);

    EngineSuggestModel model_;
    QTimer timer_;
    BackgroundWork work_;
};

} // namespace trov
