#include "common/mmFileOper.h"
#include "common/ui/CentredDialog.h"

#include "platform/prompt/SystemMessageBox.h"
#include "tests/common/Printers.h"
#include "tests/common/TestFiles.h"
#include "tests/support/ScriptedPrompt.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

#include <gtest/gtest.h>

using namespace mmFileOper;
using duopane::test::freshFolder;
using duopane::test::prompt;
using duopane::test::writeBytes;
using platform::QuestionKind;

namespace {

// The smallest dialog a panel could hand over: one name field, OK by accept, Cancel by reject.
template <class Interface>
class NameDialog : public CentredDialog<Interface> {
public:
    // The owner sits in a corner: Qt alone would centre the dialog over it, not on the screen.
    explicit NameDialog(QWidget* owner) : CentredDialog<Interface>(owner)
    {
        this->setWindowTitle(QStringLiteral("Name dialog"));
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(field = new QLineEdit(this));
    }
    QString typed() const { return this->result() == QDialog::Accepted ? field->text() : QString(); }

    QLineEdit* field;
};

class NewFolderNameDialog : public NameDialog<NewFolderDialog> {
public:
    using NameDialog::NameDialog;
    QString NewFolder() const override { return typed(); }
};

class RenameNameDialog : public NameDialog<RenameDialog> {
public:
    using NameDialog::NameDialog;
    void OldName(const QString& name) override { field->setText(name); }
    QString NewName() const override { return typed(); }
};

// What the user saw once the dialog was up.
struct Seen {
    QString startName;
    QPoint offCentre;
};

// Answers the dialog's modal question by really showing it: once it is up, the user types a name
// (unless it is empty) and presses OK, or Cancel.
duopane::test::ScriptedPrompt::Responder typeAndClose(const QString& name, bool ok, const std::shared_ptr<Seen>& seen)
{
    return [=](const platform::Question& question) {
        auto* dialog = qobject_cast<QDialog*>(question.window);
        EXPECT_TRUE(dialog);
        if (!dialog)
            return platform::Answer{};
        QTimer::singleShot(0, dialog, [=] {
            auto* field = dialog->findChild<QLineEdit*>();
            seen->startName = field->text();
            seen->offCentre = dialog->frameGeometry().center() - dialog->screen()->availableGeometry().center();
            if (!name.isEmpty())
                field->setText(name);
            ok ? dialog->accept() : dialog->reject();
        });
        return platform::Answer{question.run(), {}};
    };
}

// Window frames may shift the shown window by a few pixels.
constexpr int FrameSlack = 8;

class DialogRoutines : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.setGeometry(10, 10, 240, 160);
        owner.show();
    }
    void TearDown() override { EXPECT_TRUE(prompt().allAnswered()); }

    QWidget owner;
};

} // namespace

TEST_F(DialogRoutines, NewFolderByDialogMakesTheTypedFolder)
{
    const struct {
        const char* typed;
        bool ok;
        const char* result;
    } cases[] = {
        {"New Folder", true, "New Folder"},
        {"gr\u00fc\u00dfe/deeper", true, "gr\u00fc\u00dfe/deeper"},
        {"Cancelled", false, ""},
        {"", true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const QString base = freshFolder("new folder");
        QString folder = base.chopped(1);
        auto seen = std::make_shared<Seen>();
        prompt().expect(QuestionKind::Modal, "Name dialog", typeAndClose(QString::fromUtf8(c.typed), c.ok, seen));
        NewFolderNameDialog dialog(&owner);
        EXPECT_EQ(NewFolderByDialog(folder, dialog), QString::fromUtf8(c.result));
        EXPECT_EQ(folder, base) << "the folder gets its separator";
        EXPECT_LE(seen->offCentre.manhattanLength(), FrameSlack) << "shown in the middle of the screen";
        if (*c.result) {
            EXPECT_TRUE(QFileInfo(base + QString::fromUtf8(c.result)).isDir());
        } else {
            EXPECT_TRUE(QDir(base).isEmpty());
        }
    }
}

TEST_F(DialogRoutines, NewFolderByDialogFailsQuietlyWithoutAFolderAndTellsWhyACreationFailed)
{
    QString missing = freshFolder("new folder") + "missing";
    NewFolderNameDialog dialog(&owner);
    EXPECT_EQ(NewFolderByDialog(missing, dialog), QString());
    EXPECT_TRUE(prompt().asked().isEmpty()) << "no dialog for a folder that is not there";

    QString folder = freshFolder("new folder");
    writeBytes(folder + "taken", "a file of that name");
    prompt().expect(QuestionKind::Modal, "Name dialog", typeAndClose("taken", true, std::make_shared<Seen>()));
    prompt().expect(QuestionKind::SystemMessageBox, QString(), platform::IDOK);
    EXPECT_EQ(NewFolderByDialog(folder, dialog), QString());
}

TEST_F(DialogRoutines, RenameByDialogStartsFromTheOldName)
{
    const struct {
        const char* item;      // below the folder; a trailing "/" names a folder by its folder path
        const char* typed;
        bool ok;
        const char* startName;
        const char* result;
    } cases[] = {
        {"old name.txt", "new name.txt", true, "old name.txt", "new name.txt"},
        {"a folder/", "renamed folder", true, "a folder", "renamed folder"},
        {"old name.txt", "never", false, "old name.txt", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        const QString base = freshFolder("rename");
        writeBytes(base + "old name.txt", "content");
        QDir().mkpath(base + "a folder");
        auto seen = std::make_shared<Seen>();
        prompt().expect(QuestionKind::Modal, "Name dialog", typeAndClose(QString::fromUtf8(c.typed), c.ok, seen));
        RenameNameDialog dialog(&owner);
        const QString result = RenameByDialog(nullptr, dialog, base + QString::fromUtf8(c.item));
        EXPECT_EQ(result, QString::fromUtf8(c.result));
        EXPECT_EQ(seen->startName, QString::fromUtf8(c.startName));
        EXPECT_LE(seen->offCentre.manhattanLength(), FrameSlack);
        const QString old = base + QString::fromUtf8(c.item);
        EXPECT_EQ(QFileInfo::exists(old), result.isEmpty());
        if (!result.isEmpty()) {
            EXPECT_TRUE(QFileInfo::exists(base + result));
        }
    }
    RenameNameDialog dialog(&owner);
    EXPECT_EQ(RenameByDialog(nullptr, dialog, freshFolder("rename") + "missing.txt"), QString());
}
