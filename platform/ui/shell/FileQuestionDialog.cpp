#include "platform/ui/shell/FileQuestionDialog.h"

#include "ui_FileQuestionDialog.h"

#include <QApplication>
#include <QPushButton>
#include <QStyle>

namespace platform {

FileQuestionDialog::FileQuestionDialog(const Question& question, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FileQuestionDialog>())
{
    m_ui->setupUi(this);
    setWindowTitle(question.title);
    m_ui->lblText->setText(QString(question.text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    const auto icon = question.kind == QuestionKind::FileError ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxQuestion;
    m_ui->lblIcon->setPixmap(style()->standardIcon(icon).pixmap(32, 32));
    m_ui->buttonRow->addStretch();
    for (int i = 0; i < question.buttons.size(); ++i) {
        auto* button = new QPushButton(question.buttons[i], this);
        button->setObjectName(QStringLiteral("cmdButton_%1").arg(i));
        button->setDefault(i == 0);
        connect(button, &QPushButton::clicked, this, [this, i] { done(i + 1); });
        m_ui->buttonRow->addWidget(button);
    }
}

FileQuestionDialog::~FileQuestionDialog() = default;

int FileQuestionDialog::ask(const Question& question)
{
    FileQuestionDialog dialog(question, QApplication::activeWindow());
    return dialog.exec() - 1;   // closing gives 0, so -1
}

} // namespace platform
