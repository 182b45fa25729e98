#pragma once

#include "ftp/engine/FtpEngineHost.h"
#include "platform/net/WinsockControl.h"

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QString>

class FtpCommandEngine;

// The data connection: passive or active set-up, listing text, the bytes of a download going
// to its file and the chunks of an upload, with the two progress bars' numbers.
class FtpDataEngine : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kChunkSize = 25396;
    static constexpr qint64 kChunksPerRead = 40;
    // A listing line longer than this keeps only its start; a listing is at most kMaxListing bytes.
    static constexpr qsizetype kMaxListingLine = 8192;
    static constexpr qsizetype kMaxListing = qsizetype(256) * 1024 * 1024;

    FtpDataEngine(FtpCommandEngine& command, FtpEngineHost& host, QObject* parent = nullptr);

    platform::WinsockControl& Winsock2() { return m_winsock2; }
    void CloseWinsock2();
    QString MakePortArgument();
    // PASV or PORT for the next transfer of that kind; false when the server refused.
    bool PrepareDataConnection(TransferKind kind);
    // Reply "227": connect to the address it names.
    void PassiveReply(const QString& line);
    // Reply "125"/"150": an upload starts sending, a download reads the size it announces.
    void TransferStart(const QString& line);

    void ClearListing();
    // The listing bytes received so far, handed over.
    QByteArray TakeListing();

    // The file a download writes; false when it cannot be made.
    bool OpenDownload(const QString& localPath, qint64 size);
    bool OpenUpload(const QString& localPath, qint64 size);
    void FinishFile();

    FtpProgress& Progress() { return m_progress; }
    void SetPrg1(double value, double maximum);
    void SetPrg2(double value, double maximum);
    qint64 FileSize() const { return m_fileSize; }
    qint64 FileDone() const { return m_fileDone; }
    qint64 BatchDone = 0;

private:
    void dataArrival();
    void takeBytes(const QByteArray& bytes);
    void appendListing(const QByteArray& bytes);
    void writeDownload(const QByteArray& bytes);
    void sendNextChunk();
    QByteArray readChunk(qint64 length);
    void sendProgress(qint64 bytes);
    void sendComplete();
    void transferFailed(const QString& text);
    void showProgress();

    FtpCommandEngine& m_command;
    FtpEngineHost& m_host;
    platform::WinsockControl m_winsock2;
    QByteArray m_listing;
    qsizetype m_listingLine = 0;
    QFile m_file;
    qint64 m_fileSize = 0;
    qint64 m_fileDone = 0;
    qint64 m_readDone = 0;
    QByteArray m_block;
    qsizetype m_blockPos = 0;
    bool m_sendWhenConnected = false;
    FtpProgress m_progress;
};
