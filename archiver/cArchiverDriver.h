#pragma once

#include "archiver/cArchiveListing.h"
#include "platform/archivers/ArchiverApi.h"

#include <QList>
#include <QString>

#include <memory>

namespace platform {
class ArchiverLibrary;
}

// What sets one Common Archivers Library driver apart from the others.
struct cArchiverTraits {
    QString kindName;          // "ZIP": the warning box is titled kindName + " Message"
    QString libraryFile;       // as declared: "UnZip32.DLL"
    QByteArray prefix;         // "UnZip": the command function and the prefix of every call
    int bufferPerFile = 81;    // output buffer: MaxFileCount × bufferPerFile + bufferBase
    int bufferBase = 324;
    bool emptyOutputOnError = true;  // and "[More...]" when the output fills the buffer
    int methodChars = 0;       // FileType keeps this many characters; 0 = all
    bool ownCursorMode = false;  // the driver keeps CursorMode itself (pointer during commands)
};

// The members every Common Archivers Library driver offers: the command line, the listing
// (cArchiveListing), the error texts, and the library's modes.
class cArchiverDriver : public cArchiveListing {
public:
    // The state a driver keeps between calls; the ARJ driver shares one among all its objects.
    struct State {
        quint32 hWnd = 0;
        qint16 MaxFileCount = 256;
        qint16 checkMode = 0;
        QString commandLine;
        QString output;
        qint32 returnCode = 0;
    };

    virtual ~cArchiverDriver();

    quint32 hWnd() const { return m_state->hWnd; }
    void sethWnd(quint32 window) { m_state->hWnd = window; }
    qint16 MaxFileCount() const { return m_state->MaxFileCount; }
    void setMaxFileCount(qint16 count) { m_state->MaxFileCount = count; }
    QString CommandLine() const { return m_state->commandLine; }
    // Runs the command; ReturnCode, OutPut and ErrString tell the outcome.
    void setCommandLine(const QString& command);
    QString OutPut() const { return m_state->output; }
    qint32 ReturnCode() const { return m_state->returnCode; }
    QString ErrString() const { return ErrorText(m_state->returnCode); }
    qint16 Version() const;
    bool CursorMode() const;
    void setCursorMode(bool on);
    bool BackGroundMode() const;
    void setBackGroundMode(bool on);
    bool Running() const;
    bool CheckArchive(const QString& file) const;
    // Reads the archive's listing; the number of entries (0 after a warning when it cannot).
    virtual qint16 SetArcFile(const QString& file);
    QString ConfigDialog(const QString& option, qint16 mode);


    // The message for a return code, the same in every driver.
    static QString ErrorText(qint32 code);

protected:
    cArchiverDriver(cArchiverTraits traits, State* shared = nullptr);
    qint16 checkMode() const { return m_state->checkMode; }
    void setCheckMode(qint16 mode) { m_state->checkMode = mode; }
    // Fills FilePath and FileName from a member name with its folders.
    static void splitName(const QString& fullName, Entry& entry);
    static Entry entryFromRecord(const ArcEntryRecord& record, int methodChars);
    template <typename F> F call(const char* suffix) const
    {
        return reinterpret_cast<F>(resolve(suffix));
    }

    cArchiverTraits m_traits;

private:
    void* resolve(const char* suffix) const;
    bool readListing(const QString& file);

    std::unique_ptr<State> m_ownState;
    State* m_state;
    std::unique_ptr<platform::ArchiverLibrary> m_library;
    bool m_cursorMode = true;
};
