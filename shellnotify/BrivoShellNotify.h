#pragma once

#include "platform/shell/ItemIdList.h"
#include "platform/shell/ShellChangeHub.h"

#include <QWidget>

class QLabel;

// Turns the shell's change notifications into one event, ShellEvent, with each item's list,
// display name, path (with a trailing separator) and hierarchy text. Watches the whole namespace
// from the Desktop down once activated.
class BrivoShellNotify : public QWidget {
    Q_OBJECT
public:
    explicit BrivoShellNotify(QWidget* parent = nullptr);
    ~BrivoShellNotify() override;

    // The registration's handle; 0 while not registered.
    quint32 m_hSHNotify = 0;

    void Activate();
    void Terminate();
    // One notification: the event code and the two items it names.
    void HandleShellNotify(const platform::ShellChange& change);

    static QString EventName(quint32 code);

signals:
    void ShellEvent(const QString& sEvent, const platform::ItemIdList& nPidl1, const QString& sName1,
                    const QString& sPath1, const QString& sHier1, const platform::ItemIdList& nPidl2,
                    const QString& sName2, const QString& sPath2, const QString& sHier2);

private:
    struct Named {
        QString name, path, hier;
    };
    static Named describe(const platform::ItemIdList& list);

    QLabel* Picture1 = nullptr;
    platform::ItemIdList m_desktop;
    QMetaObject::Connection m_connection;
};
