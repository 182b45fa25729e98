#pragma once

#include <QMainWindow>
#include <QTimer>

#include <memory>

namespace Ui {
class fMain;
}

// The program's main window. Closing it runs the shutdown sequence.
class fMain : public QMainWindow {
    Q_OBJECT

public:
    explicit fMain(QWidget* parent = nullptr);
    ~fMain() override;

    // What the settings store writes for each panel (0 left, 1 right).
    qint32 PanelStyle(int index) const;
    // The folder to remember for a panel, empty when the panel shows no real folder.
    QString PanelFolderToSave(int index) const;

    QTimer tmrCheckMail;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void shutdown();

    std::unique_ptr<Ui::fMain> ui;
    QString m_panelFolder[2];
    bool m_loaded = false;
    bool m_shutDown = false;
};
