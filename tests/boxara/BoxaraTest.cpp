#include "common/boxara/Boxara.h"
#include "platform/prompt/SystemMessageBox.h"
#include "platform/ui/FontTable.h"
#include "platform/ui/WidgetPromptService.h"
#include "tests/support/ScriptedPrompt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Shows real boxes for the length of a test, then puts the script back.
class RealBoxes {
public:
    RealBoxes() { platform::setPromptService(&m_widgets); }
    ~RealBoxes() { platform::setPromptService(&duopane::test::prompt()); }

private:
    platform::WidgetPromptService m_widgets;
};

QList<QPushButton*> visibleButtons(QWidget* box)
{
    QList<QPushButton*> shown;
    for (QPushButton* b : box->findChildren<QPushButton*>())
        if (b->isVisible())
            shown.append(b);
    return shown;
}

// Acts on the box as soon as it is open.
void whenBoxOpens(std::function<void(QMessageBox*)> act)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(box);
        }
    });
    timer->start(10);
}

} // namespace

TEST(Boxara, PassesCaptionsAndReturnsTheIndex)
{
    duopane::test::prompt().expect(platform::QuestionKind::MessageBox, "Delete following files", 1);
    Boxara::instance().SetFont("Tahoma", 0);
    EXPECT_EQ(Boxara::instance().Show("Delete following files and folders ? \r\nx", "Deleting...", "&Yes", "&No"), 1);
    const platform::Question& q = duopane::test::prompt().asked().at(0);
    EXPECT_EQ(q.buttons, QStringList({"&Yes", "&No", "", "", ""}));
    EXPECT_EQ(q.title, "Deleting...");
    EXPECT_EQ(q.details.value("fontName").toString(), "Tahoma");
}

TEST(Boxara, RealBoxShowsOnlyTheGivenButtons)
{
    RealBoxes real;
    const quint32 font = platform::CreateFontHandle(QFont("DejaVu Sans", 11));
    Boxara::instance().SetFont("DejaVu Sans", font);
    QStringList captions;
    int pointSize = 0;
    whenBoxOpens([&](QMessageBox* box) {
        const auto buttons = visibleButtons(box);
        for (QPushButton* b : buttons)
            captions << b->text();
        pointSize = box->font().pointSize();
        buttons.at(1)->click();
    });
    EXPECT_EQ(Boxara::instance().Show("Which one?", "Duopane", "&HTTP URL", "&FTP URL"), 1);
    EXPECT_EQ(captions, QStringList({"&HTTP URL", "&FTP URL"}));
    EXPECT_EQ(pointSize, 11);
    platform::DeleteFontHandle(font);
}

TEST(Boxara, ClosingWithoutChoosingIsNeverTheFirstButton)
{
    RealBoxes real;
    whenBoxOpens([](QMessageBox* box) { box->close(); });
    EXPECT_EQ(Boxara::instance().Show("Overwrite?", "Copying...", "&Yes", "&No"), -1);
    whenBoxOpens([](QMessageBox* box) { box->reject(); });
    EXPECT_EQ(platform::SystemMessageBox("Continue?", "Shutdown Duopane", platform::MB_YESNO), platform::IDNO);
}
