#include "toolkit/Interaction.h"

#include <QMetaObject>

namespace hibimo {

bool Interaction::showModal(QWidget& window) {
    if (ending_)
        return false;
    ModalWait wait(*this);
    runModal(window);
    return !ending_;
}

void Interaction::endFromOutside(std::function<void()> shutDown) {
    if (ending_)
        return;
    ending_ = true;
    whenNoModalOpen(std::move(shutDown));
    if (modalDepth_ > 0)
        cancelModalWindows();
}

void Interaction::whenNoModalOpen(std::function<void()> task) {
    if (modalDepth_ == 0) {
        task();
        return;
    }
    pending_.push_back(std::move(task));
}

void Interaction::modalClosed() {
    if (--modalDepth_ > 0 || pending_.empty() || posted_)
        return;
    // The handler that opened the window goes on from here; the tasks wait until it has returned.
    posted_ = true;
    QMetaObject::invokeMethod(
        &context_, [this] { runPending(); }, Qt::QueuedConnection);
}

void Interaction::runPending() {
    posted_ = false;
    // Run from the loop of a modal window opened since: its closing posts the tasks again.
    if (modalDepth_ > 0)
        return;
    auto tasks = std::move(pending_);
    pending_.clear();
    for (auto& task : tasks)
        task();
}

} // namespace hibimo
