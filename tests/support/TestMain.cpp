// Test entry point: a fresh private environment, the offscreen platform and a scripted prompt.
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestEnvironment.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

// Every test starts with an empty script; a test checks prompt().allAnswered() itself.
class PromptListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { duopane::test::prompt().clear(); }
};

} // namespace

int main(int argc, char** argv)
{
    duopane::test::prepareTestEnvironment();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    platform::setPromptService(&duopane::test::prompt());
    ::testing::UnitTest::GetInstance()->listeners().Append(new PromptListener);
    return RUN_ALL_TESTS();
}
