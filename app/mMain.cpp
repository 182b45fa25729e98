#include "app/mMain.h"

#include "platform/ui/WidgetPromptService.h"

#include <QApplication>
#include <QMainWindow>

namespace mMain {

int run(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::WidgetPromptService prompts;
    platform::setPromptService(&prompts);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Duopane"));
    window.show();
    return app.exec();
}

} // namespace mMain
