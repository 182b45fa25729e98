// Window placement and looks: centring, on top, opening inside a host, the font name, redrawing.
#include "common/ui/mmWindow.h"
#include "platform/core/SystemErrorText.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using namespace mmWindow;

QPoint centreOf(const QWidget& window)
{
    return window.geometry().center();
}

TEST(WindowHelpers, CentredOnScreenAndOnOwner)
{
    QWidget window;
    window.resize(300, 200);
    CenterOnScreen(&window);
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((centreOf(window) - screenCentre).manhattanLength(), 2);

    QWidget owner;
    owner.setGeometry(100, 80, 800, 600);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    CenterOnOwner(&window, &owner);
    EXPECT_LE((centreOf(window) - owner.frameGeometry().center()).manhattanLength(), 2);
    CenterOnOwner(&window, nullptr);
    EXPECT_LE((centreOf(window) - screenCentre).manhattanLength(), 2);
}

TEST(WindowHelpers, TopmostOnAndOffKeepsTheWindowShown)
{
    QWidget window;
    window.show();
    SetTopmost(&window, true);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    SetTopmost(&window, false);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
}

TEST(WindowHelpers, WindowInsideAHostAtSixTenthsAndCentred)
{
    QWidget host;
    host.setGeometry(50, 40, 1000, 500);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QWidget window;
    window.resize(200, 100);
    SetParentWindow(&window, &host, true);
    EXPECT_EQ(window.parentWidget(), &host);
    EXPECT_TRUE(window.isWindow());
    EXPECT_EQ(window.size(), QSize(600, 300));
    EXPECT_LE((centreOf(window) - host.frameGeometry().center()).manhattanLength(), 2);
}

TEST(WindowHelpers, WidgetInsideAHostInItsCoordinates)
{
    QWidget host;
    host.resize(500, 200);
    QWidget before;
    QWidget plain(&before);
    plain.resize(100, 50);
    SetParentWindow(&plain, &host, false);
    EXPECT_EQ(plain.parentWidget(), &host);
    EXPECT_FALSE(plain.isWindow());
    EXPECT_EQ(plain.geometry(), QRect(200, 75, 100, 50));
    SetParentWindow(&plain, &host, true);
    EXPECT_EQ(plain.geometry(), QRect(100, 40, 300, 120));
}

TEST(WindowHelpers, FontNameOnEveryControl)
{
    QWidget window;
    auto* label = new QLabel("Text", &window);
    auto* button = new QPushButton("Button", &window);
    QFont big = button->font();
    big.setPointSize(14);
    big.setBold(true);
    button->setFont(big);
    SetFontName(&window, "DejaVu Serif");
    EXPECT_EQ(label->font().family(), "DejaVu Serif");
    EXPECT_EQ(button->font().family(), "DejaVu Serif");
    EXPECT_EQ(button->font().pointSize(), 14);
    EXPECT_TRUE(button->font().bold());
    // An empty name changes nothing.
    SetFontName(&window, "");
    EXPECT_EQ(label->font().family(), "DejaVu Serif");
}

TEST(WindowHelpers, RedrawPaintsBeforeReturning)
{
    class Counting : public QWidget {
    public:
        int paints = 0;
    protected:
        void paintEvent(QPaintEvent*) override { ++paints; }
    } window;
    window.resize(100, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    const int before = window.paints;
    RedrawWindow(&window);
    EXPECT_GT(window.paints, before);
}

TEST(SystemErrorText, TheSystemsTextForAnErrorNumber)
{
    EXPECT_EQ(platform::SystemErrorText(ENOENT), "No such file or directory");
    EXPECT_EQ(platform::SystemErrorText(EACCES), "Permission denied");
    EXPECT_TRUE(platform::SystemErrorText(987654).contains("987654"));
}

} // namespace
