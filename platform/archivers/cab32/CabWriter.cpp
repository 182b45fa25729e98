// glib first: its "signals" members must not meet Qt's keyword macro.
#include <libgcab.h>

#include "platform/archivers/cab32/CabWriter.h"

#include "platform/archivers/ArchiverApi.h"

#include <QFile>

#include <memory>

namespace arckit {
namespace {

template <typename T> struct GObjectDeleter {
    void operator()(T* object) const { g_object_unref(object); }
};
template <typename T> using GPtr = std::unique_ptr<T, GObjectDeleter<T>>;

} // namespace

int writeCabinet(const QString& archive, const QList<PackItem>& items, bool mszip, bool keepFolders)
{
    GPtr<GCabCabinet> cabinet(gcab_cabinet_new());
    GPtr<GCabFolder> folder(gcab_folder_new(mszip ? GCAB_COMPRESSION_MSZIP : GCAB_COMPRESSION_NONE));
    int added = 0;
    for (const PackItem& item : items) {
        if (item.folder)
            continue;
        QByteArray name = item.member;
        if (!keepFolders)
            name = name.mid(name.lastIndexOf('/') + 1);
        name.replace('/', '\\');
        GPtr<GFile> source(g_file_new_for_path(QFile::encodeName(item.path).constData()));
        GPtr<GCabFile> file(gcab_file_new_with_file(name.constData(), source.get()));
        GError* error = nullptr;
        if (!gcab_folder_add_file(folder.get(), file.get(), FALSE, nullptr, &error)) {
            g_clear_error(&error);
            return arcerr::NotFound;
        }
        ++added;
    }
    if (added == 0)
        return arcerr::NameRequired;
    GError* error = nullptr;
    if (!gcab_cabinet_add_folder(cabinet.get(), folder.get(), &error)) {
        g_clear_error(&error);
        return arcerr::WriteBack;
    }
    // The new cabinet replaces the old one only once it is complete.
    GPtr<GFile> target(g_file_new_for_path(QFile::encodeName(archive).constData()));
    GPtr<GFileOutputStream> out(g_file_replace(target.get(), nullptr, FALSE, G_FILE_CREATE_NONE, nullptr, &error));
    if (!out) {
        g_clear_error(&error);
        return arcerr::TempFile;
    }
    const bool written = gcab_cabinet_write_simple(cabinet.get(), G_OUTPUT_STREAM(out.get()), nullptr, nullptr, nullptr, &error);
    g_clear_error(&error);
    if (!written) {
        GCancellable* cancel = g_cancellable_new();
        g_cancellable_cancel(cancel);
        g_output_stream_close(G_OUTPUT_STREAM(out.get()), cancel, nullptr);
        g_object_unref(cancel);
        return arcerr::WriteBack;
    }
    return g_output_stream_close(G_OUTPUT_STREAM(out.get()), nullptr, nullptr) ? 0 : arcerr::WriteBack;
}

} // namespace arckit
