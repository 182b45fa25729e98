#include "ftp/fFTPMain.h"

#include "common/boxara/Boxara.h"
#include "common/mmShellExe.h"
#include "ftp/FtpRemoteTree.h"
#include "ftp/FtpShellLink.h"
#include "ftp/engine/FtpSession.h"
#include "ftp/engine/FtpSettings.h"
#include "ftp/engine/mFTPMain.h"
#include "ftp/fFTPProgress.h"
#include "ftp/fFTPQuick.h"
#include "ftp/fFTPSites.h"
#include "platform/core/DoEvents.h"
#include "ui_fFTPMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QStyle>
#include <QTextCursor>

#include <cmath>

namespace {

QPointer<fFTPMain> s_window;

QColor logColour(FtpLogColour colour)
{
    switch (colour) {
    case FtpLogColour::Red: return QColor(255, 0, 0);
    case FtpLogColour::Blue: return QColor(0, 0, 255);
    case FtpLogColour::Magenta: return QColor(255, 0, 255);
    default: return QColor(0, 0, 0);
    }
}

} // namespace

fFTPMain* fFTPMain::Open(QWidget* parent)
{
    if (!s_window) {
        s_window = new fFTPMain(parent);
        s_window->setAttribute(Qt::WA_DeleteOnClose);
    }
    return s_window;
}

fFTPMain* fFTPMain::Instance()
{
    return s_window;
}

void fFTPMain::UnloadAll()
{
    if (!s_window)
        return;
    s_window->close();
    delete s_window;
}

fFTPMain::fFTPMain(QWidget* parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::fFTPMain>())
    , m_session(std::make_unique<FtpSession>(*this))
{
    ui->setupUi(this);
    m_remoteTree = new FtpRemoteTree(*m_session, ui->TV1, ui->LV1, ui->cmbURL, this);
    m_shellLink = new FtpShellLink(*this, ui->LV1, ui->TV1);
    connect(m_remoteTree, &FtpRemoteTree::Status, this, [this](const QString& text) { ShowStatus(text, 1); });
    setUpControls();
    setUpMenu();
    m_tmrNOOP.setInterval(30000);
    connect(&m_tmrNOOP, &QTimer::timeout, this, [this] {
        if (!IsBusyNow() && m_session->IsConnected())
            m_session->SendKeepAlive();
    });
    if (!ftpSettings().FontName.isEmpty())
        setFont(QFont(ftpSettings().FontName));
    layoutControls();
}

fFTPMain::~fFTPMain() = default;

void fFTPMain::setUpControls()
{
    QStyle* look = style();
    struct Button {
        const char* key;
        const char* tip;
        QStyle::StandardPixmap icon;
    };
    const Button buttons[] = {
        {"QuickConnect", "Quick Connect to FTP...", QStyle::SP_DriveNetIcon},
        {"Connect", "Connect to FTP by Site Manager...", QStyle::SP_DirLinkIcon},
        {"Disconnect", "Disconnect", QStyle::SP_BrowserStop},
        {"GoUp", "Go Upward", QStyle::SP_FileDialogToParent},
    };
    for (int i = 0; i < 4; ++i) {
        QAction* action = ui->tBar1->addAction(look->standardIcon(buttons[i].icon), QString::fromLatin1(buttons[i].tip));
        action->setObjectName(QString::fromLatin1(buttons[i].key));
        if (i < 3)
            m_toolbarActions[i] = action;
    }
    m_goUpButton = ui->tBar1->actions().last();
    connect(m_toolbarActions[0], &QAction::triggered, this, [this] { FTP_Connect(true); });
    connect(m_toolbarActions[1], &QAction::triggered, this, [this] { FTP_Connect(false); });
    connect(m_toolbarActions[2], &QAction::triggered, this, [this] { Disconnect(); });
    connect(m_goUpButton, &QAction::triggered, this, [this] { GoUp(); });
    m_treeButton = ui->tBar2->addAction(look->standardIcon(QStyle::SP_FileDialogListView), QStringLiteral("Tree"));
    m_treeButton->setObjectName(QStringLiteral("Tree"));
    m_treeButton->setCheckable(true);
    m_treeButton->setChecked(true);
    connect(m_treeButton, &QAction::toggled, this, &fFTPMain::SetTreeVisible);
    for (QToolBar* bar : {ui->tBar1, ui->tBar2}) {
        bar->setIconSize(QSize(16, 16));
        bar->adjustSize();
    }
    for (int i = 0; i < 2; ++i) {
        m_statusPanels[i] = new QLabel(ui->sBar1);
        ui->sBar1->addWidget(m_statusPanels[i], i == 0 ? 1 : 0);
    }
    const QFontMetrics metrics(ui->LV1->font());
    const double factors[] = {4, 1.7, 5, 3, 2};
    for (int column = 0; column < 5; ++column)
        ui->LV1->setColumnWidth(column, int(factors[column] * metrics.horizontalAdvance(ui->LV1->headerItem()->text(column))));
    ui->LV1->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    ui->LV1->headerItem()->setTextAlignment(3, Qt::AlignCenter);
    ui->LV1->header()->setSectionsClickable(true);
    ui->LV1->setDragEnabled(false);
    ui->cmbURL->setInsertPolicy(QComboBox::NoInsert);
    ui->cmbURL->clear();
    ui->rtbStatus->clear();
    for (QObject* watched : {static_cast<QObject*>(ui->LV1), static_cast<QObject*>(ui->LV1->viewport()),
                             static_cast<QObject*>(ui->InVisLine), static_cast<QObject*>(ui->TV1->viewport())})
        watched->installEventFilter(this);
    connect(ui->LV1->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_remoteTree->SortByColumn(column + 1);
        ShowStatus(QStringLiteral("Done"), 1);
    });
    connect(ui->LV1, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (!IsBusyNow())
            OpenItem(item);
    });
    connect(ui->LV1, &QTreeWidget::itemClicked, this, [this] { showSelectionCount(QStringLiteral("  ")); });
    connect(ui->TV1, &QTreeWidget::itemClicked, this, &fFTPMain::treeClicked);
    connect(ui->TV1, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) {
        if (!IsBusyNow())
            m_remoteTree->ExpandNode(node);
    });
    connect(ui->TV1, &QTreeWidget::itemCollapsed, this, &fFTPMain::treeCollapsed);
    connect(ui->cmbURL->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        m_remoteTree->OpenTypedAddress(ui->cmbURL->currentText());
    });
}

void fFTPMain::setUpMenu()
{
    // The "&FTP" menu is the file list's pop-up menu; the list's own keys reach its commands.
    ui->menuBar->hide();
    for (QAction* action : ui->mnuFTP->actions())
        action->setShortcutContext(Qt::WidgetShortcut);
    const std::pair<QAction*, std::function<void()>> commands[] = {
        {ui->mnuMakeDir, [this] { MakeFolder(); }},
        {ui->mnuRename, [this] { RenameItem(); }},
        {ui->mnuDelete, [this] { DeleteItems(); }},
        {ui->mnuAbort, [this] { AbortCommand(); }},
        {ui->mnuRefresh, [this] { RefreshFolder(); }},
        {ui->mnuConnect, [this] { FTP_Connect(false); }},
        {ui->mnuQuickConnect, [this] { FTP_Connect(true); }},
        {ui->mnuDisconnect, [this] { Disconnect(); }},
        {ui->mnuSwitchPassive, [] { ftpSettings().PassiveMode = !ftpSettings().PassiveMode; }},
    };
    for (const auto& [action, command] : commands)
        connect(action, &QAction::triggered, this, [this, command = command] { runMenuCommand(command); });
    QAction* styles[] = {ui->mnuViewStyle_0, ui->mnuViewStyle_1, ui->mnuViewStyle_2, ui->mnuViewStyle_3};
    for (int i = 0; i < 4; ++i)
        connect(styles[i], &QAction::triggered, this, [this, i] { setViewStyle(i); });
    connect(ui->mnuSelectAll, &QAction::triggered, this, [this] {
        ui->LV1->selectAll();
        showSelectionCount(QStringLiteral(" "));
    });
    connect(ui->mnuInvertSelection, &QAction::triggered, this, [this] {
        for (int i = 0; i < ui->LV1->topLevelItemCount(); ++i)
            ui->LV1->topLevelItem(i)->setSelected(!ui->LV1->topLevelItem(i)->isSelected());
        showSelectionCount(QStringLiteral(" "));
    });
    connect(ui->mnuExit, &QAction::triggered, this, &QWidget::close);
    setViewStyle(3);
}

void fFTPMain::runMenuCommand(const std::function<void()>& command)
{
    m_session->Data().CloseWinsock2();
    command();
    ShowStatus(QStringLiteral("Done"), 1);
}

void fFTPMain::setViewStyle(int style)
{
    // Large icons, small icons, list, details: the list keeps its rows and changes its look.
    QAction* styles[] = {ui->mnuViewStyle_0, ui->mnuViewStyle_1, ui->mnuViewStyle_2, ui->mnuViewStyle_3};
    for (int i = 0; i < 4; ++i)
        styles[i]->setChecked(i == style);
    ui->LV1->setIconSize(style == 0 ? QSize(32, 32) : QSize(16, 16));
    ui->LV1->setHeaderHidden(style != 3);
    for (int column = 1; column < 5; ++column)
        ui->LV1->setColumnHidden(column, style != 3);
}

void fFTPMain::showSelectionCount(const QString& gap)
{
    UpdateCommands(false);
    ShowStatus(QString::number(ui->LV1->selectedItems().size()) + gap + QStringLiteral("files and folders are selected."), 1);
}

QString fFTPMain::StatusText(int panel) const
{
    return m_statusPanels[panel == 2 ? 1 : 0]->text();
}

QString fFTPMain::LogText() const
{
    return ui->rtbStatus->toPlainText();
}

void fFTPMain::ShowStatus(const QString& text, int panel)
{
    platform::DoEvents();
    const bool locks = text.contains(QLatin1String("ing "));
    if (locks || text.contains(QLatin1String("Done"))) {
        for (QWidget* control : std::initializer_list<QWidget*>{ui->LV1, ui->TV1, ui->tBar1, ui->tBar2})
            control->setEnabled(!locks);
    }
    m_statusPanels[panel == 2 ? 1 : 0]->setText(text.toUpper());
    if (!IsBusyNow())
        UpdateCommands(false);
}

void fFTPMain::AppendLog(FtpLogColour colour, const QString& text)
{
    QTextCursor cursor(ui->rtbStatus->document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(logColour(colour));
    cursor.insertText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")), format);
    ui->rtbStatus->setTextCursor(cursor);
    ui->rtbStatus->ensureCursorVisible();
}

bool fFTPMain::IsBusyNow() const
{
    if (m_session->IsBusy())
        return true;
    return m_progress && m_progress->Busy();
}

void fFTPMain::UpdateCommands(bool forceConnected)
{
    const bool selected = !ui->LV1->selectedItems().isEmpty();
    const bool busy = m_progress && m_progress->Busy();
    const bool connected = m_session->IsConnected() || forceConnected;
    const bool enabled = connected && !busy;
    for (QAction* action : {ui->mnuMakeDir, ui->mnuAbort, ui->mnuRefresh})
        action->setEnabled(enabled);
    ui->mnuRename->setEnabled(enabled && selected);
    ui->mnuDelete->setEnabled(enabled && selected);
    ui->mnuConnect->setEnabled(!connected && !busy);
    ui->mnuQuickConnect->setEnabled(!connected && !busy);
    ui->mnuDisconnect->setEnabled(connected);
    ui->mnuSwitchPassive->setEnabled(connected);
    ui->mnuSelectAll->setEnabled(enabled && ui->LV1->topLevelItemCount() > 0);
    ui->mnuInvertSelection->setEnabled(enabled && ui->LV1->topLevelItemCount() > 0);
    m_toolbarActions[0]->setEnabled(ui->mnuConnect->isEnabled());
    m_toolbarActions[1]->setEnabled(ui->mnuQuickConnect->isEnabled());
    m_toolbarActions[2]->setEnabled(ui->mnuDisconnect->isEnabled());
    const QTreeWidgetItem* node = ui->TV1->currentItem();
    m_goUpButton->setEnabled(node && node->parent() && !IsBusyNow());
}

void fFTPMain::DisableGoUp()
{
    m_goUpButton->setEnabled(false);
}

void fFTPMain::SetSplitPercent(double percent)
{
    m_split = std::clamp(percent, 10.0, 90.0);
    layoutControls();
}

void fFTPMain::SetTreeVisible(bool visible)
{
    const QSignalBlocker quiet(m_treeButton);
    m_treeButton->setChecked(visible);
    layoutControls();
}

void fFTPMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (!isMinimized())
        layoutControls();
}

void fFTPMain::layoutControls()
{
    const QWidget* inner = ui->centralWidget;
    const int W = inner->width() - 1;
    const int H = inner->height();
    const int c = std::max(ui->cmbURL->sizeHint().height(), ui->tBar1->sizeHint().height()) + 2;
    const bool tree = m_treeButton->isChecked();
    const int e = tree ? int(std::nearbyint((H - 2 * c) * (1 - m_split / 100) + 0.5)) : 0;
    const int d = tree ? 3 : 0;
    const int f = tree ? H - 2 * c - e - 1 : H - 2 * c - 2;
    const int bar1 = ui->tBar1->sizeHint().width();
    ui->tBar1->setGeometry(2, 2, bar1, ui->tBar1->sizeHint().height());
    ui->cmbURL->setGeometry(bar1 + 2, 4, W - bar1 - 2, ui->cmbURL->sizeHint().height());
    ui->LV1->setGeometry(0, c, W, f);
    ui->InVisLine->setGeometry(0, c + f, W, d);
    ui->TV1->setGeometry(0, c + f + d, W * 2 / 5 - 2, e - 4);
    ui->rtbStatus->setGeometry(W * 2 / 5 + 2, c + f + d, W * 3 / 5 - d / 2, e - 4);
    for (QWidget* part : std::initializer_list<QWidget*>{ui->InVisLine, ui->TV1, ui->rtbStatus})
        part->setVisible(tree);
    const QSize bar2 = ui->tBar2->sizeHint();
    ui->tBar2->setGeometry(2, c + f + e + 2, bar2.width(), bar2.height());
    ui->sBar1->setGeometry(bar2.width() + 2, c + f + e, W - bar2.width() - 2, bar2.height());
}

bool fFTPMain::splitterMouse(QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    const int y = ui->InVisLine->mapTo(ui->centralWidget, mouse->position().toPoint()).y();
    const int height = ui->InVisLine->height();
    if (event->type() == QEvent::MouseButtonPress) {
        ui->DragLine->setGeometry(0, y - height / 2, ui->centralWidget->width(), height);
        ui->DragLine->show();
        ui->DragLine->raise();
    } else if (event->type() == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton)) {
        ui->DragLine->move(0, y - height / 2);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        ui->DragLine->hide();
        const int bar = ui->tBar2->sizeHint().height();
        const int top = ui->DragLine->y();
        SetSplitPercent(100.0 * (top + ui->DragLine->height() / 2.0 - bar) / (ui->centralWidget->height() - 2.0 * bar));
    }
    return true;
}

void fFTPMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    m_shellLink->Activate();
    UpdateCommands(false);
    m_session->Command().BeginCommand(TransferKind::None);
    m_session->Command().EndCommand(CommandState::Succeeded);
}

void fFTPMain::closeEvent(QCloseEvent* event)
{
    while (m_session->Data().Winsock2().State() != platform::WinsockControl::sckClosed) {
        m_session->Data().CloseWinsock2();
        platform::DoEvents();
    }
    if (!m_unloading) {
        m_unloading = true;
        Disconnect();
        m_shellLink->Terminate();
        ftpSettings().WindowOpen = false;
        platform::DoEvents();
        m_session->Command().EnterClosing();
    }
    event->accept();
}

void fFTPMain::UnloadWindow()
{
    if (!m_unloading)
        close();
}

bool fFTPMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->InVisLine && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove
                                     || event->type() == QEvent::MouseButtonRelease))
        return splitterMouse(event);
    if (watched == ui->LV1 && event->type() == QEvent::KeyPress)
        return listKey(static_cast<QKeyEvent*>(event));
    if (watched == ui->LV1->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return listMouse(event);
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            m_shellLink->ListDrop(static_cast<QDropEvent*>(event));
            return true;
        default:
            break;
        }
    }
    if (watched == ui->TV1->viewport()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton)
            m_treePressHitNode = ui->TV1->itemAt(mouse->position().toPoint()) != nullptr;
        else if (event->type() == QEvent::MouseButtonDblClick && !m_treePressHitNode)
            GoUp();
        if (event->type() == QEvent::DragEnter)
            static_cast<QDragEnterEvent*>(event)->ignore();
    }
    return QMainWindow::eventFilter(watched, event);
}

bool fFTPMain::listKey(QKeyEvent* event)
{
    if (IsBusyNow())
        return true;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int key = event->key();
    if (key == Qt::Key_Backspace) {
        GoUp();
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (QTreeWidgetItem* item = ui->LV1->currentItem())
            OpenItem(item);
    } else if (key == Qt::Key_Delete) {
        runMenuCommand([this] { DeleteItems(); });
    } else if (ctrl && key == Qt::Key_A) {
        ui->mnuSelectAll->trigger();
    } else if (ctrl && key == Qt::Key_I) {
        ui->mnuInvertSelection->trigger();
    } else if (ctrl && key == Qt::Key_M) {
        runMenuCommand([this] { MakeFolder(); });
    } else if (ctrl && key == Qt::Key_R) {
        runMenuCommand([this] { RenameItem(); });
    } else if (ctrl && key == Qt::Key_C) {
        m_shellLink->CopyToClipboard();
    } else if (ctrl && key == Qt::Key_V) {
        m_shellLink->PasteFromClipboard();
    } else {
        return false;
    }
    return true;
}

bool fFTPMain::listMouse(QEvent* event)
{
    if (IsBusyNow())
        return true;
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    QTreeWidgetItem* item = ui->LV1->itemAt(at);
    if (event->type() == QEvent::MouseButtonPress) {
        m_itemUnderMouse = item ? item->text(0) : QString();
        m_pressPoint = at;
        if (mouse->button() == Qt::RightButton) {
            if (item && !item->isSelected() && !(mouse->modifiers() & Qt::ControlModifier)) {
                ui->LV1->clearSelection();
                item->setSelected(true);
            }
            UpdateCommands(false);
            ui->mnuFTP->popup(ui->LV1->viewport()->mapToGlobal(at));
            return true;
        }
        m_dragArmed = item && item->isSelected() && !(mouse->modifiers() & Qt::ControlModifier);
        return m_dragArmed;
    }
    if (event->type() == QEvent::MouseMove && m_dragArmed && (mouse->buttons() & Qt::LeftButton)
        && (at - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
        m_shellLink->StartDrag();
        m_dragArmed = false;
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && m_dragArmed) {
        m_dragArmed = false;
        if (item) {
            ui->LV1->clearSelection();
            item->setSelected(true);
            ui->LV1->setCurrentItem(item);
        }
        showSelectionCount(QStringLiteral("  "));
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick && !item) {
        GoUp();
        return true;
    }
    return false;
}

void fFTPMain::treeClicked(QTreeWidgetItem* node)
{
    UpdateCommands(false);
    if (!IsBusyNow())
        m_remoteTree->OpenFolderNode(QString(), true, node);
}

void fFTPMain::treeCollapsed(QTreeWidgetItem* node)
{
    UpdateCommands(false);
    const QString key = node->data(0, FtpRemoteTree::KeyRole).toString();
    const QString& current = m_session->Command().CurrentFolder;
    if (!IsBusyNow() && key != current && current.contains(key))
        m_remoteTree->OpenFolderNode(QString(), false, node);
}

bool fFTPMain::FTP_Connect(bool bQuick)
{
    platform::DoEvents();
    ShowStatus(QStringLiteral("Connecting..."), 1);
    bool canceled = true;
    if (bQuick) {
        fFTPQuick dialog(this);
        canceled = dialog.ShowModal();
    } else {
        fFTPSites dialog(this);
        canceled = dialog.ShowModal();
    }
    if (canceled)
        return false;
    Disconnect();
    const bool result = ConnectAndLogOn();
    ShowStatus(QStringLiteral("Done"), 1);
    if (result) {
        setWindowTitle(ftpSettings().Host);
        ShowStatus(QStringLiteral("Connected to ") + ftpSettings().Host, 1);
    }
    return result;
}

bool fFTPMain::ConnectAndLogOn()
{
    resetConnection();
    ShowStatus(QStringLiteral("Connecting ") + ftpSettings().Host, 1);
    UpdateCommands(true);
    if (m_session->LogOn() && m_remoteTree->BuildInitialTree()) {
        m_tmrNOOP.start();
        UpdateCommands(false);
        ShowStatus(QStringLiteral("Done"), 1);
        return true;
    }
    bool result = false;
    if (m_session->Command().State() == CommandState::Closing)
        return false;
    if (!m_session->Command().LastCommand().isEmpty()
        && Boxara::instance().Show(m_session->LogOnFailedText(), QStringLiteral("Duopane"), QStringLiteral("&Yes"),
                                   QStringLiteral("&No")) == 0) {
        Disconnect();
        result = FTP_Connect(true);
    }
    UpdateCommands(false);
    ShowStatus(QStringLiteral("Done"), 1);
    return result;
}

void fFTPMain::resetConnection()
{
    m_session->ResetConnection();
    setWindowTitle(QString());
    m_remoteTree->Clear();
    m_tmrNOOP.stop();
    m_shellLink->StopTimer();
    ui->rtbStatus->clear();
}

bool fFTPMain::Disconnect()
{
    ShowStatus(QStringLiteral("Disconnecting..."), 1);
    m_session->Disconnect();
    resetConnection();
    if (m_progress)
        m_progress->Unload();
    ShowStatus(QStringLiteral("Done"), 1);
    ShowStatus(QStringLiteral("Disconnected"), 1);
    return true;
}

bool fFTPMain::AbortCommand()
{
    ShowStatus(QStringLiteral("Aborting FTP command..."), 1);
    m_session->AbortCommand();
    m_tmrNOOP.stop();
    m_shellLink->StopTimer();
    ShowStatus(QStringLiteral("Done"), 1);
    return true;
}

bool fFTPMain::MakeFolder()
{
    if (!m_session->MakeFolder())
        return false;
    m_remoteTree->RefreshFolder();
    ShowStatus(QStringLiteral("Done"), 1);
    return true;
}

bool fFTPMain::RenameItem()
{
    if (!m_session->IsConnected())
        return false;
    if (!m_itemUnderMouse.isEmpty() && m_session->RenameItem(m_itemUnderMouse))
        m_remoteTree->RefreshFolder();
    ShowStatus(QStringLiteral("Done"), 1);
    return true;
}

bool fFTPMain::DeleteItems()
{
    QList<int> selected;
    for (const QTreeWidgetItem* item : ui->LV1->selectedItems())
        selected.append(item->data(0, FtpRemoteTree::EntryRole).toInt());
    const bool result = m_session->DeleteItems(selected);
    if (m_session->Command().LastCommand().startsWith(QLatin1String("RMD"))
        || m_session->Command().LastCommand().startsWith(QLatin1String("DELE")))
        m_remoteTree->RefreshFolder();
    ShowStatus(QStringLiteral("Done"), 1);
    return result;
}

bool fFTPMain::RefreshFolder()
{
    return m_remoteTree->RefreshFolder();
}

bool fFTPMain::GoUp()
{
    const bool result = m_remoteTree->GoUp();
    if (result)
        UpdateCommands(false);
    return result;
}

void fFTPMain::OpenItem(QTreeWidgetItem* item)
{
    const cFTPList* listing = m_session->Cache().Find(m_session->Command().CurrentFolder);
    const int index = item->data(0, FtpRemoteTree::EntryRole).toInt();
    if (!listing)
        return;
    if (listing->IsFolder(index)) {
        m_remoteTree->OpenListFolder(item->text(0));
        return;
    }
    const QString path = m_session->Transfers().FetchForOpening(listing->FileName(index),
                                                                mFTPMain::SizeFromText(listing->FileSize(index)));
    if (path.isEmpty())
        return;
    if (mmShellExe::HasAssociation(path)) {
        mmShellExe::OpenDocument(path, true);
        return;
    }
    const QString text = QStringLiteral("Can not find any associated executable file.\r\nOpen with 'NOTEPAD' ?");
    if (Boxara::instance().Show(text, QStringLiteral("No Association"), QStringLiteral("&Yes"), QStringLiteral("&No")) == 0)
        openWithTextEditor(path);
}

void fFTPMain::openWithTextEditor(const QString& path)
{
    // "Notepad" is the desktop's plain text editor.
    for (const char* editor : {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "xed", "pluma", "featherpad"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(editor));
        if (!program.isEmpty()) {
            QProcess::startDetached(program, {path});
            return;
        }
    }
}

void fFTPMain::ShowProgressLabels(const QString& from, const QString& to, const QString& file)
{
    if (m_progress)
        m_progress->SetLabels(from, to, file);
}

void fFTPMain::ShowProgress(const FtpProgress& progress)
{
    if (m_progress)
        m_progress->Show(progress);
}

bool fFTPMain::TransferCanceled()
{
    return m_progress && m_progress->Canceled();
}

void fFTPMain::StartProgress(const QString& caption)
{
    if (!m_progress) {
        m_progress = new fFTPProgress(this);
        connect(m_progress, &fFTPProgress::Unloaded, this, [this] {
            m_session->Data().CloseWinsock2();
            for (QWidget* control : std::initializer_list<QWidget*>{ui->TV1, ui->cmbURL, ui->tBar1})
                control->setEnabled(true);
            ui->mnuFTP->setEnabled(true);
        });
    }
    m_progress->SetCaption(caption);
    m_progress->show();
    ui->LV1->clearSelection();
    for (QWidget* control : std::initializer_list<QWidget*>{ui->TV1, ui->cmbURL, ui->tBar1})
        control->setEnabled(false);
    ui->mnuFTP->setEnabled(false);
}

void fFTPMain::EndProgress()
{
    if (m_progress)
        m_progress->Unload();
}
