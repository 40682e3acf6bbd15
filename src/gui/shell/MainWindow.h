#pragma once
#include "core/base/Platform.h"
#include "core/shell/AppCommands.h"
#include "core/shell/CMainFrame.h"
#include "core/shell/CommandRouter.h"
#include "core/shell/CrashRecovery.h"
#include "core/shell/DocumentSession.h"
#include "core/shell/FileCommands.h"

#include <QMainWindow>
#include <QPrinter>

#include <memory>

class QFileSystemWatcher;
class QLabel;
class QMenu;
class QSplitter;
class QTimer;
class QToolBar;

namespace kardel::gui {

class AcceleratorGate;
class ActionRegistry;
class FindPane;
class MemoPane;
class SingleInstance;
class TitleStrip;
class TreeModel;
class TreePane;

// The platform services the window hands to the document. The program passes the Qt ones;
// tests pass scripted stand-ins for message boxes, file dialogs and the shell.
struct WindowServices {
    ISettingsStore& settings;
    IMessageBox& messages;
    IFileDialogs& fileDialogs;
    IShell& shell;
    IDialogs& dialogs;
};

// The main frame: TreeView on the left; FindView, the title strip and MemoView stacked on
// the right; menus, two toolbars and a status bar made from the command table. It shows
// the core's state and forwards every command to the core's router.
class MainWindow : public QMainWindow, public IMainFrame, public IFrameLayout, public IAppWindow {
    Q_OBJECT
public:
    explicit MainWindow(WindowServices services, SingleInstance* instance = nullptr);
    ~MainWindow() override;

    // Opens a document from the command line; false when it was handed over or failed.
    bool OpenFile(const QString& path);

    CKardelDoc& doc() { return m_session->m_doc; }
    DocumentSession& session() { return *m_session; }
    CommandRouter& router() { return *m_router; }
    CMainFrame& frameRules() { return *m_frameRules; }
    FileCommands& fileCommands() { return *m_fileCommands; }
    ActionRegistry& actions() { return *m_actions; }
    TreePane* treePane() const { return m_treePane; }
    TreeModel* treeModel() const { return m_treeModel; }
    MemoPane* memoPane() const { return m_memoPane; }
    TitleStrip* titleStrip() const { return m_titleStrip; }
    QWidget* findPane() const;
    QSplitter* outerSplitter() const { return m_outer; }
    QSplitter* rightSplitter() const { return m_right; }
    QSplitter* lowerSplitter() const { return m_lower; }
    QMenu* memoContextMenu() const { return m_memoContextMenu; }
    QMenu* memoViewContextMenu() const { return m_memoViewMenu; }
    QPrinter& printer() { return m_printer; }

    // The safety nets the program switches on (tests choose their own folders): recovery
    // copies of unsaved changes in `store`, the versions a save replaces in `backupFolder`.
    void EnableRecovery(RecoveryStore& store);
    void SetBackupFolder(const std::string& backupFolder);
    // At start-up: offers the recovery copies that killed or crashed instances left behind.
    void OfferRecoveredCopies();
    CrashRecovery* recovery() const { return m_recovery.get(); }

    // Sets every action's enabled and checked state from the core's rules.
    void RefreshActions();
    void ExecuteCommand(int id);

    // IMainFrame
    FrameGeometry GetPlacement() const override;
    void ApplyPlacement(const FrameGeometry& placement) override;
    void SaveBarState() override;
    void SetFindViewHeight(int height) override;
    void SetTitleStripTall(bool tall) override;
    void ShowMemoContextMenu(int screenX, int screenY) override;
    void ActivatePane(Pane pane) override;
    Pane ActivePane() const override { return m_activePane; }
    void SetDefinitionIcon(int definition, const std::string& iconFile) override;

    // IFrameLayout
    int TreeWidth() const override;
    int FindHeight() const override;
    int TreeClientHeight() const override;
    void SetTreeWidth(int width) override;
    void SetFindHeight(int height) override;
    bool IsTreeToolBarVisible() const override;
    void ShowTreeToolBar(bool show) override;
    bool IsStatusBarVisible() const override;
    void ShowStatusBar(bool show) override;

    // IAppWindow
    void CloseWindow() override;
    void PrinterSetup() override;
    bool HandOverToRunningInstance(const std::string& path) override;
    void RecentFilesChanged(const std::vector<std::string>& entries) override;
    void BringForward() override;
    void BeginLoad() override;
    void DocumentReplaced() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildPanes();
    void BuildBars();
    void WirePanes();
    void ScheduleRefresh();
    void ShowMemoViewContextMenu(const QPoint& globalPos);
    void UpdateCaption();
    void FocusChanged(QWidget* now);
    void NoteActivity();
    void WatchDocumentFile();
    void CheckDocumentFile();

    PlatformServices m_platform;
    MemoPane* m_memoPane;
    std::unique_ptr<DocumentSession> m_session;
    std::unique_ptr<CMainFrame> m_frameRules;
    std::unique_ptr<FileCommands> m_fileCommands;
    std::unique_ptr<AppCommands> m_appCommands;
    std::unique_ptr<CommandRouter> m_router;
    std::unique_ptr<CrashRecovery> m_recovery;
    QTimer* m_idleTimer = nullptr;    // a pause in editing
    QTimer* m_longestTimer = nullptr; // the longest a change waits for its recovery copy
    QTimer* m_fileCheckTimer = nullptr;
    QFileSystemWatcher* m_watcher = nullptr;
    SingleInstance* m_instance;
    ActionRegistry* m_actions = nullptr;
    AcceleratorGate* m_gate = nullptr;
    TreeModel* m_treeModel = nullptr;
    TreePane* m_treePane = nullptr;
    FindPane* m_findPane = nullptr;
    TitleStrip* m_titleStrip = nullptr;
    QSplitter* m_outer = nullptr;
    QSplitter* m_right = nullptr;
    QSplitter* m_lower = nullptr;
    QToolBar* m_mainBar = nullptr;
    QToolBar* m_treeBar = nullptr;
    QMenu* m_memoContextMenu = nullptr;
    QMenu* m_memoViewMenu = nullptr;
    QPrinter m_printer{QPrinter::HighResolution};
    Pane m_activePane = Pane::TreeView;
    bool m_closeApproved = false;
    bool m_refreshPending = false;
    int m_titleHeight = 50;
};

} // namespace kardel::gui
