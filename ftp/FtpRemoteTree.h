#pragma once

#include <QIcon>
#include <QHash>
#include <QObject>
#include <QString>

class FtpSession;
class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

// The remote side of the FTP window: the folder tree grown on demand from cached listings, the
// file list of the folder shown, the address box and the column sort.
class FtpRemoteTree : public QObject {
    Q_OBJECT
public:
    enum Role { KeyRole = 0x0100, TagRole, EntryRole };

    FtpRemoteTree(FtpSession& session, QTreeWidget* tree, QTreeWidget* list, QComboBox* address, QObject* parent = nullptr);

    bool FillFileList(QTreeWidgetItem* node);
    bool ExpandNode(QTreeWidgetItem* node);
    bool OpenFolderNode(const QString& path, bool expanded, QTreeWidgetItem* node);
    QTreeWidgetItem* FindNodeByPath(const QString& path);
    bool BuildInitialTree();
    bool RefreshFolder();
    bool GoUp();
    void RemoveSubtree(QTreeWidgetItem* node);
    void ShowAddress(const QString& key);
    void SortByColumn(int column);
    // Enter in the address box: the path of the typed address is opened when the tree reaches it.
    bool OpenTypedAddress(const QString& text);
    // The child of the selected node named as a folder item of the file list.
    bool OpenListFolder(const QString& name);
    void Clear();
    bool Ascending() const { return m_ascending; }

signals:
    void Status(const QString& text);

private:
    QTreeWidgetItem* addFolderNode(QTreeWidgetItem* parent, const QString& key, const QString& text, bool link);
    void addPlaceholder(QTreeWidgetItem* node);
    QIcon fileIcon(const QString& name, QString& typeName);
    QIcon linkIcon(const QIcon& icon);

    FtpSession& m_session;
    QTreeWidget* m_tree;
    QTreeWidget* m_list;
    QComboBox* m_address;
    bool m_ascending = false;
    QIcon m_folderIcon;
    QIcon m_openFolderIcon;
    QString m_folderType;
    QHash<QString, QPair<QIcon, QString>> m_fileIcons;
    QHash<qint64, QIcon> m_linkIcons;
};
