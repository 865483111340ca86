#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>

namespace vantrel::bench {

// Ends the process as soon as `window` has been painted for the first time: the paint of the window, then of its
// child controls (the same pass), then the flush to the screen, and then at once `std::_Exit`, so that nothing of
// the program's own end is counted. The start-up figure is then the wall time of the whole process, from its start
// by the shell to its first painted window. `beforeExit` runs just before the end (to tidy up what must not stay).
class EndAtFirstPaint : public QObject
{
public:
    explicit EndAtFirstPaint(QWidget& window, std::function<void()> beforeExit = {})
        : window_(window), beforeExit_(std::move(beforeExit))
    {
        window_.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &window_ && event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            // Queued: it runs once the paint pass that this event belongs to has finished.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (beforeExit_)
                        beforeExit_();
                    std::fflush(stdout);
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget& window_;
    std::function<void()> beforeExit_;
    bool painted_ = false;
};

} // namespace vantrel::bench
