#pragma once

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class fFTPSites;
}
class QTreeWidget;
class QTreeWidgetItem;

// The site manager: a tree of folders and saved sites, kept in "FTPSite.dat".
class fFTPSites : public QDialog {
    Q_OBJECT
public:
    enum Image { FolderClosed = 1, FolderOpen = 2, Site = 3 };

    explicit fFTPSites(QWidget* parent = nullptr);
    ~fFTPSites() override;

    // Shows the dialog through the prompt service; true when it was cancelled.
    bool ShowModal();
    void SetConnectVisible(bool visible);
    static QString SiteFilePath();

    QTreeWidget* TV1() const;
    QTreeWidgetItem* AddFolder(QTreeWidgetItem* parent, QString name);
    QTreeWidgetItem* AddSite(QTreeWidgetItem* parent, QString name, const QString& host, const QString& user,
                             const QString& password, const QString& folder, int anonymous, int savePassword,
                             int passive, int port, int waitTime);
    void LoadSiteFields(QTreeWidgetItem* node);
    void StoreSiteFields(QTreeWidgetItem* node);
    void ValidateFields();
    // A click on a node: its fields are shown, and stored back.
    void ClickNode(QTreeWidgetItem* node);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SeedDefaultSites();
    void decorate(QTreeWidgetItem* node) const;
    QString uniqueName(const QString& suffix) const;
    QTreeWidgetItem* root() const;
    bool isSite(const QTreeWidgetItem* node) const;
    void setSiteFieldsEnabled(bool enabled);
    void cmdSession_Click(int index);
    void cmdSave_Click();
    void cmdConnect_Click();

    std::unique_ptr<Ui::fFTPSites> ui;
    bool m_loading = false;
};
