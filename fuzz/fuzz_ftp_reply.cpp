// Control-connection bytes from a server: framing into lines, the reply table, the PWD, passive
// and size readers. Lines stay bounded however long the server talks.
#include "ftp/engine/FtpCommandEngine.h"
#include "ftp/engine/FtpReplyReader.h"
#include "ftp/engine/mFTPMain.h"

#include <QCoreApplication>

#include <cstdint>

namespace {

struct QuietHost : FtpEngineHost {
    void ShowStatus(const QString&, int) override {}
    void AppendLog(FtpLogColour, const QString&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QuietHost host;
    static FtpCommandEngine engine(host);
    engine.AskNewName = [](const QString& old) { return old + QStringLiteral("-new"); };

    FtpReplyReader reader;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // Odd chunk sizes hit the buffer edges.
    for (qsizetype at = 0; at < bytes.size(); at += 7) {
        reader.feed(bytes.mid(at, 7), [](const QByteArray& line) {
            if (line.size() > FtpReplyReader::kMaxLine + 1)
                __builtin_trap();
            const QString text = QString::fromUtf8(line);
            engine.BeginCommand(TransferKind::None);
            engine.SendRaw(text.size() > 2 && text[0] == QLatin1Char('R') ? QStringLiteral("RNFR a") : QStringLiteral("PWD"));
            engine.HandleReply(text);
            const mFTPMain::PassiveAddress address = mFTPMain::ParsePassiveReply(text);
            if (address.valid && address.host.count(QLatin1Char('.')) != 3)
                __builtin_trap();
            mFTPMain::ParseAnnouncedSize(text);
        });
    }
    if (reader.pending() > FtpReplyReader::kMaxLine)
        __builtin_trap();
    return 0;
}
