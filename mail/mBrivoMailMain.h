#pragma once

#include <QString>

class QDialog;
class QWidget;

// What every window of the mail monitor shares: its font, how it is shown, its boxes.
namespace mBrivoMailMain {

// The title of the component's own boxes.
inline const QString AppTitle = QStringLiteral("Postrix");

// The component's font name on the window and its controls; an empty name keeps theirs.
void ApplyFont(QWidget* window, const QString& fontName);
// Shows the window modally through the prompt service and returns its result.
int ShowModal(QDialog& window);
// An information box with the component's title.
void Inform(const QString& text, const QString& title = AppTitle);

} // namespace mBrivoMailMain
