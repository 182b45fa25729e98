#include "ftp/fFTPProgress.h"

#include "common/boxara/Boxara.h"
#include "common/mmFile.h"
#include "ftp/engine/FtpSettings.h"
#include "ftp/engine/mFTPMain.h"
#include "ui_fFTPProgress.h"

#include <QLocale>

#include <cmath>

namespace {

// Progress bars hold ints; sizes above 2 GiB are shown in KiB steps so the bars stay right.
constexpr double kBarUnit = 1024.0;

// "##,##0" (no decimals) or "##,##0.0" (one) of a number of bytes in KiB.
QString kilobytes(double bytes, int decimals)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return locale.toString(bytes / 1024.0, 'f', decimals);
}

void setBar(QProgressBar* bar, double value, double maximum)
{
    bar->setMaximum(int(std::min(maximum / kBarUnit, 2.0e9)));
    bar->setValue(int(std::min(value / kBarUnit, double(bar->maximum()))));
}

} // namespace

fFTPProgress::fFTPProgress(QWidget* ftpWindow)
    : QWidget(ftpWindow, Qt::Tool)
    , ui(std::make_unique<Ui::fFTPProgress>())
{
    ui->setupUi(this);
    for (QLabel* label : {ui->lblFrom, ui->lblTo, ui->lblFile, ui->lblSize})
        label->clear();
    ui->lblFrom->setText(QStringLiteral("Please wait a second. Estimating time."));
    if (!ftpSettings().FontName.isEmpty())
        setFont(QFont(ftpSettings().FontName));
    ui->cmdCancel->setFocus();
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &fFTPProgress::Tick);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &fFTPProgress::askCancel);
}

fFTPProgress::~fFTPProgress() = default;

void fFTPProgress::SetCaption(const QString& caption)
{
    m_caption = caption;
    setWindowTitle(caption);
    m_started.start();
    if (QWidget* owner = parentWidget())
        move(owner->geometry().center() - rect().center());
    m_busy = true;
    m_canceled = false;
    m_timer.start();
    emit Started();
}

void fFTPProgress::SetPrg1(double value, double maximum)
{
    setPrg(0, value, maximum);
}

void fFTPProgress::SetPrg2(double value, double maximum)
{
    setPrg(1, value, maximum);
}

void fFTPProgress::setPrg(int bar, double value, double maximum)
{
    if (value >= 0)
        m_values[bar] = value;
    if (maximum > 0)
        m_maxima[bar] = maximum;
    setBar(bar == 0 ? ui->pBar1 : ui->pBar2, m_values[bar], m_maxima[bar]);
    update();
}

void fFTPProgress::Show(const FtpProgress& progress)
{
    SetPrg1(progress.fileValue, progress.fileMax);
    SetPrg2(progress.totalValue, progress.totalMax);
}

void fFTPProgress::SetLabels(const QString& from, const QString& to, const QString& file)
{
    ui->lblFrom->setText(mmFile::CompactPath(from, 35));
    ui->lblTo->setText(mmFile::CompactPath(to, 35));
    ui->lblFile->setText(mmFile::CompactPath(file, 35));
}

void fFTPProgress::Tick()
{
    if (m_maxima[0] <= 0 || m_maxima[1] <= 0)
        return;
    const double seconds = std::max(0.001, m_started.elapsed() / 1000.0);
    const long percent = std::lround(m_values[1] / m_maxima[1] * 100);
    const double speed = m_values[1] / seconds;
    const double remaining = speed > 0 ? (m_maxima[1] - m_values[1]) / speed : 0;
    ui->lblSize->setText(kilobytes(m_values[0], 0) + QLatin1Char('/') + kilobytes(m_maxima[0], 0)
                         + QStringLiteral(" KBytes"));
    ui->lblSpeed->setText(kilobytes(speed, 1) + QStringLiteral(" KBytes/second  ") + mFTPMain::FormatDuration(seconds)
                          + QStringLiteral(" elasped  ") + mFTPMain::FormatDuration(remaining) + QStringLiteral(" remaining"));
    setWindowTitle(QStringLiteral("%1 % %2").arg(percent).arg(m_caption));
}

void fFTPProgress::askCancel()
{
    if (Boxara::instance().Show(QStringLiteral("Stop FTP uploading/downloading commands ?"), QStringLiteral("Duopane"),
                                QStringLiteral("&Yes"), QStringLiteral("&No")) == 0)
        m_canceled = true;
}

void fFTPProgress::Unload()
{
    m_busy = false;
    m_timer.stop();
    hide();
    emit Unloaded();
}
