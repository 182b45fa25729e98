#pragma once

#include <QString>

#include <memory>

namespace platform {

// One of our archiver libraries, found by its Windows file name ("UnZip32.DLL" is
// libUnZip32.so, compared without regard to case) in the program's library folder and then
// on the library path, and loaded at run time. A missing file leaves it unloaded.
class ArchiverLibrary {
public:
    explicit ArchiverLibrary(const QString& dllName);
    ~ArchiverLibrary();
    ArchiverLibrary(const ArchiverLibrary&) = delete;
    ArchiverLibrary& operator=(const ArchiverLibrary&) = delete;

    bool isLoaded() const { return m_handle != nullptr; }
    QString path() const { return m_path; }
    void* symbol(const char* name) const;

    // Where the file of a library would be loaded from; empty when there is none.
    static QString locate(const QString& dllName);
    // The folder our own libraries live in.
    static QString libraryFolder();

private:
    void* m_handle = nullptr;
    QString m_path;
};

} // namespace platform
