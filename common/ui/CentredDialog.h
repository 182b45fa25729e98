#pragma once

#include "common/mmFileOper.h"

#include <QDialog>

// Places a window in the middle of the screen it is on (the primary screen before it is shown).
void CentreOnScreen(QWidget* window);

// A dialog for mmFileOper's dialog routines: the caller's new folder or rename dialog derives
// from CentredDialog<mmFileOper::NewFolderDialog> (or RenameDialog) and adds the name members.
template <class Interface>
class CentredDialog : public QDialog, public Interface {
public:
    using QDialog::QDialog;

    QObject* dialogWindow() override { return this; }
    int showModalCentred() override
    {
        CentreOnScreen(this);
        return exec();
    }
};
