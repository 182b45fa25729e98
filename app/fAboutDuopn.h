#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class fAboutDuopn;
}

// The about window; at start-up it stands as the splash screen.
class fAboutDuopn : public QDialog {
    Q_OBJECT

public:
    static constexpr auto HomePage = "https://duopane.example.org/";

    explicit fAboutDuopn(QWidget* parent = nullptr);
    ~fAboutDuopn() override;

    // The splash form: OK and both links disabled, the home label names the browser requirement.
    void ShowAsSplash();

private:
    std::unique_ptr<Ui::fAboutDuopn> ui;
};
