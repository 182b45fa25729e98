#include "mail/mBrivoMailMain.h"

#include "platform/prompt/Prompt.h"
#include "platform/prompt/SystemMessageBox.h"

#include <QDialog>
#include <QWidget>

namespace mBrivoMailMain {

void ApplyFont(QWidget* window, const QString& fontName)
{
    if (fontName.isEmpty())
        return;
    QFont font = window->font();
    font.setFamily(fontName);
    window->setFont(font);
}

int ShowModal(QDialog& window)
{
    return platform::ShowModal(&window, window.windowTitle(), [&window] { return window.exec(); });
}

void Inform(const QString& text, const QString& title)
{
    platform::SystemMessageBox(text, title, platform::MB_OK | platform::MB_ICONINFORMATION);
}

} // namespace mBrivoMailMain
