#pragma once

#include <QString>

class QObject;
class QWidget;

// Copy, move, rename and delete through the shell's file operations (with the shell's own
// progress, replace and error windows), whole folder paths, and the three questions asked before
// a copy, move or delete. Item lists name items relative to a source folder ("*.*" and other
// wildcards included): NUL-separated for the routines that act at once, "\r\n"-separated (as the
// panels' selections are) for the routines that ask first.
//
// "owner" is the window the shell's windows belong to (nullptr for none); they open over the
// active window, which is the owner whenever it asks. No routine raises an error: failures, a
// cancelled operation and one the user stopped half way all answer false (or an empty name), and
// every routine lets pending window events run before it returns.
namespace mmFileOper {

// A caller's window for NewFolderByDialog and RenameByDialog (the panels' new folder and rename
// dialogs). common/ui/CentredDialog.h gives a QDialog both members.
class ModalDialog {
public:
    virtual ~ModalDialog() = default;
    // The window itself, as the prompt service and tests see it.
    virtual QObject* dialogWindow() = 0;
    // Centres the window on the screen, shows it modal and returns when it is closed.
    virtual int showModalCentred() = 0;
};

class NewFolderDialog : public ModalDialog {
public:
    // The typed name; empty when the dialog was cancelled.
    virtual QString NewFolder() const = 0;
};

class RenameDialog : public ModalDialog {
public:
    // The name the dialog starts from.
    virtual void OldName(const QString& name) = 0;
    // The typed name; empty when the dialog was cancelled.
    virtual QString NewName() const = 0;
};

// Runs one shell file operation (FO_* function, FOF_* flags) on the NUL-separated sources.
// Relative names are taken from folder, or from the current folder when it is empty.
bool ShellFileOperation(QWidget* owner, int function, const QString& source, const QString& target, quint16 flags,
                        const QString& folder = {});
// Renames an existing file or folder; false when oldPath names nothing.
bool ShellRename(QWidget* owner, const QString& oldPath, const QString& newPath);
// Both folders must exist; targetFolder gets its trailing separator.
bool ShellCopy(QWidget* owner, const QString& sourceFolder, QString& targetFolder, const QString& items, quint16 flags);
// As ShellCopy; without confirm nothing is asked, not even for making the target folder.
bool ShellMove(QWidget* owner, const QString& sourceFolder, QString& targetFolder, const QString& items, bool confirm);
// To the Trash (the shell asks first), or removed for good without a question.
bool ShellDelete(QWidget* owner, const QString& folder, const QString& items, bool toRecycleBin);
// Creates every missing level of an absolute folder path; true when the folder is there at the end.
// The first level that cannot be made shows the system's error text.
bool CreateFolderPath(const QString& path);
// Asks a name with the dialog and makes that folder in folder (which gets its trailing separator).
// The new name, or empty.
QString NewFolderByDialog(QString& folder, NewFolderDialog& dialog);
// Asks a new name for the item at path with the dialog and renames it. The new name, or empty.
QString RenameByDialog(QWidget* owner, RenameDialog& dialog, const QString& path);
// Ask "Copy (Move, Delete) following files and folders ? " with the list, then copy or move into
// targetFolder, or delete to the Trash. Nothing happens for an empty list or a missing folder.
bool ConfirmCopyItems(QWidget* owner, const QString& sourceFolder, QString& targetFolder, const QString& items);
bool ConfirmMoveItems(QWidget* owner, const QString& sourceFolder, QString& targetFolder, const QString& items);
bool ConfirmDeleteItems(QWidget* owner, const QString& folder, const QString& items);

} // namespace mmFileOper
