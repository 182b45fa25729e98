// ferrix-demo [ftp://address]: the FTP window on its own, for trying it out and screenshots.
#include "ftp/cBrivoFTP.h"
#include "platform/ui/WidgetPromptService.h"
#include "platform/prompt/Prompt.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::WidgetPromptService prompts;
    platform::setPromptService(&prompts);
    cBrivoFTP ftp;
    ftp.FTPConnectEx(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    return app.exec();
}
