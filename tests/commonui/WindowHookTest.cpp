// Hooking a window: one hook per window, the handler sees every event and answers what it wants.
#include "common/ui/mmSubclass.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace mmSubclass;

// Counts the events it sees and swallows key presses of one key.
class Handler : public QObject {
public:
    explicit Handler(Qt::Key swallow = Qt::Key_unknown) : m_swallow(swallow) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        ++seen[event->type()];
        return event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == m_swallow;
    }
    QHash<int, int> seen;

private:
    Qt::Key m_swallow;
};

TEST(WindowHook, HookedTwiceLeavesOneHook)
{
    QLineEdit window;
    Handler first, second;
    EXPECT_FALSE(IsHooked(&window));
    EXPECT_TRUE(HookWindow(&window, &first));
    EXPECT_FALSE(HookWindow(&window, &second));
    EXPECT_FALSE(HookWindow(&window, &first));
    EXPECT_EQ(HookObject(&window), &first);
    EXPECT_TRUE(window.property("OldWndProc").isValid());
    EXPECT_EQ(window.property("ObjectPtr").value<QObject*>(), &first);
    QTest::keyClick(&window, Qt::Key_A);
    EXPECT_EQ(first.seen.value(QEvent::KeyPress), 1);
    EXPECT_TRUE(second.seen.isEmpty());
}

TEST(WindowHook, UnhookOnlyWhatIsHooked)
{
    QLineEdit window;
    Handler handler;
    EXPECT_FALSE(UnhookWindow(&window));
    EXPECT_FALSE(UnhookWindow(nullptr));
    EXPECT_FALSE(HookWindow(nullptr, &handler));
    EXPECT_FALSE(HookWindow(&window, nullptr));
    ASSERT_TRUE(HookWindow(&window, &handler));
    EXPECT_TRUE(UnhookWindow(&window));
    EXPECT_FALSE(window.property("OldWndProc").isValid());
    EXPECT_FALSE(window.property("ObjectPtr").isValid());
    EXPECT_FALSE(UnhookWindow(&window));
    handler.seen.clear();
    QTest::keyClick(&window, Qt::Key_A);
    EXPECT_TRUE(handler.seen.isEmpty());
    // Once unhooked, a window can be hooked again.
    EXPECT_TRUE(HookWindow(&window, &handler));
}

TEST(WindowHook, HandlerSwallowsWhatItAnswersAndPassesTheRest)
{
    QLineEdit window;
    Handler handler(Qt::Key_X);
    ASSERT_TRUE(HookWindow(&window, &handler));
    QTest::keyClicks(&window, "axb");
    EXPECT_EQ(window.text(), "ab");
    EXPECT_EQ(handler.seen.value(QEvent::KeyPress), 3);
    EXPECT_EQ(handler.seen.value(QEvent::KeyRelease), 3);
    window.resize(200, 30);
    window.show();
    EXPECT_GE(handler.seen.value(QEvent::Show), 1);
}

TEST(WindowHook, GoneHandlerLetsEventsThrough)
{
    QLineEdit window;
    {
        Handler handler(Qt::Key_A);
        ASSERT_TRUE(HookWindow(&window, &handler));
    }
    QTest::keyClicks(&window, "aa");
    EXPECT_EQ(window.text(), "aa");
    EXPECT_EQ(HookObject(&window), nullptr);
    EXPECT_TRUE(UnhookWindow(&window));
}

} // namespace
