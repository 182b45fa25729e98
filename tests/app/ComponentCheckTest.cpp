#include "app/mMain.h"
#include "platform/prompt/SystemMessageBox.h"
#include "tests/support/ScriptedPrompt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using duopane::test::prompt;
using platform::QuestionKind;

namespace {

void installAllBut(const QString& folder, const QStringList& missing)
{
    for (const QString& name : mMain::OwnComponents()) {
        if (missing.contains(name))
            continue;
        QFile f(folder + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
}

} // namespace

TEST(ComponentCheck, TableListsTheLibrariesThisBuildMakes)
{
    const QStringList own = mMain::OwnComponents();
    ASSERT_FALSE(own.isEmpty());
    for (const QString& name : own)
        EXPECT_TRUE(QFile::exists(mMain::ComponentFolder() + name)) << qPrintable(name);
    EXPECT_TRUE(mMain::CheckComponents(mMain::ComponentFolder())) << "the build tree is complete";
}

TEST(ComponentCheck, EachMissingComponentWarnsThenOneQuestion)
{
    const QStringList own = mMain::OwnComponents();
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    const QStringList missing = own.mid(0, 2);
    installAllBut(folder, missing);
    // a folder of the right name is not the component
    QDir().mkpath(folder + missing.first());

    for (const QString& name : missing)
        prompt().expect(QuestionKind::SystemMessageBox, "'" + name.toUpper() + "' is missing.", platform::IDOK);
    prompt().expect(QuestionKind::SystemMessageBox, "Continue Duopane ?", platform::IDNO);
    EXPECT_FALSE(mMain::CheckComponents(folder));
    EXPECT_TRUE(prompt().allAnswered());
    EXPECT_EQ(prompt().asked().last().title, "Shutdown Duopane");
    EXPECT_EQ(prompt().asked().first().text.section("\r\n", 1), "Install Duopane again !!!");

    prompt().clear();
    for (const QString& name : missing)
        prompt().expect(QuestionKind::SystemMessageBox, name.toUpper(), platform::IDOK);
    prompt().expect(QuestionKind::SystemMessageBox, "Continue Duopane ?", platform::IDYES);
    EXPECT_TRUE(mMain::CheckComponents(folder)) << "the user may go on with what is installed";
    EXPECT_TRUE(prompt().allAnswered());
}

TEST(ComponentCheck, ALinkToADeletedLibraryIsMissing)
{
    const QStringList own = mMain::OwnComponents();
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    installAllBut(folder, {own.first()});
    ASSERT_TRUE(QFile::link(folder + "gone.so.1.7.0", folder + own.first()));
    prompt().expect(QuestionKind::SystemMessageBox, own.first().toUpper(), platform::IDOK);
    prompt().expect(QuestionKind::SystemMessageBox, "Continue Duopane ?", platform::IDNO);
    EXPECT_FALSE(mMain::CheckComponents(folder));
    EXPECT_TRUE(prompt().allAnswered());
}
