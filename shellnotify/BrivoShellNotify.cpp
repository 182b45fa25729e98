#include "shellnotify/BrivoShellNotify.h"

#include "common/mmFile.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/ShellTypes.h"
#include "platform/shell/SystemImageIndex.h"
#include "platform/ui/shell/SystemImageList.h"

#include <QLabel>

using namespace platform;

namespace {

// The control's picture: 495 by 495 twips.
constexpr int PictureSize = 495 / 15;

} // namespace

BrivoShellNotify::BrivoShellNotify(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BrivoShellNotify"));
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(0, 0, PictureSize, PictureSize);
    Picture1->setPixmap(SystemImageList::pixmap(SystemImageIndex::Computer, false));
    Picture1->setAlignment(Qt::AlignCenter);
    setFixedSize(PictureSize, PictureSize);
}

BrivoShellNotify::~BrivoShellNotify()
{
    Terminate();
}

QString BrivoShellNotify::EventName(quint32 code)
{
    static const QHash<quint32, const char*> names = {
        {SHCNE_RENAMEITEM, "SHCNE_RENAMEITEM"}, {SHCNE_CREATE, "SHCNE_CREATE"}, {SHCNE_DELETE, "SHCNE_DELETE"},
        {SHCNE_MKDIR, "SHCNE_MKDIR"}, {SHCNE_RMDIR, "SHCNE_RMDIR"}, {SHCNE_MEDIAINSERTED, "SHCNE_MEDIAINSERTED"},
        {SHCNE_MEDIAREMOVED, "SHCNE_MEDIAREMOVED"}, {SHCNE_DRIVEREMOVED, "SHCNE_DRIVEREMOVED"},
        {SHCNE_DRIVEADD, "SHCNE_DRIVEADD"}, {SHCNE_NETSHARE, "SHCNE_NETSHARE"}, {SHCNE_NETUNSHARE, "SHCNE_NETUNSHARE"},
        {SHCNE_ATTRIBUTES, "SHCNE_ATTRIBUTES"}, {SHCNE_UPDATEDIR, "SHCNE_UPDATEDIR"}, {SHCNE_UPDATEITEM, "SHCNE_UPDATEITEM"},
        {SHCNE_SERVERDISCONNECT, "SHCNE_SERVERDISCONNECT"}, {SHCNE_UPDATEIMAGE, "SHCNE_UPDATEIMAGE"},
        {SHCNE_DRIVEADDGUI, "SHCNE_DRIVEADDGUI"}, {SHCNE_RENAMEFOLDER, "SHCNE_RENAMEFOLDER"},
        {SHCNE_FREESPACE, "SHCNE_FREESPACE"}, {SHCNE_EXTENDED_EVENT, "SHCNE_EXTENDED_EVENT"},
        {SHCNE_ASSOCCHANGED, "SHCNE_ASSOCCHANGED"}, {SHCNE_DISKEVENTS, "SHCNE_DISKEVENTS"},
        {SHCNE_GLOBALEVENTS, "SHCNE_GLOBALEVENTS"}, {SHCNE_ALLEVENTS, "SHCNE_ALLEVENTS"},
        {SHCNE_INTERRUPT, "SHCNE_INTERRUPT"},
    };
    const char* name = names.value(code);
    return name ? QString::fromLatin1(name) : QString();
}

void BrivoShellNotify::Activate()
{
    if (m_hSHNotify != 0)
        return;
    m_desktop = ShellNamespace::specialFolder(CSIDL_DESKTOP);
    if (m_desktop.isNull())
        return;
    ShellChangeHub& hub = ShellChangeHub::instance();
    m_hSHNotify = hub.registerClient();
    m_connection = connect(&hub, &ShellChangeHub::changed, this, &BrivoShellNotify::HandleShellNotify);
}

void BrivoShellNotify::Terminate()
{
    if (m_hSHNotify != 0 && ShellChangeHub::instance().deregisterClient(m_hSHNotify)) {
        m_hSHNotify = 0;
        m_desktop = {};
    }
    disconnect(m_connection);
}

BrivoShellNotify::Named BrivoShellNotify::describe(const ItemIdList& list)
{
    Named named;
    named.name = ShellNamespace::displayName(list, SHGDN_NORMAL);
    if (named.name.isEmpty())
        return named;
    const QString path = ShellNamespace::path(list);
    named.path = path.isEmpty() ? QString() : mmFile::AddTrailingSeparator(path);
    named.hier = ShellNamespace::hierarchyText(list);
    return named;
}

void BrivoShellNotify::HandleShellNotify(const ShellChange& change)
{
    if (change.event == SHCNE_FREESPACE || change.event == SHCNE_UPDATEIMAGE || change.event == SHCNE_EXTENDED_EVENT)
        return;
    if (change.item1.isNull() && change.item2.isNull())
        return;
    // The copies live for the event only: a handler that keeps a list copies it.
    const ItemIdList pidl1 = change.item1;
    const ItemIdList pidl2 = change.item2;
    const Named one = pidl1.isNull() ? Named() : describe(pidl1);
    const Named two = pidl2.isNull() ? Named() : describe(pidl2);
    emit ShellEvent(EventName(change.event), pidl1, one.name, one.path, one.hier, pidl2, two.name, two.path, two.hier);
}
