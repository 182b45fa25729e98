// Drives the mail monitor on its own: "postrix-demo check", "view" or "config".
#include "mail/cBrivoMailEx.h"
#include "platform/prompt/Prompt.h"
#include "platform/ui/WidgetPromptService.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::WidgetPromptService prompts;
    platform::setPromptService(&prompts);
    const QString what = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("check");
    cBrivoMailEx mail;
    if (what == QLatin1String("config"))
        mail.Configure();
    else if (what == QLatin1String("view"))
        mail.ViewMail();
    else
        mail.CheckMail();
    return 0;
}
