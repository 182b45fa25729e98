// ftp-bench parse FILE
// ftp-bench download PORT USER PASSWORD REMOTE-NAME LOCAL-FOLDER
// ftp-bench upload PORT USER PASSWORD LOCAL-FILE
// Runs one listing parse or one transfer through the FTP engine against a loopback server.
#include "ftp/engine/FtpSession.h"
#include "ftp/engine/FtpSettings.h"
#include "ftp/engine/cFTPList.h"
#include "ftp/engine/mFTPMain.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

struct QuietHost : FtpEngineHost {
    void ShowStatus(const QString&, int) override {}
    void AppendLog(FtpLogColour colour, const QString& text) override
    {
        if (colour == FtpLogColour::Red)
            std::fprintf(stderr, "%s", qPrintable(text));
    }
};

int parse(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 2;
    QByteArray text = file.readAll();
    cFTPList list;
    list.SetFTPFileList(text);
    std::printf("%d entries\n", list.FileNumb());
    return list.FileNumb() > 0 ? 0 : 1;
}

bool logOn(FtpSession& session, const QStringList& args)
{
    FtpSettings& settings = ftpSettings();
    settings.Host = QStringLiteral("127.0.0.1");
    settings.RemotePort = args.value(2).toInt();
    settings.UserName = args.value(3);
    settings.Password = args.value(4);
    settings.PassiveMode = true;
    return session.LogOn();
}

int transfer(const QStringList& args)
{
    QuietHost host;
    FtpSession session(host);
    if (!logOn(session, args))
        return 3;
    bool ok = false;
    if (args[1] == QLatin1String("download")) {
        // The size comes from the listing, as the window takes it.
        session.Command().TreeReady = true;
        QString folder = session.Command().CurrentFolder;
        if (!session.Cache().ListFolder(folder))
            return 4;
        const cFTPList* list = session.Cache().Find(folder);
        for (int i = 0; list && i < list->FileNumb(); ++i) {
            if (list->FileName(i) == args.value(5))
                ok = session.Transfers().DownloadBatch(args.value(6), {args.value(5) + QLatin1Char('?') + list->FileSize(i)});
        }
    } else {
        const QFileInfo local(args.value(5));
        ok = session.Transfers().UploadBatch(local.path(), {mFTPMain::MakeBatchItem(local.fileName(), local.size())})
            && !host.TransferCanceled();
    }
    session.Disconnect();
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("parse"))
        return parse(args[2]);
    if ((args.size() == 7 && args[1] == QLatin1String("download")) || (args.size() == 6 && args[1] == QLatin1String("upload")))
        return transfer(args);
    std::fprintf(stderr, "usage: ftp-bench parse FILE | download PORT USER PASS NAME FOLDER | upload PORT USER PASS FILE\n");
    return 2;
}
