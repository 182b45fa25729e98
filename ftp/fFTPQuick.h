#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class fFTPQuick;
}
class QLineEdit;

// The quick connection dialog: one host, user, password and folder, nothing stored.
class fFTPQuick : public QDialog {
    Q_OBJECT
public:
    explicit fFTPQuick(QWidget* parent = nullptr);
    ~fFTPQuick() override;

    // Shows the dialog through the prompt service; true when it was cancelled.
    bool ShowModal();
    QLineEdit* txtFTPAccount(int index) const;
    void ValidateFields();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void cmdConnect_Click();

    std::unique_ptr<Ui::fFTPQuick> ui;
};
