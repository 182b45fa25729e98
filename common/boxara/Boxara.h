#pragma once

#include <QString>

// The message box component: a text, a title and up to five buttons with the caller's captions.
class Boxara {
public:
    // Returns the index of the pressed button (0 for button 1); closing the box returns -1.
    int Show(const QString& text, const QString& title, const QString& button1, const QString& button2 = {},
             const QString& button3 = {}, const QString& button4 = {}, const QString& button5 = {});
    void SetFont(const QString& fontName, quint32 fontHandle);

    // The process-wide object every deliverable asks through.
    static Boxara& instance();

private:
    QString m_fontName;
    quint32 m_fontHandle = 0;
};
