#pragma once

#include <QString>
#include <QStringList>

// Small text rules shared by the FTP window and its engine.
namespace mFTPMain {

// The user anonymous logons give, and the password they answer with.
inline const QString kAnonymousUser = QStringLiteral("anonymous");
inline const QString kAnonymousPassword = QStringLiteral("ezhfodq@");

// The parts of an "ftp://" address; empty when the address cannot be read.
struct FtpUrl {
    QString host;
    QString userName;
    QString password;
    QString remoteFolder;
};
FtpUrl ParseFtpUrl(const QString& url);

// An absolute remote path with "." and ".." resolved, always starting and ending with "/".
QString NormalizePath(const QString& path);
// Drops a final "/" unless the text is the root "/".
QString StripTrailingSlash(const QString& text);
// "HH:MM:SS" of a number of seconds.
QString FormatDuration(double seconds);
// The text with any "PASS" command masked, as the log and the logon question show it.
QString MaskPassword(const QString& text);
// A size as the list shows it ("##,##0" in the user's locale), and back; -1 when not a number.
QString FormatSize(qint64 size);
qint64 SizeFromText(const QString& text);
// "name?size" items of batch lists and transfer-list files.
struct BatchItem {
    QString path;
    qint64 size = 0;
};
BatchItem SplitBatchItem(const QString& item);
QString MakeBatchItem(const QString& path, qint64 size);

// The address of a "227" reply: the six numbers between its first "(" and first ")".
struct PassiveAddress {
    QString host;
    quint16 port = 0;
    bool valid = false;
};
PassiveAddress ParsePassiveReply(const QString& line);
// The size a "150" reply announces in its last parentheses ("(1234 bytes)"); -1 without one.
qint64 ParseAnnouncedSize(const QString& line);

// True when a relative remote path may be written below a local folder: no empty, "." or ".."
// part, no "\" and no NUL in it. Names from listings are the server's and are not trusted.
bool IsSafeRelativePath(const QString& relative);

} // namespace mFTPMain
