#include "mail/engine/cCollect.h"
#include "mail/engine/cMailList.h"
#include "mail/engine/mSpamRule.h"

#include "tests/support/ScriptedPrompt.h"

#include <gtest/gtest.h>

namespace {

QStringList texts(const cCollect& c)
{
    QStringList out;
    for (int i = 1; i <= c.Count(); ++i)
        out << c.Item(i).toString();
    return out;
}

TEST(Collect, SortedAddKeepsOrderAndDropsEqualValues)
{
    cCollect c;
    c.SetSorted(true);
    for (const char* v : {"b", "a", "c", "b"})
        c.Add(QString::fromLatin1(v));
    EXPECT_EQ(texts(c), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(c.Index(QStringLiteral("c")), 3);
    EXPECT_EQ(c.Index(QStringLiteral("x")), 0);
}

TEST(Collect, UnsortedKeepsArrivalOrderAndCleansTexts)
{
    cCollect c;
    c.Add(QStringLiteral("  two  "));
    c.Add(QString::fromUtf8("one\0tail", 8));
    c.Add(QStringLiteral("two"));
    EXPECT_EQ(texts(c), (QStringList{"two", "one", "two"}));
    EXPECT_EQ(c.Index(QStringLiteral("two")), 1);
    c.RepIace(2, QStringLiteral("uno"));
    c.Remove(1);
    c.Remove(7);
    EXPECT_EQ(texts(c), (QStringList{"uno", "two"}));
    EXPECT_FALSE(c.Item(0).isValid());
    EXPECT_FALSE(c.Item(3).isValid());
}

TEST(Collect, SortedCannotChangeWithData)
{
    using platform::QuestionKind;
    duopane::test::prompt().expect(QuestionKind::SystemMessageBox, "You can not change 'Sorted' property", 1);
    cCollect c;
    c.Add(QStringLiteral("x"));
    c.SetSorted(true);
    EXPECT_FALSE(c.Sorted());
    EXPECT_TRUE(duopane::test::prompt().allAnswered());
}

TEST(SpamRule, KeywordsMatchInAnyCaseAndEmptyOnesNothing)
{
    cMessage m;
    m.From = "Winner <prize@Lottery-Example.COM>";
    m.Subject = "Your invoice ";
    EXPECT_TRUE(mSpamRule::IsSpam(m, {"@lottery-example.com"}, {}));
    EXPECT_TRUE(mSpamRule::IsSpam(m, {}, {"INVOICE"}));
    EXPECT_FALSE(mSpamRule::IsSpam(m, {"", "@other.example"}, {"", "ILOVEYOU"}));
}

TEST(MailList, KeepsOrderAndFindsByKey)
{
    cMailList list;
    for (const char* id : {"<1@x>", "<2@x>", "<3@x>"}) {
        auto m = std::make_shared<cMessage>();
        m->Server = "s";
        m->MessageID = id;
        list.Add(m);
    }
    list.Add(list.Items().first()); // same key twice stays once
    list.Remove("s<2@x>");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Find("s<3@x>"), list.Items()[1]);
    EXPECT_EQ(list.Find("s<2@x>"), nullptr);
    list.Items()[0]->Read = true;
    list.Items()[1]->Spam = true;
    EXPECT_EQ(list.UnreadCount(), 1);
    EXPECT_EQ(list.SpamCount(), 1);
}

} // namespace
