#include "platform/ui/shell/FileProgressDialog.h"

#include "ui_FileProgressDialog.h"

#include <QApplication>
#include <QLocale>

namespace platform {

FileProgressDialog::FileProgressDialog(QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow()), m_ui(std::make_unique<Ui::FileProgressDialog>())
{
    m_ui->setupUi(this);
    m_ui->pBar1->setRange(0, 1000);
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, [this] {
        m_cancelled = true;
        m_ui->lblStatus->setText(QStringLiteral("Cancelling..."));
    });
    m_started.start();
}

FileProgressDialog::~FileProgressDialog() = default;

void FileProgressDialog::start(const QString& title, qint64 totalBytes, int totalItems)
{
    setWindowTitle(title);
    m_totalBytes = totalBytes;
    m_ui->lblStatus->setText(QStringLiteral("%1 items, %2").arg(totalItems).arg(QLocale::system().formattedDataSize(totalBytes)));
    m_started.restart();
}

void FileProgressDialog::setItem(const QString& from, const QString& to)
{
    m_ui->lblFrom->setText(QStringLiteral("From: %1").arg(from));
    m_ui->lblTo->setText(to.isEmpty() ? QString() : QStringLiteral("To: %1").arg(to));
}

void FileProgressDialog::advance(qint64 bytesDone, int itemsDone)
{
    if (m_totalBytes > 0)
        m_ui->pBar1->setValue(int(qMin<qint64>(1000, bytesDone * 1000 / m_totalBytes)));
    if (!m_cancelled)
        m_ui->lblStatus->setText(QStringLiteral("%1 items done, %2").arg(itemsDone).arg(QLocale::system().formattedDataSize(bytesDone)));
    if (!isVisible() && m_started.elapsed() >= m_showDelayMs)
        show();
}

void FileProgressDialog::finish()
{
    hide();
}

void FileProgressDialog::reject()
{
    // Escape or the close box cancel the operation; the engine closes the window when it stops.
    m_cancelled = true;
}

} // namespace platform
