// pop3check HOST PORT USER PASSWORD LINES: one check of one account through the checking
// window, as CheckMail runs it; prints the seconds it took and the messages fetched.
#include "common/mmEncrypt.h"
#include "mail/engine/cMailList.h"
#include "mail/engine/cMailSettings.h"
#include "mail/fCheckMail.h"
#include "platform/prompt/Prompt.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

// Nobody is there to answer: any question means the check went wrong.
class NoAnswers : public platform::PromptService {
public:
    platform::Answer ask(const platform::Question& q) override
    {
        std::fprintf(stderr, "unexpected question: %s %s\n", qPrintable(q.title), qPrintable(q.text));
        asked = true;
        return platform::dismissedAnswer(q);
    }
    bool asked = false;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: pop3check HOST PORT USER PASSWORD LINES\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    NoAnswers prompts;
    platform::setPromptService(&prompts);

    cMailSettings settings;
    settings.DownLines = QString::fromLocal8Bit(argv[5]).toInt();
    settings.Accounts.Add(MailAccount{"bench", QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[3]),
                                      mmEncrypt::ScramblePassword(QString::fromLocal8Bit(argv[4])),
                                      QString::fromLocal8Bit(argv[2]), "1"}
                              .Record());
    cMailList list;
    fCheckMail window(list, settings);
    QElapsedTimer clock;
    clock.start();
    window.Initialize();
    window.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    std::printf("%.3f %d\n", seconds, list.Count());
    return prompts.asked ? 1 : 0;
}
