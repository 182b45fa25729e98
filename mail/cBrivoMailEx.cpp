#include "mail/cBrivoMailEx.h"

#include "common/boxara/Boxara.h"
#include "mail/engine/cMailList.h"
#include "mail/engine/cMailSettings.h"
#include "mail/fCheckMail.h"
#include "mail/fConfig.h"
#include "mail/fListMail.h"
#include "mail/mBrivoMailMain.h"
#include "platform/ui/sound/SoundService.h"

// Busy from here to the end of the block, even when the block is left early; a nested call
// (ViewMail running CheckMail) leaves the flag to its caller.
struct cBrivoMailEx::BusyScope {
    explicit BusyScope(bool& flag) : flag(flag), was(flag) { flag = true; }
    ~BusyScope() { flag = was; }
    bool& flag;
    bool was;
};

cBrivoMailEx::cBrivoMailEx()
    : m_settings(std::make_unique<cMailSettings>()), m_mailList(std::make_unique<cMailList>())
{
    m_settings->Load();
}

cBrivoMailEx::~cBrivoMailEx()
{
    m_mailList->Clear();
    m_settings->Save();
    if (m_checkWindow)
        m_checkWindow->close();
}

void cBrivoMailEx::SetFont(const QString& sFontName, quint32 hFont)
{
    m_settings->FontName = sFontName;
    m_settings->FontHandle = hFont;
}

void cBrivoMailEx::Configure()
{
    BusyScope busy(m_busy);
    fConfig config(*m_settings, fConfig::AccountsTab);
    mBrivoMailMain::ShowModal(config);
}

qint32 cBrivoMailEx::CheckTime() const
{
    if (m_settings->ManualChecking == 1 || m_settings->CheckTime == 0)
        return -1;
    return m_settings->CheckTime;
}

void cBrivoMailEx::CheckMail()
{
    BusyScope busy(m_busy);
    if (m_settings->AccountCount() == 0
        && Boxara::instance().Show(QStringLiteral("You have no POP3 mail account. Config POP3 mail account now ?"),
                                   mBrivoMailMain::AppTitle, QStringLiteral("&Yes"), QStringLiteral("&No"))
               == 0) {
        fConfig config(*m_settings, fConfig::AccountsTab);
        mBrivoMailMain::ShowModal(config);
    }
    if (m_settings->AccountCount() == 0)
        return;
    fCheckMail& check = checkWindow();
    check.Initialize();
    mBrivoMailMain::ShowModal(check);
    if (check.HasNewMail()) {
        platform::PlaySoundFile(m_settings->SoundFile);
        showList();
    } else {
        mBrivoMailMain::Inform(QStringLiteral("You have no mail not read."));
    }
}

void cBrivoMailEx::ViewMail()
{
    BusyScope busy(m_busy);
    if (!m_mailList->IsEmpty()) {
        showList();
        return;
    }
    if (Boxara::instance().Show(QStringLiteral("You have no mails. Check POP3 mail server now ?"), mBrivoMailMain::AppTitle,
                                QStringLiteral("&Yes"), QStringLiteral("&No"))
        == 0)
        CheckMail();
}

const cMailList& cBrivoMailEx::MailList() const
{
    return *m_mailList;
}

cMailSettings& cBrivoMailEx::Settings()
{
    return *m_settings;
}

fCheckMail& cBrivoMailEx::checkWindow()
{
    if (!m_checkWindow) {
        m_checkWindow = std::make_unique<fCheckMail>(*m_mailList, *m_settings);
        mBrivoMailMain::ApplyFont(m_checkWindow.get(), m_settings->FontName);
    }
    return *m_checkWindow;
}

void cBrivoMailEx::showList()
{
    fListMail list(*m_mailList, *m_settings, checkWindow());
    mBrivoMailMain::ShowModal(list);
}
