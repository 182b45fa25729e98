#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// The shell's questions during a file operation, asked through the prompt service.
class FileOpQuestions {
public:
    // FileConflict answers.
    enum Conflict { Yes = 0, YesToAll = 1, No = 2, CancelAll = 3 };
    // FileError answers.
    enum Error { Retry = 0, Skip = 1, Cancel = 2 };
    // The error of copying or moving a folder into itself.
    static constexpr int IntoItself = -3;

    static Conflict askConflict(int function, const QByteArray& source, const QByteArray& target);
    static Error askError(int function, const QByteArray& path, int error);
    // The delete confirmation; true to go ahead.
    static bool confirmDelete(const QList<QByteArray>& items, bool toTrash);
    static bool confirmCreateFolder(const QByteArray& folder);
    static bool confirmPermanentDelete(const QByteArray& path);
    static QString errorText(int error);
    static QString verbOf(int function);
};

} // namespace platform
