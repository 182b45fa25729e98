#pragma once

#include "ftp/engine/FtpEngineHost.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace Ui {
class fFTPProgress;
}
class QProgressBar;

// The progress window of a batch: the file bar, the total bar, speed and times, and Cancel.
class fFTPProgress : public QWidget {
    Q_OBJECT
public:
    explicit fFTPProgress(QWidget* ftpWindow);
    ~fFTPProgress() override;

    void SetCaption(const QString& caption);
    void SetPrg1(double value, double maximum);
    void SetPrg2(double value, double maximum);
    void SetLabels(const QString& from, const QString& to, const QString& file);
    void Show(const FtpProgress& progress);
    bool Busy() const { return m_busy; }
    bool Canceled() const { return m_canceled; }
    void SetCanceled(bool canceled) { m_canceled = canceled; }
    // The window is closed: the run ends.
    void Unload();
    // The once-a-second update of the texts.
    void Tick();

signals:
    void Unloaded();
    void Started();

private:
    void askCancel();
    void setPrg(int bar, double value, double maximum);

    std::unique_ptr<Ui::fFTPProgress> ui;
    QTimer m_timer;
    QElapsedTimer m_started;
    QString m_caption;
    double m_values[2] = {0, 0};
    double m_maxima[2] = {0, 0};
    bool m_busy = false;
    bool m_canceled = false;
};
