#include "common/mmFile.h"
#include "common/mmShellExe.h"

#include "platform/core/DoEvents.h"
#include "platform/core/FileName.h"
#include "platform/shell/ShellNamespace.h"
#include "tests/common/Printers.h"
#include "tests/common/TestFiles.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace mmShellExe;
using duopane::test::testFolder;
using duopane::test::writeBytes;

namespace {

QString applications() { return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/applications/"; }
QString mimeApps() { return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/mimeapps.list"; }

// A viewer program in a folder with a blank in its name, and its desktop entry.
QString installViewer(const QString& id, const QByteArray& extraLines = {})
{
    const QString program = testFolder("my programs") + id + "-bin";
    writeBytes(program, "#!/bin/sh\nexit 0\n", true);
    writeBytes(applications() + id + ".desktop",
              "[Desktop Entry]\nType=Application\nName=" + id.toUtf8() + "\nExec=\"" + program.toUtf8() + "\" %f\n"
                  + extraLines);
    return program;
}

const QByteArray kPng("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\1\0\0\0\1\x08\x02\0\0\0\x90wS\xDE", 33);

// A stand-in for xdg-open first on PATH; it records each target it was asked to open in the
// returned file, which appears whole.
QString installOpener()
{
    const QString bin = testFolder("opener bin");
    const QString trace = testFolder("opener") + "trace";
    writeBytes(bin + "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"" + trace.toUtf8() + ".part\"\nmv \""
                                     + trace.toUtf8() + ".part\" \"" + trace.toUtf8() + "\"\n", true);
    qputenv("PATH", (bin + ":" + qEnvironmentVariable("PATH")).toUtf8());
    QFile::remove(trace);
    return trace;
}

QString waitForFile(const QString& path)
{
    // The desktop's opener runs on its own; wait for its trace, with an upper bound.
    for (int i = 0; i < 2000 && !QFile::exists(path); ++i)
        platform::WaitForEvents(5);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TEST(mmShellExe, RunAndWaitWaitsForTheProgram)
{
    const QString folder = testFolder("run and wait");
    const QString script = folder + "write args";
    writeBytes(script, "#!/bin/sh\nsleep 0.2\nfor a in \"$@\"; do echo \"$a\"; done > \"$(dirname \"$0\")/out\"\n", true);
    EXPECT_TRUE(RunAndWait("\"" + script + "\" \"arg one\" two", 1));
    EXPECT_EQ(mmFile::ReadTextFile(folder + "out"), "arg one\ntwo\n\r\n");   // there as soon as it returns
    EXPECT_FALSE(RunAndWait("/no/such/program x", 1));
    EXPECT_FALSE(RunAndWait("", 1));
}

TEST(mmShellExe, AssociationsFollowTheMimeLists)
{
    const QString picture = testFolder("docs") + "picture one.png";
    writeBytes(picture, kPng);
    const QString unclaimed = testFolder("docs") + "data.duopane-unclaimed";
    writeBytes(unclaimed, QByteArray("\x01\x02\x03\xFF", 4));
    const QString viewer = installViewer("duopane-viewer");
    const QString other = installViewer("duopane-other", "MimeType=image/png;\n");
    installViewer("duopane-hidden", "Hidden=true\n");
    struct Case {
        const char* what;
        QByteArray list;
        QString program;
    };
    const Case cases[] = {
        {"default", "[Default Applications]\nimage/png=duopane-viewer.desktop\n", viewer},
        {"first usable default", "[Default Applications]\nimage/png=missing.desktop;duopane-hidden.desktop;duopane-viewer.desktop\n", viewer},
        {"added association", "[Added Associations]\nimage/png=duopane-viewer.desktop;\n", viewer},
        {"declared by the entry", "", other},
        {"declaration removed", "[Removed Associations]\nimage/png=duopane-other.desktop\n", QString()},
    };
    for (const Case& c : cases) {
        writeBytes(mimeApps(), c.list);
        const QString found = AssociatedProgram(picture);
        // A system-wide viewer may remain once ours are removed; ours must then be out of the way.
        if (c.program.isEmpty())
            EXPECT_TRUE(found != viewer && found != other) << c.what << " " << found.toStdString();
        else
            EXPECT_EQ(found, c.program) << c.what;
        EXPECT_EQ(HasAssociation(picture), !found.isEmpty()) << c.what;
    }
    EXPECT_EQ(AssociatedProgram(unclaimed), "");
    EXPECT_FALSE(HasAssociation(unclaimed));
    EXPECT_FALSE(HasAssociation(""));
    EXPECT_FALSE(HasAssociation(testFolder("docs") + "missing.png"));
}

TEST(mmShellExe, OpenDocumentGoesThroughTheDesktopOpener)
{
    const QString trace = installOpener();
    const QString picture = testFolder("docs") + "open me.png";
    writeBytes(picture, kPng);
    const QString unclaimed = testFolder("docs") + "nothing.duopane-unclaimed";
    writeBytes(unclaimed, QByteArray("\x01\x02\x03\xFF", 4));
    installViewer("duopane-viewer");
    installViewer("duopane-files");
    installViewer("duopane-browser");
    writeBytes(mimeApps(), "[Default Applications]\nimage/png=duopane-viewer.desktop\n"
                           "inode/directory=duopane-files.desktop\nx-scheme-handler/http=duopane-browser.desktop\n");
    const QString folder = testFolder("docs");

    EXPECT_FALSE(OpenDocument(unclaimed, true));
    EXPECT_FALSE(OpenDocument(unclaimed, false));
    EXPECT_FALSE(OpenDocument(folder, true));        // a folder has no associated program
    EXPECT_FALSE(HasAssociation(folder));
    EXPECT_TRUE(OpenDocument(picture, true));
    // Only the associated document reached the opener.
    EXPECT_EQ(waitForFile(trace), picture + "\n");
    QFile::remove(trace);
    EXPECT_TRUE(OpenDocument(folder, false));         // but the desktop opens it in its file manager
    EXPECT_EQ(waitForFile(trace), folder + "\n");
    QFile::remove(trace);
    EXPECT_TRUE(OpenDocument("http://example.org/page", false));
    EXPECT_EQ(waitForFile(trace), "http://example.org/page\n");
}

TEST(mmShellExe, OpenItemByIdList)
{
    using platform::ItemKind;
    using platform::ShellNamespace;
    const QString trace = installOpener();
    const QString picture = testFolder("docs") + "item.png";
    writeBytes(picture, kPng);
    installViewer("duopane-viewer");
    installViewer("duopane-trash");
    writeBytes(mimeApps(), "[Default Applications]\nimage/png=duopane-viewer.desktop\n"
                           "x-scheme-handler/trash=duopane-trash.desktop\n");

    EXPECT_FALSE(OpenItemByIdList(0, platform::ItemIdList()));
    EXPECT_TRUE(OpenItemByIdList(0, ShellNamespace::listForPath(platform::EncodeFileName(picture))));
    EXPECT_EQ(waitForFile(trace), picture + "\n");
    QFile::remove(trace);
    EXPECT_TRUE(OpenItemByIdList(0, ShellNamespace::parse(ShellNamespace::TrashParsingName)));
    EXPECT_EQ(waitForFile(trace), "trash:///\n");

    // A Control Panel entry starts its own application, with no document for its field codes.
    const QString started = testFolder("panel") + "started";
    const QString program = testFolder("panel") + "settings tool";
    writeBytes(program, "#!/bin/sh\necho \"$#:$*\" > \"" + started.toUtf8() + ".part\"\nmv \"" + started.toUtf8()
                            + ".part\" \"" + started.toUtf8() + "\"\n", true);
    const QString entry = testFolder("panel") + "tool.desktop";
    writeBytes(entry, "[Desktop Entry]\nType=Application\nName=Tool\nExec=\"" + program.toUtf8() + "\" --page=net %U\n");
    const platform::ItemIdList panel = ShellNamespace::parse(ShellNamespace::ControlPanelParsingName);
    EXPECT_TRUE(OpenItemByIdList(0, panel.appended(ItemKind::PanelEntry, platform::EncodeFileName(entry))));
    EXPECT_EQ(waitForFile(started), "1:--page=net\n");
    EXPECT_FALSE(OpenItemByIdList(0, panel.appended(ItemKind::PanelEntry, "/no/such/entry.desktop")));
}
