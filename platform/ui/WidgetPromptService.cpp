#include "platform/ui/WidgetPromptService.h"

#include "platform/prompt/SystemMessageBox.h"
#include "platform/ui/FontTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace platform {
namespace {

QWidget* owner()
{
    return QApplication::activeWindow();
}

QMessageBox::Icon iconOf(quint32 style)
{
    switch (style & 0xF0) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

struct SystemButton {
    QMessageBox::StandardButton button;
    int id;
};

QList<SystemButton> buttonsOf(quint32 style)
{
    switch (style & 0xF) {
    case MB_OKCANCEL: return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL: return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default: return {{QMessageBox::Ok, IDOK}};
    }
}

} // namespace

Answer WidgetPromptService::ask(const Question& question)
{
    switch (question.kind) {
    case QuestionKind::MessageBox: return messageBox(question);
    case QuestionKind::SystemMessageBox: return systemMessageBox(question);
    case QuestionKind::InputBox: return inputBox(question);
    case QuestionKind::OpenFile: {
        const QString path = QFileDialog::getOpenFileName(owner(), question.title,
                                                          question.details.value("folder").toString(),
                                                          question.details.value("filter").toString());
        return {path.isEmpty() ? 2 : 1, path};
    }
    case QuestionKind::SaveFile: {
        const QString path = QFileDialog::getSaveFileName(owner(), question.title,
                                                          question.details.value("folder").toString(),
                                                          question.details.value("filter").toString());
        return {path.isEmpty() ? 2 : 1, path};
    }
    case QuestionKind::PickFolder: {
        const QString path = QFileDialog::getExistingDirectory(owner(), question.title,
                                                               question.details.value("folder").toString());
        return {path.isEmpty() ? 2 : 1, path};
    }
    case QuestionKind::PickColour: {
        const quint32 bgr = question.details.value("colour").toUInt();
        const QColor initial(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff);
        const QColor c = QColorDialog::getColor(initial, owner(), question.title);
        if (!c.isValid())
            return {2, {}};
        return {1, quint32(c.red() | (c.green() << 8) | (c.blue() << 16))};
    }
    case QuestionKind::PickFont: {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, question.details.value("font").value<QFont>(), owner(), question.title);
        return {ok ? 1 : 2, ok ? QVariant(f) : QVariant()};
    }
    case QuestionKind::FileConflict:
    case QuestionKind::FileError:
    case QuestionKind::Modal:
        if (question.run)
            return {question.run(), {}};
        break;
    }
    return dismissedAnswer(question);
}

Answer WidgetPromptService::messageBox(const Question& question)
{
    QMessageBox box(owner());
    box.setWindowTitle(question.title);
    box.setText(QString(question.text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    if (question.details.contains("fontName")) {
        const auto handle = FontOfHandle(question.details.value("fontHandle").toUInt());
        box.setFont(handle ? *handle : QFont(question.details.value("fontName").toString()));
    }
    QList<QAbstractButton*> shown;
    for (const QString& caption : question.buttons) {
        if (caption.isEmpty())
            continue;
        shown.append(box.addButton(caption, QMessageBox::ActionRole));
    }
    if (shown.isEmpty())
        shown.append(box.addButton(QMessageBox::Ok));
    // Escape and the close box answer "not chosen", never the first button.
    QAbstractButton* dismiss = box.addButton(QMessageBox::Cancel);
    dismiss->hide();
    box.setEscapeButton(dismiss);
    box.exec();
    const int index = shown.indexOf(box.clickedButton());
    if (index < 0)
        return {-1, {}};
    // the index counts the caller's captions, empty ones included
    int seen = -1;
    for (int i = 0; i < question.buttons.size(); ++i)
        if (!question.buttons[i].isEmpty() && ++seen == index)
            return {i, {}};
    return {index, {}};
}

Answer WidgetPromptService::systemMessageBox(const Question& question)
{
    QMessageBox box(iconOf(question.style), question.title.isEmpty() ? QApplication::applicationDisplayName() : question.title,
                    QString(question.text).replace(QLatin1String("\r\n"), QLatin1String("\n")), QMessageBox::NoButton, owner());
    const QList<SystemButton> buttons = buttonsOf(question.style);
    for (const SystemButton& b : buttons)
        box.addButton(b.button);
    const auto pressed = QMessageBox::StandardButton(box.exec());
    for (const SystemButton& b : buttons)
        if (b.button == pressed)
            return {b.id, {}};
    return dismissedAnswer(question);
}

Answer WidgetPromptService::inputBox(const Question& question)
{
    bool ok = false;
    // Archivers ask for passwords through the same box, masked.
    const auto echo = question.details.value("password").toBool() ? QLineEdit::Password : QLineEdit::Normal;
    const QString text = QInputDialog::getText(owner(), question.title, question.text, echo,
                                               question.details.value("default").toString(), &ok);
    return {ok ? 1 : 2, ok ? QVariant(text) : QVariant()};
}

} // namespace platform
