#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// The hook of one window: sees every event of the window before the window does and hands it to
// the handling object's eventFilter; what the handler does not answer (returns false for) goes on
// to the window as before. A child of the window, so it ends with it.
class cWindowHook : public QObject {
    Q_OBJECT
public:
    cWindowHook(QWidget* window, QObject* handler);

    QObject* Handler() const { return m_handler; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    QPointer<QObject> m_handler;
};
