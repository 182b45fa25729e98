#pragma once

#include "platform/shell/FileOpProgress.h"

#include <QDialog>
#include <QElapsedTimer>

#include <memory>

namespace Ui {
class FileProgressDialog;
}

namespace platform {

// The progress window of a file operation: shown once the operation has taken a moment, with the
// item being worked on, a bar and a Cancel button that the engine reads after every step.
class FileProgressDialog : public QDialog, public FileOpProgress {
    Q_OBJECT
public:
    explicit FileProgressDialog(QWidget* parent = nullptr);
    ~FileProgressDialog() override;

    void start(const QString& title, qint64 totalBytes, int totalItems) override;
    void setItem(const QString& from, const QString& to) override;
    void advance(qint64 bytesDone, int itemsDone) override;
    bool cancelled() const override { return m_cancelled; }
    void finish() override;

    // How long an operation runs before the window appears.
    void setShowDelay(int ms) { m_showDelayMs = ms; }

protected:
    void reject() override;

private:
    std::unique_ptr<Ui::FileProgressDialog> m_ui;
    QElapsedTimer m_started;
    qint64 m_totalBytes = 0;
    bool m_cancelled = false;
    int m_showDelayMs = 700;
};

} // namespace platform
