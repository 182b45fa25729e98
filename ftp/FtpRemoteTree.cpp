#include "ftp/FtpRemoteTree.h"

#include "ftp/engine/FtpSession.h"
#include "ftp/engine/FtpSettings.h"
#include "ftp/engine/mFTPMain.h"

#include <QApplication>
#include <QComboBox>
#include <QFileIconProvider>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QPainter>
#include <QSet>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>
#include <vector>

namespace {

// The shortcut overlay: a small arrow in the lower left corner of the icon.
QIcon withShortcutOverlay(const QIcon& icon)
{
    QPixmap pixmap = icon.pixmap(32, 32);
    QPainter painter(&pixmap);
    const QPixmap arrow = QApplication::style()->standardIcon(QStyle::SP_ArrowForward).pixmap(14, 14);
    painter.fillRect(QRect(0, 18, 14, 14), Qt::white);
    painter.drawPixmap(0, 18, arrow);
    return QIcon(pixmap);
}

bool isPlaceholder(const QTreeWidgetItem* node)
{
    return node->data(0, FtpRemoteTree::KeyRole).toString().isEmpty() && node->text(0) == QLatin1String(" ");
}

} // namespace

FtpRemoteTree::FtpRemoteTree(FtpSession& session, QTreeWidget* tree, QTreeWidget* list, QComboBox* address, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_tree(tree)
    , m_list(list)
    , m_address(address)
{
    const QFileIconProvider icons;
    m_folderIcon = icons.icon(QFileIconProvider::Folder);
    m_openFolderIcon = QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon);
}

void FtpRemoteTree::Clear()
{
    m_tree->clear();
    m_list->clear();
    m_address->clear();
}

QIcon FtpRemoteTree::fileIcon(const QString& name, QString& typeName)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot > 0 ? name.mid(dot + 1).toLower() : QString();
    auto found = m_fileIcons.find(extension);
    if (found == m_fileIcons.end()) {
        static const QMimeDatabase mimes;
        const QMimeType type = mimes.mimeTypeForFile(QStringLiteral("x.") + extension, QMimeDatabase::MatchExtension);
        const QIcon icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName(),
                                            QFileIconProvider().icon(QFileIconProvider::File)));
        found = m_fileIcons.insert(extension, {icon, type.comment()});
    }
    typeName = found->second;
    return found->first;
}

// Painted once per icon: listings can hold thousands of links.
QIcon FtpRemoteTree::linkIcon(const QIcon& icon)
{
    auto found = m_linkIcons.find(icon.cacheKey());
    if (found == m_linkIcons.end())
        found = m_linkIcons.insert(icon.cacheKey(), withShortcutOverlay(icon));
    return *found;
}

bool FtpRemoteTree::FillFileList(QTreeWidgetItem* node)
{
    emit Status(QStringLiteral("Loading Files and Folders. Wait a Second..."));
    if (m_folderType.isEmpty())
        m_folderType = QMimeDatabase().mimeTypeForName(QStringLiteral("inode/directory")).comment();
    m_list->clear();
    const cFTPList* listing = node ? m_session.Cache().Find(node->data(0, KeyRole).toString()) : nullptr;
    if (!listing)
        return false;
    const int count = listing->FileNumb();
    QList<QTreeWidgetItem*> items;
    items.reserve(count);
    for (int i = 0; i < count; ++i) {
        if (i % 10 == 0)
            emit Status(QStringLiteral("Processing %1/%2 files and folders").arg(i).arg(count));
        const TFILE file = listing->Entry(i);
        const bool folder = file.bFolder;
        QString typeName = m_folderType;
        QIcon icon = folder ? m_folderIcon : fileIcon(file.FileName, typeName);
        if (!file.FileLink.isEmpty())
            icon = linkIcon(icon);
        auto* item = new QTreeWidgetItem({file.FileName, file.FileSize, typeName, file.FileDate, file.FileAttr});
        item->setData(0, KeyRole, QStringLiteral("L%1").arg(i));
        item->setData(0, EntryRole, i);
        item->setData(0, TagRole, folder ? QStringLiteral("0") : QStringLiteral("1"));
        item->setIcon(0, icon);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(3, Qt::AlignCenter);
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    m_ascending = false;
    SortByColumn(1);
    m_list->setFocus();
    emit Status(QStringLiteral("Done"));
    emit Status(QStringLiteral("%1 files or folders").arg(count));
    return true;
}

void FtpRemoteTree::SortByColumn(int column)
{
    emit Status(QStringLiteral("Sorting Files and Folders. Wait a Second..."));
    m_ascending = !m_ascending;
    const QList<QTreeWidgetItem*> taken = m_list->invisibleRootItem()->takeChildren();
    // Each row's key is made once, not at every comparison.
    using Keyed = std::pair<std::pair<QString, QString>, QTreeWidgetItem*>;
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(taken.size()));
    for (QTreeWidgetItem* item : taken) {
        const QString tag = item->data(0, TagRole).toString();
        if (column == 2)
            keyed.push_back({{tag, QStringLiteral("%1").arg(std::max<qint64>(0, mFTPMain::SizeFromText(item->text(1))), 19, 10, QLatin1Char('0'))}, item});
        else
            keyed.push_back({{tag, item->text(std::clamp(column - 1, 0, 4))}, item});
    }
    const bool ascending = m_ascending;
    std::stable_sort(keyed.begin(), keyed.end(), [ascending](const Keyed& a, const Keyed& b) {
        return ascending ? a.first < b.first : b.first < a.first;
    });
    QList<QTreeWidgetItem*> items;
    items.reserve(taken.size());
    for (const Keyed& row : keyed)
        items.append(row.second);
    m_list->addTopLevelItems(items);
    emit Status(QStringLiteral("Sorted"));
}

QTreeWidgetItem* FtpRemoteTree::addFolderNode(QTreeWidgetItem* parent, const QString& key, const QString& text, bool link)
{
    auto* node = parent ? new QTreeWidgetItem(parent, {text}) : new QTreeWidgetItem(m_tree, {text});
    node->setData(0, KeyRole, key);
    node->setIcon(0, link ? linkIcon(m_folderIcon) : m_folderIcon);
    return node;
}

void FtpRemoteTree::addPlaceholder(QTreeWidgetItem* node)
{
    new QTreeWidgetItem(node, {QStringLiteral(" ")});
}

bool FtpRemoteTree::ExpandNode(QTreeWidgetItem* node)
{
    if (!m_session.Command().TreeReady || !node)
        return true;
    QString key = node->data(0, KeyRole).toString();
    emit Status(QStringLiteral("Changing folder to '%1%2' Wait a second...").arg(ftpSettings().Host, key));
    QTreeWidgetItem* selected = m_tree->currentItem();
    bool result = true;
    if (node->childCount() > 0) {
        bool list = true;
        if (isPlaceholder(node->child(0)))
            delete node->child(0);
        else if (m_session.Command().StartFolder.contains(key) && node->childCount() >= 2)
            list = false;
        if (list && (result = m_session.Cache().ListFolder(key))) {
            const cFTPList* listing = m_session.Cache().Find(key);
            // The keys already in the tree, gathered once: a folder of many folders is not scanned per entry.
            QSet<QString> known;
            for (int i = 0; i < node->childCount(); ++i)
                known.insert(node->child(i)->data(0, KeyRole).toString());
            for (int i = 0; listing && i < listing->FileNumb(); ++i) {
                if (!listing->IsFolder(i) || known.contains(listing->Path(i)))
                    continue;
                known.insert(listing->Path(i));
                addPlaceholder(addFolderNode(node, listing->Path(i), listing->FileName(i), listing->IsLink(i)));
            }
        }
    }
    emit Status(QStringLiteral("Done"));
    node->sortChildren(0, Qt::AscendingOrder);
    if (selected)
        m_tree->setCurrentItem(selected);
    return result;
}

bool FtpRemoteTree::OpenFolderNode(const QString& path, bool expanded, QTreeWidgetItem* node)
{
    if (!node) {
        if (path.isEmpty())
            return true;
        node = FindNodeByPath(path);
        if (!node)
            return false;
    } else if (!ExpandNode(node)) {
        return false;
    }
    const QString key = node->data(0, KeyRole).toString();
    if (!m_session.ChangeFolder(key) || !FillFileList(node))
        return false;
    m_session.Command().CurrentFolder = key;
    ShowAddress(key);
    m_tree->setCurrentItem(node);
    const QSignalBlocker quiet(m_tree);
    node->setExpanded(expanded);
    return true;
}

QTreeWidgetItem* FtpRemoteTree::FindNodeByPath(const QString& path)
{
    QTreeWidgetItem* node = m_tree->topLevelItemCount() > 0 ? m_tree->topLevelItem(0) : nullptr;
    const QStringList parts = QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (!node)
            return nullptr;
        QTreeWidgetItem* found = nullptr;
        for (int i = 0; i < node->childCount() && !found; ++i) {
            if (node->child(i)->text(0).compare(part, Qt::CaseInsensitive) == 0)
                found = node->child(i);
        }
        if (!found || !ExpandNode(found))
            return nullptr;
        node = found;
    }
    return node;
}

bool FtpRemoteTree::BuildInitialTree()
{
    FtpCommandEngine& command = m_session.Command();
    command.CurrentFolder = command.StartFolder;
    m_tree->clear();
    QTreeWidgetItem* node = addFolderNode(nullptr, QStringLiteral("/"), ftpSettings().Host, false);
    node->setIcon(0, QFileIconProvider().icon(QFileIconProvider::Computer));
    QString key = QStringLiteral("/");
    const QStringList pieces = command.StartFolder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& piece : pieces) {
        key += piece + QLatin1Char('/');
        node = addFolderNode(node, key, piece, false);
    }
    addPlaceholder(node);
    command.TreeReady = true;
    command.TreeReady = OpenFolderNode(QString(), true, node);
    return command.TreeReady;
}

void FtpRemoteTree::RemoveSubtree(QTreeWidgetItem* node)
{
    while (node->childCount() > 0) {
        QTreeWidgetItem* child = node->child(0);
        RemoveSubtree(child);
        m_session.Cache().Drop(child->data(0, KeyRole).toString());
        delete child;
    }
}

bool FtpRemoteTree::RefreshFolder()
{
    emit Status(QStringLiteral("Refreshing..."));
    QTreeWidgetItem* node = m_tree->currentItem();
    if (!m_session.IsConnected() || !node)
        return false;
    {
        const QSignalBlocker quiet(m_tree);
        node->setExpanded(false);
    }
    RemoveSubtree(node);
    m_session.Cache().Drop(node->data(0, KeyRole).toString());
    addPlaceholder(node);
    const bool result = OpenFolderNode(QString(), true, node);
    emit Status(QStringLiteral("Done"));
    return result;
}

bool FtpRemoteTree::GoUp()
{
    QTreeWidgetItem* node = m_tree->currentItem();
    if (!node || !node->parent())
        return false;
    OpenFolderNode(QString(), true, node->parent());
    return true;
}

void FtpRemoteTree::ShowAddress(const QString& key)
{
    const QString address = QStringLiteral("ftp://") + ftpSettings().Host + key;
    int index = m_address->findText(address, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        m_address->addItem(address);
        m_address->model()->sort(0);
        index = m_address->findText(address, Qt::MatchExactly | Qt::MatchCaseSensitive);
    }
    m_address->setCurrentIndex(index);
    if (QLineEdit* edit = m_address->lineEdit())
        edit->setCursorPosition(int(address.size()));
}

bool FtpRemoteTree::OpenTypedAddress(const QString& text)
{
    if (text.isEmpty())
        return false;
    QString path = text;
    path.remove(QStringLiteral("ftp://")).remove(QStringLiteral("FTP://"));
    const qsizetype slash = path.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return false;
    return OpenFolderNode(path.mid(slash), true, nullptr);
}

bool FtpRemoteTree::OpenListFolder(const QString& name)
{
    QTreeWidgetItem* node = m_tree->currentItem();
    for (int i = 0; node && i < node->childCount(); ++i) {
        if (node->child(i)->text(0) == name)
            return OpenFolderNode(QString(), true, node->child(i));
    }
    return false;
}
