// The mail list window driven as a user would: captions, pictures, marks, the menu and keys,
// and a screenshot of it with messages fetched from a server.
#include "mail/cMailListModel.h"
#include "mail/fCheckMail.h"
#include "mail/fListMail.h"

#include "tests/mail/MailTestSupport.h"
#include "tests/mail/ScriptedPop3Server.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using duopane::test::prompt;

namespace {

struct Mail {
    const char* from;
    const char* subject;
    int minute;
    bool read;
};

class ListMail : public ::testing::Test {
protected:
    // Five messages, the newest first in the list; the newest is unread and gets opened.
    void SetUp() override
    {
        const Mail mails[] = {
            {"a@example.com", "newest", 50, false},     {"Prize <win@junk.example>", "prize", 40, false},
            {"b@example.com", "old read", 30, true},    {"c@example.com", "older read", 20, true},
            {"d@example.com", "oldest unread", 10, false},
        };
        for (const Mail& m : mails) {
            auto message = std::make_shared<cMessage>();
            message->Server = "pop.example.com";
            message->CreateFromText(mailtest::mail(m.from, m.subject, QString("%1@example.com").arg(m.minute)));
            message->SentAt = QDateTime(QDate(2024, 5, 1), QTime(10, m.minute));
            message->SendDate = QLocale::system().toString(message->SentAt, QLocale::ShortFormat);
            message->Read = m.read;
            list.Add(message);
        }
        settings.SpamSender = {"@junk.example"};
    }

    fListMail& window()
    {
        if (!shown) {
            shown = std::make_unique<fListMail>(list, settings, check);
            shown->resize(900, 520);
            shown->show();
            QApplication::setActiveWindow(shown.get());
            EXPECT_TRUE(QTest::qWaitForWindowActive(shown.get()));
        }
        return *shown;
    }

    int rowOf(const char* subject) { return window().RowOf("pop.example.com<" + idOf(subject) + "@example.com>"); }

    QString idOf(const char* subject)
    {
        for (const auto& m : list.Items())
            if (m->Subject.trimmed() == subject)
                return m->MessageID.mid(1, m->MessageID.indexOf('@') - 1);
        return {};
    }

    void select(int row)
    {
        auto* view = window().findChild<QTreeView*>("LV1");
        view->selectionModel()->clearSelection();
        view->selectionModel()->select(view->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    void click(int row)
    {
        auto* view = window().findChild<QTreeView*>("LV1");
        const QRect cell = view->visualRect(view->model()->index(row, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    }

    cMailList list;
    cMailSettings settings;
    fCheckMail check{list, settings};
    std::unique_ptr<fListMail> shown;
};

TEST_F(ListMail, OpensOnTheNewestMessageWithTheCountsInTheCaption)
{
    fListMail& w = window();
    EXPECT_EQ(w.windowTitle().toStdString(), "5 MAILS (2 NEW MAILS, 1 SPAM MAILS)");
    EXPECT_EQ(rowOf("newest"), 0);
    EXPECT_EQ(rowOf("oldest unread"), 4);
    EXPECT_EQ(w.PictureOf(0).toStdString(), "MailRead");
    EXPECT_TRUE(w.findChild<QPlainTextEdit*>("txtBody")->toPlainText().startsWith("Hello."));
    auto* view = w.findChild<QTreeView*>("LV1");
    const QStringList headers{"From", "Subject", "Date", "POP3 Server", "To", "Cc", "Bcc"};
    for (int c = 0; c < headers.size(); ++c)
        EXPECT_EQ(view->model()->headerData(c, Qt::Horizontal).toString(), headers[c]);
    EXPECT_EQ(view->columnWidth(0), 150);
    EXPECT_EQ(view->columnWidth(1), 200);
    EXPECT_FALSE(w.findChild<QPushButton*>("cmdMail_2")->isEnabled()); // no mail program here
}

TEST_F(ListMail, ClickingUnreadSpamMakesItSpamReadAndLowersTheCount)
{
    const int row = rowOf("prize");
    EXPECT_EQ(window().PictureOf(row).toStdString(), "Spam");
    click(row);
    EXPECT_EQ(window().PictureOf(row).toStdString(), "SpamRead");
    EXPECT_EQ(window().windowTitle().toStdString(), "5 MAILS (1 NEW MAILS, 1 SPAM MAILS)");
}

TEST_F(ListMail, MenuItemsAndTheirKeysChangeTheMarks)
{
    const int row = rowOf("old read");
    select(row);
    QTest::keyClick(window().findChild<QTreeView*>("LV1"), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(window().PictureOf(row).toStdString(), "Mail");
    EXPECT_EQ(window().windowTitle().toStdString(), "5 MAILS (3 NEW MAILS, 1 SPAM MAILS)");
    window().findChild<QAction*>("mnuMailSub_0")->trigger();
    EXPECT_EQ(window().PictureOf(row).toStdString(), "Spam");
    window().findChild<QAction*>("mnuMailSub_3")->trigger();
    EXPECT_EQ(window().PictureOf(row).toStdString(), "SpamRead");
    EXPECT_EQ(window().windowTitle().toStdString(), "5 MAILS (2 NEW MAILS, 2 SPAM MAILS)");

    // Ordinary lasts until the rule is applied again.
    select(rowOf("prize"));
    window().findChild<QAction*>("mnuMailSub_1")->trigger();
    EXPECT_EQ(list.SpamCount(), 1);
    window().Refresh();
    EXPECT_EQ(window().PictureOf(rowOf("prize")).left(4).toStdString(), "Spam");

    window().findChild<QAction*>("mnuMailSub_6")->trigger();
    EXPECT_EQ(window().findChild<QTreeView*>("LV1")->selectionModel()->selectedRows().size(), 5);
    select(0);
    window().findChild<QAction*>("mnuMailSub_7")->trigger();
    EXPECT_EQ(window().findChild<QTreeView*>("LV1")->selectionModel()->selectedRows().size(), 4);
}

TEST_F(ListMail, DeleteSpamNeedsSpamAndClosingClearsDeleteMarks)
{
    settings.SpamSender.clear();
    window().Refresh();
    EXPECT_FALSE(window().findChild<QPushButton*>("cmdMail_1")->isEnabled());
    list.Items()[0]->Delete = true;
    window().findChild<QPushButton*>("cmdMail_3")->click();
    EXPECT_FALSE(list.Items()[0]->Delete);
    EXPECT_EQ(list.Count(), 5);
}

TEST_F(ListMail, ColumnClicksFlipTheOrder)
{
    auto* view = window().findChild<QTreeView*>("LV1");
    view->header()->sectionClicked(2);
    EXPECT_EQ(rowOf("oldest unread"), 0);
    view->header()->sectionClicked(2);
    EXPECT_EQ(rowOf("newest"), 0);
}

TEST(ListMailScreenshot, FetchedMessagesAsTheUserSeesThem)
{
    QList<QByteArray> inbox{
        mailtest::mail("\"Maria Schmidt\" <maria@example.de>", "=?UTF-8?Q?Gr=C3=BC=C3=9Fe_aus_K=C3=B6ln?=", "m1@example.de",
                       "Hallo Joe,\r\n\r\nwir sehen uns am Freitag um 18 Uhr am Dom.\r\n\r\nViele Grüße\r\nMaria\r\n"),
        mailtest::mail("Build Robot <ci@builds.example.org>", "Nightly build #1442 passed", "b1442@builds.example.org"),
        mailtest::mail("\"Lucky Winner Desk\" <claims@junk.example>", "You have WON $1,000,000", "w1@junk.example"),
        mailtest::mail("=?ISO-8859-1?Q?Fran=E7ois?= <francois@example.fr>", "Re: the slides for Monday", "f1@example.fr"),
        mailtest::mail("=?Shift_JIS?B?k2OShpG+mFk=?= <tanaka@example.jp>", "=?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?= meeting",
                       "t1@example.jp"),
    };
    const char* dates[] = {"Wed, 01 May 2024 09:12:44 +0200", "Wed, 01 May 2024 03:00:10 +0000",
                           "Tue, 30 Apr 2024 23:59:59 -0500", "Tue, 30 Apr 2024 17:45:03 +0200",
                           "Tue, 30 Apr 2024 08:30:00 +0900"};
    for (int i = 0; i < inbox.size(); ++i)
        inbox[i].replace("Tue, 05 Mar 2002 21:10:05 +0900", dates[i]);
    ScriptedPop3Server server([inbox](const QByteArray& c) -> QByteArrayList {
        if (c == "STAT")
            return {"+OK 5 9000\r\n"};
        if (c.startsWith("TOP "))
            return {"+OK\r\n" + inbox.value(c.split(' ').value(1).toInt() - 1) + ".\r\n"};
        return {"+OK\r\n"};
    });
    cMailSettings settings;
    settings.SpamSender = {"@junk.example"};
    cMailList list;
    mailtest::addAccount(settings, "127.0.0.1", server.port(), "joe", "secret");
    ASSERT_TRUE(mailtest::runCheck(list, settings));
    ASSERT_EQ(list.Count(), 5);

    fCheckMail check(list, settings);
    fListMail window(list, settings, check);
    window.resize(900, 460);
    window.show();
    QTest::qWait(50);
    const QString folder = duopane::test::buildDir() + "/screenshots";
    QDir().mkpath(folder);
    const QImage shot = window.grab().toImage();
    EXPECT_TRUE(shot.save(folder + "/mail-list.png"));
    EXPECT_EQ(window.windowTitle().toStdString(), "5 MAILS (4 NEW MAILS, 1 SPAM MAILS)");
    EXPECT_TRUE(prompt().allAnswered());
}

} // namespace
