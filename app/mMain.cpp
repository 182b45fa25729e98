#include "app/mMain.h"

#include "app/OwnComponents.h"
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
        const QFileInfo file(folder + name);
        if (file.isFile())
            continue;
        complete = false;
        platform::SystemMessageBox(QStringLiteral("Duopane componet '%1' is missing.\r\nInstall Duopane again !!!")
                                       .arg(name.toUpper()),
                                   QString(), platform::MB_ICONWARNING);
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
    // Our libraries are installed beside each other; the platform library is always one of them.
    const QString platformLib = fileOfSymbol(reinterpret_cast<const void*>(&platform::CatchTerminationSignals));
    return QFileInfo(platformLib).absolutePath() + u'/';
}

bool CheckComponents(const QString& folder)
{
    if (!browserRuntimeInstalled()) {
        platform::SystemMessageBox(QStringLiteral("Install 'Internet Explorer 4' for Duopane."), QString(),
                                   platform::MB_ICONWARNING);
        return false;
    }
    if (ownComponentsInstalled(folder))
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
