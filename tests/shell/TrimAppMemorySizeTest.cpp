// TrimAppMemorySize gives memory back without a word and then handles what waits in the event queue.

#include "shell/UDm.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace {

class EventCounter : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) {
            ++received;
            return true;
        }
        return QObject::event(e);
    }
    int received = 0;
};

TEST(TrimAppMemorySize, HandlesTheWaitingEventsAndNeverThrows) {
    EventCounter counter;
    bool queuedCallRan = false;
    QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
    QMetaObject::invokeMethod(
        &counter, [&] { queuedCallRan = true; }, Qt::QueuedConnection);

    EXPECT_NO_THROW(TrimAppMemorySize());

    EXPECT_EQ(counter.received, 2);
    EXPECT_TRUE(queuedCallRan);
    // Called again with nothing waiting: still nothing to report.
    EXPECT_NO_THROW(TrimAppMemorySize());
}

} // namespace
