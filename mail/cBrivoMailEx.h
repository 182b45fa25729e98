#pragma once

#include <QString>

#include <memory>

class cMailList;
class cMailSettings;
class fCheckMail;

// The mail monitor's public object: checks the POP3 accounts, shows what arrived and deletes
// spam on the servers. The main program creates one, hands it its font, asks CheckTime how
// often to call CheckMail, and calls ViewMail and Configure from its menu.
class cBrivoMailEx {
public:
    cBrivoMailEx();
    // Drops the fetched messages, saves the settings and closes every window still open.
    ~cBrivoMailEx();

    bool IsBusy() const { return m_busy; }
    void SetFont(const QString& sFontName, quint32 hFont);
    void Configure();
    // Minutes between timed checks; -1 when checks are manual or the interval is 0.
    qint32 CheckTime() const;
    void CheckMail();
    void ViewMail();

    // What the component holds, for its owner's status and for tests.
    const cMailList& MailList() const;
    cMailSettings& Settings();

private:
    struct BusyScope;
    fCheckMail& checkWindow();
    void showList();

    std::unique_ptr<cMailSettings> m_settings;
    std::unique_ptr<cMailList> m_mailList;
    std::unique_ptr<fCheckMail> m_checkWindow;
    bool m_busy = false;
};
