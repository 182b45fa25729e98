#include "common/boxara/Boxara.h"

#include "platform/prompt/Prompt.h"

int Boxara::Show(const QString& text, const QString& title, const QString& button1, const QString& button2,
                 const QString& button3, const QString& button4, const QString& button5)
{
    platform::Question q;
    q.kind = platform::QuestionKind::MessageBox;
    q.text = text;
    q.title = title;
    q.buttons = {button1, button2, button3, button4, button5};
    if (!m_fontName.isEmpty()) {
        q.details.insert(QStringLiteral("fontName"), m_fontName);
        q.details.insert(QStringLiteral("fontHandle"), m_fontHandle);
    }
    return platform::ask(q).choice;
}

void Boxara::SetFont(const QString& fontName, quint32 fontHandle)
{
    m_fontName = fontName;
    m_fontHandle = fontHandle;
}

Boxara& Boxara::instance()
{
    static Boxara box;
    return box;
}
