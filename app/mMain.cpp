#include "app/mMain.h"

#include "app/OwnComponents.h"
#include "common/mmFile.h"
#include "common/mmFileVersion.h"
#include "common/mmWinVersion.h"
#include "platform/core/TerminationSignals.h"
#include "platform/prompt/SystemMessageBox.h"
#include "platform/ui/WidgetPromptService.h"

#include <QApplication>
#include <QFileInfo>
#include <QWidget>

#include <algorithm>
#include <dlfcn.h>

namespace mMain {
namespace {

constexpr auto HomePage = "https://duopane.example.org/";
constexpr auto ProgramBody = "libduopane-app.so";

QString fileOfSymbol(const void* symbol)
{
    Dl_info info {};
    if (!::dladdr(symbol, &info) || !info.dli_fname)
        return QString();
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).canonicalFilePath();
}

// The web browser runtime is the Qt Widgets library our views are made of.
bool browserRuntimeInstalled()
{
    return mmWinVersion::ShellLibVersion() > 3
        && QFileInfo(fileOfSymbol(reinterpret_cast<const void*>(&QApplication::staticMetaObject))).isFile();
}

bool ownComponentsInstalled(const QString& folder)
{
    bool complete = true;
    for (const QString& name : OwnComponents()) {
        // the loader follows the soname link, so a link to a deleted file is missing too
        if (QFileInfo(folder + name).isFile())
            continue;
        complete = false;
        platform::SystemMessageBox(QStringLiteral("Duopane componet '%1' is missing.\r\nInstall Duopane again !!!")
                                       .arg(name.toUpper()),
                                   QString(), platform::MB_ICONWARNING);
    }
    return complete;
}

struct PlatformComponent {
    const char* file;
    const char* minimumVersion;
};

// The platform libraries the program cannot run without, with the oldest versions it was built for.
constexpr PlatformComponent platformComponents[] = {
    {"libQt6Core.so.6", "6.2.x.x"},
    {"libQt6Gui.so.6", "6.2.x.x"},
    {"libQt6Widgets.so.6", "6.2.x.x"},
    {"libQt6Network.so.6", "6.2.x.x"},
};

// The platform's library folder: where the Qt libraries this process runs on are.
QString platformLibraryFolder()
{
    return QFileInfo(fileOfSymbol(reinterpret_cast<const void*>(&QObject::staticMetaObject))).absolutePath() + u'/';
}

bool platformComponentsInstalled()
{
    bool complete = true;
    for (const PlatformComponent& row : platformComponents) {
        const QString name = QString::fromLatin1(row.file);
        const QString path = mmFile::IsFile(platformLibraryFolder() + name) ? platformLibraryFolder() + name : QString();
        if (!path.isEmpty() && mmFileVersion::VersionAtLeast(path, QString::fromLatin1(row.minimumVersion)))
            continue;
        complete = false;
        platform::SystemMessageBox(QStringLiteral("Library control '%1' is not properly installed.\r\n"
                                                  "Duopane requires '%1' version %2")
                                       .arg(name.toUpper(), QString::fromLatin1(row.minimumVersion)),
                                   QStringLiteral("Missing or improper control"), platform::MB_ICONWARNING);
    }
    return complete;
}

int runProgramBody(QApplication& app)
{
    void* body = ::dlopen(QFile::encodeName(ComponentFolder() + QString::fromLatin1(ProgramBody)).constData(),
                          RTLD_NOW | RTLD_GLOBAL);
    auto start = body ? reinterpret_cast<void (*)()>(::dlsym(body, "DuopaneStart")) : nullptr;
    if (!start) {
        platform::SystemMessageBox(QStringLiteral("Duopane cannot start:\r\n%1").arg(QString::fromLocal8Bit(::dlerror())),
                                   QString(), platform::MB_ICONERROR);
        return 1;
    }
    start();
    // A signal or a closed main window during start-up's questions leaves nothing to run.
    const auto windows = QApplication::topLevelWidgets();
    const bool anyShown = std::any_of(windows.cbegin(), windows.cend(), [](QWidget* w) { return w->isVisible(); });
    return anyShown ? app.exec() : 0;
}

} // namespace

QStringList OwnComponents()
{
    return QString::fromLatin1(DUOPANE_OWN_COMPONENTS).split(u';', Qt::SkipEmptyParts);
}

QString ComponentFolder()
{
    return mmFile::SystemFolder();
}

bool CheckComponents(const QString& folder)
{
    if (!browserRuntimeInstalled()) {
        platform::SystemMessageBox(QStringLiteral("Install 'Internet Explorer 4' for Duopane."), QString(),
                                   platform::MB_ICONWARNING);
        return false;
    }
    // every row is tested and warns on its own before the one question
    const bool own = ownComponentsInstalled(folder);
    if (platformComponentsInstalled() && own)
        return true;
    const QString question = QStringLiteral("Continue Duopane ?\r\nPlease download and install the required "
                                            "controls from the Duopane home page (%1) !!!")
                                 .arg(QString::fromLatin1(HomePage));
    return platform::SystemMessageBox(question, QStringLiteral("Shutdown Duopane"),
                                      platform::MB_YESNO | platform::MB_ICONQUESTION)
        == platform::IDYES;
}

int Main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("duopane"));
    app.setApplicationDisplayName(QStringLiteral("Duopane"));
    platform::WidgetPromptService prompts;
    platform::setPromptService(&prompts);
    if (!CheckComponents(ComponentFolder()))
        return 1;
    platform::CatchTerminationSignals([] {
        QApplication::closeAllWindows();
        QApplication::quit();
    });
    return runProgramBody(app);
}

} // namespace mMain
