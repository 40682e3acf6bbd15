#include "gui/shell/MainWindow.h"

#include "core/model/DefinitionIcons.h"
#include "core/shell/FramePlacement.h"
#include "gui/common/Cp932Text.h"
#include "gui/common/IconList.h"
#include "gui/search/FindPane.h"
#include "gui/shell/AcceleratorGate.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/shell/HelpPage.h"
#include "gui/shell/LockKeyIndicators.h"
#include "gui/shell/MemoPane.h"
#include "gui/shell/MenuPromptStyle.h"
#include "gui/shell/QtSettingsStore.h"
#include "gui/shell/SingleInstance.h"
#include "gui/tree/TitleStrip.h"
#include "gui/tree/TreeModel.h"
#include "gui/tree/TreePane.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QSplitterHandle>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace kardel::gui {

// Before the window is laid out the splitters have no size yet; the other pane must still
// keep a share, or it would start collapsed.
static int SplitTotal(QSplitter* splitter, int wanted, int fallback) {
    QList<int> sizes = splitter->sizes();
    int total = std::max(sizes.value(0) + sizes.value(1),
                         splitter->orientation() == Qt::Horizontal ? splitter->width() : splitter->height());
    return total > wanted ? total : wanted + fallback;
}

MainWindow::MainWindow(WindowServices services, SingleInstance* instance)
    : m_platform{services.settings, *this, services.messages, services.fileDialogs, services.shell, services.dialogs},
      m_memoPane(new MemoPane), m_session(std::make_unique<DocumentSession>(m_platform, *m_memoPane)),
      m_instance(instance) {
    setObjectName("mainWindow");
    setWindowIcon(QIcon(QStringLiteral(":/icons/kardel.png")));
    m_memoPane->SetView(&m_session->m_memoView);
    m_memoPane->SetPrinter(&m_printer);
    m_frameRules = std::make_unique<CMainFrame>(doc(), *this);
    m_fileCommands = std::make_unique<FileCommands>(doc(), *this);
    m_appCommands = std::make_unique<AppCommands>(services.dialogs, services.shell,
                                                  // Percent-encoded: the shell reads the target as cp932.
                                                  HelpPage::Url().toString(QUrl::FullyEncoded).toStdString());
    m_router = std::make_unique<CommandRouter>(doc());
    m_router->AddFrameTarget(m_frameRules.get());
    m_router->AddAppTarget(m_fileCommands.get());
    m_router->AddAppTarget(m_appCommands.get());

    BuildPanes();
    BuildBars();
    WirePanes();

    std::vector<std::string> recent;
    for (const QString& path : QtSettingsStore::RecentFiles())
        recent.push_back(path.toStdString());
    m_fileCommands->LoadRecentFiles(recent);

    doc().OnNewDocument();
    m_session->OnInitialUpdate();
    UpdateCaption();
    resize(780, 560);
    if (m_instance)
        m_instance->Listen([this](const QString& path) {
            if (doc().m_strPathName.empty() || path.toStdString() != doc().m_strPathName)
                return false;
            BringForward();
            return true;
        });
    // The document's file is watched for changes made by anything else.
    m_watcher = new QFileSystemWatcher(this);
    m_fileCheckTimer = new QTimer(this);
    m_fileCheckTimer->setSingleShot(true);
    m_fileCheckTimer->setInterval(300); // a writer's several steps make one change
    connect(m_watcher, &QFileSystemWatcher::fileChanged, m_fileCheckTimer, qOverload<>(&QTimer::start));
    connect(m_fileCheckTimer, &QTimer::timeout, this, &MainWindow::CheckDocumentFile);
    m_treePane->setFocus();
    RefreshActions();
}

void MainWindow::EnableRecovery(RecoveryStore& store) {
    m_recovery = std::make_unique<CrashRecovery>(doc(), *m_fileCommands, *this, store);
    bool ok = false;
    int idle = qEnvironmentVariableIntValue("KARDEL_RECOVERY_DELAY_MS", &ok);
    m_idleTimer = new QTimer(this);
    m_idleTimer->setSingleShot(true);
    m_idleTimer->setInterval(ok && idle > 0 ? idle : RecoveryStore::kIdleDelayMs);
    m_longestTimer = new QTimer(this);
    m_longestTimer->setSingleShot(true);
    m_longestTimer->setInterval(RecoveryStore::kMaxDelayMs);
    for (QTimer* timer : {m_idleTimer, m_longestTimer})
        connect(timer, &QTimer::timeout, this, [this] {
            m_idleTimer->stop();
            m_longestTimer->stop();
            m_recovery->Checkpoint();
            // A copy that could not be written (a full disk) is said where it disturbs least.
            if (std::optional<std::string> error = m_recovery->store().TakeError())
                statusBar()->showMessage(Utf8("回復用のｺﾋﾟｰを書き込めませんでした: ") + FromCp932(*error), 8000);
        });
    m_recovery->DocumentReplaced();
}

void MainWindow::SetBackupFolder(const std::string& backupFolder) {
    doc().m_backupFolder = backupFolder;
}

void MainWindow::OfferRecoveredCopies() {
    if (m_recovery)
        m_recovery->OfferOrphans();
    RefreshActions();
}

void MainWindow::NoteActivity() {
    // Every edit ends in a refresh of the actions; so do a few things that are no edit,
    // which costs one look at the document when the pause is over.
    if (!m_recovery)
        return;
    m_idleTimer->start();
    if (!m_longestTimer->isActive())
        m_longestTimer->start();
}

void MainWindow::WatchDocumentFile() {
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    const QString path = QString::fromStdString(doc().m_strPathName);
    if (!path.isEmpty() && QFileInfo::exists(path))
        m_watcher->addPath(path);
}

void MainWindow::CheckDocumentFile() {
    // Not in the middle of another question (a save asking about this very change).
    if (QApplication::activeModalWidget()) {
        m_fileCheckTimer->start();
        return;
    }
    WatchDocumentFile(); // a file replaced by renaming is a new file to watch
    m_fileCommands->FileChangedElsewhere();
    RefreshActions();
}

MainWindow::~MainWindow() {
    // Focus moves while the widgets go; the rules must no longer be asked.
    disconnect(qApp, nullptr, this, nullptr);
    delete m_gate;
    m_gate = nullptr;
    m_refreshPending = true;
    // The panes and the tree model refer to core objects the session owns, and the session
    // goes before the window's children: take them down first.
    m_session->m_treeView.Tree().SetObserver(nullptr);
    delete m_outer;
    m_outer = m_right = m_lower = nullptr;
    m_treePane = nullptr;
    m_findPane = nullptr;
    m_titleStrip = nullptr;
    m_memoPane = nullptr;
    delete m_treeModel;
    m_treeModel = nullptr;
}

QWidget* MainWindow::findPane() const {
    return m_findPane;
}

void MainWindow::BuildPanes() {
    m_outer = new QSplitter(Qt::Horizontal, this);
    m_outer->setObjectName("outerSplitter");
    m_right = new QSplitter(Qt::Vertical, m_outer);
    m_right->setObjectName("rightSplitter");
    m_lower = new QSplitter(Qt::Vertical, m_right);
    m_lower->setObjectName("lowerSplitter");

    m_treeModel = new TreeModel(doc(), m_session->m_treeView.Tree(), this);
    m_treePane = new TreePane(m_session->m_treeView.Tree(), *m_treeModel);
    m_findPane = new FindPane(m_session->m_findView);
    m_titleStrip = new TitleStrip(m_session->m_titleView);

    m_outer->addWidget(m_treePane);
    m_outer->addWidget(m_right);
    m_right->addWidget(m_findPane);
    m_right->addWidget(m_lower);
    m_lower->addWidget(m_titleStrip);
    m_lower->addWidget(m_memoPane);
    for (QSplitter* splitter : {m_outer, m_right, m_lower}) {
        splitter->setChildrenCollapsible(true);
        splitter->setHandleWidth(4);
    }
    m_outer->setStretchFactor(1, 1);
    m_right->setStretchFactor(1, 1);
    m_lower->setStretchFactor(1, 1);
    // The bar between the title strip and MemoView stays where the strip's height puts it.
    m_lower->handle(1)->setEnabled(false);
    m_lower->handle(1)->setCursor(Qt::ArrowCursor);
    m_outer->setSizes({145, 635});
    m_right->setSizes({0, 500});
    m_lower->setSizes({m_titleHeight, 450});
    setCentralWidget(m_outer);
}

void MainWindow::BuildBars() {
    m_actions = new ActionRegistry(this, [this](int id) { ExecuteCommand(id); });
    m_actions->BuildMenuBar(menuBar());
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::RefreshActions);

    m_mainBar = new QToolBar(Utf8("メイン"), this);
    m_mainBar->setObjectName("mainToolBar");
    m_mainBar->setIconSize(QSize(16, 16));
    m_actions->FillToolBar(m_mainBar, CommandTable::MainToolBar());
    addToolBar(Qt::TopToolBarArea, m_mainBar);
    m_treeBar = new QToolBar(QStringLiteral("TreeView"), this);
    m_treeBar->setObjectName("treeToolBar");
    m_treeBar->setIconSize(QSize(16, 16));
    m_actions->FillToolBar(m_treeBar, CommandTable::TreeToolBar());
    addToolBar(Qt::LeftToolBarArea, m_treeBar);
    for (QToolBar* bar : {m_mainBar, m_treeBar})
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Buttons without a picture show their tooltip text in short.
    for (QAction* action : m_mainBar->actions() + m_treeBar->actions())
        if (action->icon().isNull() && !action->isSeparator())
            action->setIconText(action->toolTip().left(4));
    const QtSettingsStore::BarState bars = QtSettingsStore::ToolBarState();
    restoreState(bars.toolBars);

    auto* ready = new QLabel(Utf8("ﾚﾃﾞｨ"), this);
    ready->setObjectName("readyLabel");
    statusBar()->addWidget(ready, 1);
    new LockKeyIndicators(statusBar());
    statusBar()->setVisible(bars.statusBar);

    m_gate = new AcceleratorGate(this, m_actions->AllActions(), this);
    m_gate->refresh = [this] { RefreshActions(); };
    // The tree's in-place label editor keeps its editing keys.
    m_gate->exempt = [this](QWidget* widget) {
        return m_treePane && widget != m_treePane && m_treePane->isAncestorOf(widget);
    };
    qApp->installEventFilter(m_gate);

    m_memoContextMenu = m_actions->BuildPopup(CommandTable::MemoContextMenu(), this, QStringLiteral("memoContext"));
    m_memoViewMenu =
        m_actions->BuildPopup(CommandTable::MemoViewContextMenu(), this, QStringLiteral("memoView"), [this](int id) {
            // MemoView owns this popup: its commands go straight to it.
            m_session->m_memoView.OnCmdMsg(CommandId(id));
            RefreshActions();
        });
    auto* menuStyle = new MenuPromptStyle;
    menuStyle->setParent(this);
    for (QMenu* menu : findChildren<QMenu*>())
        menu->setStyle(menuStyle);
}

void MainWindow::WirePanes() {
    CKdTreeView& tree = m_session->m_treeView;
    m_treeModel->onRename = [&tree](TreeItem* item, const std::string& text) {
        tree.OnEndLabelEdit(item, std::optional<std::string>(text));
    };
    m_treePane->onDoubleClick = [this, &tree](TreeItem* item) {
        tree.OnDblClk(item);
        RefreshActions();
    };
    m_treePane->onContextMenu = [this](const QPoint& global) { ShowMemoContextMenu(global.x(), global.y()); };
    m_treePane->onBeginDrag = [&tree](TreeItem* item) { return tree.Drag().Begin(item); };
    m_treePane->onDragCancelled = [this, &tree] {
        tree.Drag().Abandon();
        RefreshActions();
    };
    m_treePane->onDragOver = [&tree](TreeItem* item) {
        if (tree.Drag().m_bDragging)
            tree.Drag().Hover(item);
    };
    m_treePane->onDrop = [this, &tree](TreeItem* target, bool copy) {
        if (!tree.Drag().m_bDragging)
            return;
        tree.Drag().Hover(target);
        tree.Drag().Drop(copy);
        RefreshActions();
    };
    m_treePane->onDragEndedOutside = [this, &tree](bool copy) {
        // A drag always ends where the button goes up: outside the tree it drops onto
        // the last item highlighted inside it, if there was one.
        if (tree.Drag().m_bDragging)
            tree.Drag().Drop(copy);
        RefreshActions();
    };
    // Memo operations are undone and redone by key while TreeView or FindView has the
    // focus; MemoView keeps Ctrl+Z for its own text.
    const std::pair<const char*, int> undoKeys[] = {
        {"Ctrl+Z", ID_MEMO_UNDO}, {"Ctrl+Y", ID_MEMO_REDO}, {"Ctrl+Shift+Z", ID_MEMO_REDO}};
    for (QWidget* pane : {static_cast<QWidget*>(m_treePane), static_cast<QWidget*>(m_findPane)}) {
        for (const auto& [key, id] : undoKeys) {
            auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(key)), pane);
            shortcut->setContext(Qt::WidgetWithChildrenShortcut);
            shortcut->setObjectName(ActionRegistry::ObjectName(QStringLiteral("key"), id));
            connect(shortcut, &QShortcut::activated, this, [this, id = id] { ExecuteCommand(id); });
        }
    }
    // A new selection changes most rules at once; the keys must see them straight away.
    connect(m_treeModel, &TreeModel::CaretMoved, this, &MainWindow::RefreshActions);
    connect(m_treeModel, &QAbstractItemModel::dataChanged, this, &MainWindow::ScheduleRefresh);

    m_memoPane->onStatusMessage = [this](const QString& text) { statusBar()->showMessage(text, 8000); };
    m_memoPane->onContextMenu = [this](const QPoint& global) { ShowMemoViewContextMenu(global); };
    for (auto signal : {&QPlainTextEdit::selectionChanged, &QPlainTextEdit::textChanged})
        connect(m_memoPane, signal, this, &MainWindow::ScheduleRefresh);
    connect(m_memoPane, &QPlainTextEdit::undoAvailable, this, &MainWindow::ScheduleRefresh);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &MainWindow::ScheduleRefresh);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusChanged(now); });
    for (QSplitter* splitter : {m_outer, m_right})
        connect(splitter, &QSplitter::splitterMoved, this, &MainWindow::ScheduleRefresh);
}

void MainWindow::FocusChanged(QWidget* now) {
    for (QWidget* w = now; w; w = w->parentWidget()) {
        if (w == m_treePane)
            m_activePane = Pane::TreeView;
        else if (w == m_findPane)
            m_activePane = Pane::FindView;
        else if (w == m_memoPane)
            m_activePane = Pane::MemoView;
        else if (w == m_titleStrip)
            m_activePane = Pane::TitleStrip;
        else
            continue;
        break;
    }
    RefreshActions();
}

void MainWindow::ScheduleRefresh() {
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QTimer::singleShot(0, this, [this] {
        m_refreshPending = false;
        RefreshActions();
    });
}

void MainWindow::RefreshActions() {
    m_actions->Refresh(*m_router);
    UpdateCaption();
    NoteActivity();
}

void MainWindow::ExecuteCommand(int id) {
    // The action was enabled when triggered; the router checks the rule once more.
    m_router->Execute(CommandId(id));
    if (m_findPane)
        m_findPane->viewport()->update();
    RefreshActions();
}

void MainWindow::UpdateCaption() {
    QString caption = FromCp932(CMainFrame::Caption(doc()));
    if (windowTitle() != caption)
        setWindowTitle(caption);
}

bool MainWindow::OpenFile(const QString& path) {
    bool opened = m_fileCommands->OpenFile(path.toStdString());
    RefreshActions();
    return opened;
}

void MainWindow::ShowMemoViewContextMenu(const QPoint& globalPos) {
    std::function<void(QMenu*)> update = [&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            if (action->menu())
                update(action->menu());
            else if (!action->isSeparator())
                action->setEnabled(m_session->m_memoView.ContextMenuItemEnabled(CommandId(action->data().toInt())));
        }
    };
    update(m_memoViewMenu);
    m_memoViewMenu->popup(globalPos);
}

// ---- IMainFrame ----

FrameGeometry MainWindow::GetPlacement() const {
    QRect g = geometry();
    FrameGeometry p;
    p.top = g.top();
    p.left = g.left();
    p.bottom = g.bottom() + 1;
    p.right = g.right() + 1;
    p.treeWidth = TreeWidth();
    return p;
}

void MainWindow::ApplyPlacement(const FrameGeometry& stored) {
    FrameGeometry p = stored;
    const std::int64_t width = std::int64_t(p.right) - p.left;
    const std::int64_t height = std::int64_t(p.bottom) - p.top;
    // A rectangle from a damaged or foreign file must not make the window vanish: a size
    // no window has keeps the current one, and the place is made reachable on the screens.
    if (width < 200 || height < 150 || width > 20000 || height > 20000) {
        const FrameGeometry current = GetPlacement();
        p.left = current.left;
        p.top = current.top;
        p.right = current.right;
        p.bottom = current.bottom;
    }
    std::vector<ScreenArea> screens;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        screens.push_back({area.left(), area.top(), area.right() + 1, area.bottom() + 1});
    }
    p = FramePlacement::Reachable(p, screens);
    setGeometry(p.left, p.top, p.right - p.left, p.bottom - p.top);
    SetTreeWidth(p.treeWidth);
}

void MainWindow::SaveBarState() {
    QtSettingsStore::SetToolBarState({saveState(), statusBar()->isVisibleTo(this)});
}

void MainWindow::SetFindViewHeight(int height) {
    m_frameRules->SetFindViewHeight(height);
}

void MainWindow::SetTitleStripTall(bool tall) {
    const int height = tall ? CTitleView::kTallHeight : CTitleView::kShortHeight;
    if (height == m_titleHeight && m_lower->sizes().value(0) == height)
        return;
    m_titleHeight = height;
    const int total = SplitTotal(m_lower, height, 400);
    m_lower->setSizes({height, total - height});
}

void MainWindow::ShowMemoContextMenu(int screenX, int screenY) {
    RefreshActions();
    m_memoContextMenu->popup(QPoint(screenX, screenY));
}

void MainWindow::ActivatePane(Pane pane) {
    QWidget* target = m_treePane;
    if (pane == Pane::FindView)
        target = m_findPane;
    else if (pane == Pane::MemoView)
        target = m_memoPane;
    else if (pane == Pane::TitleStrip)
        target = m_titleStrip;
    m_activePane = pane;
    target->setFocus(Qt::OtherFocusReason);
}

void MainWindow::SetDefinitionIcon(int definition, const std::string& iconFile) {
    IconList::Instance().ReloadDefinition(definition, FromCp932(iconFile));
}

// ---- IFrameLayout ----

int MainWindow::TreeWidth() const {
    return m_outer->sizes().value(0);
}
int MainWindow::FindHeight() const {
    return m_right->sizes().value(0);
}
int MainWindow::TreeClientHeight() const {
    return m_treePane->viewport()->height();
}

void MainWindow::SetTreeWidth(int width) {
    const int total = SplitTotal(m_outer, width, 600);
    m_outer->setSizes({width, total - width});
    ScheduleRefresh();
}

void MainWindow::SetFindHeight(int height) {
    const int total = SplitTotal(m_right, height, 400);
    m_right->setSizes({height, total - height});
    ScheduleRefresh();
}

bool MainWindow::IsTreeToolBarVisible() const {
    return m_treeBar->isVisible();
}
void MainWindow::ShowTreeToolBar(bool show) {
    m_treeBar->setVisible(show);
}
bool MainWindow::IsStatusBarVisible() const {
    return statusBar()->isVisibleTo(this);
}
void MainWindow::ShowStatusBar(bool show) {
    statusBar()->setVisible(show);
}

// ---- IAppWindow ----

void MainWindow::CloseWindow() {
    m_closeApproved = true;
    QTimer::singleShot(0, this, &QWidget::close);
}

void MainWindow::PrinterSetup() {
    QPageSetupDialog dialog(&m_printer, this);
    dialog.exec();
}

bool MainWindow::HandOverToRunningInstance(const std::string& path) {
    return m_instance && m_instance->OfferToOthers(QString::fromStdString(path));
}

void MainWindow::BringForward() {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void MainWindow::RecentFilesChanged(const std::vector<std::string>& entries) {
    QStringList paths;
    for (const std::string& path : entries)
        paths << QString::fromStdString(path);
    QtSettingsStore::SetRecentFiles(paths);
    m_actions->SetRecentFiles(paths);
}

void MainWindow::BeginLoad() {
    m_treeModel->BeginBulk();
}

void MainWindow::DocumentReplaced() {
    // The document's own icons are in place before the tree shows its rows.
    ReloadDefinitionIcons(doc().m_options, *this);
    m_treeModel->EndBulk();
    m_session->OnInitialUpdate();
    m_findPane->ApplyColumns();
    if (m_recovery)
        m_recovery->DocumentReplaced();
    WatchDocumentFile();
    UpdateCaption();
    RefreshActions();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_closeApproved || m_fileCommands->SaveModified()) {
        if (m_recovery)
            m_recovery->DocumentClosed();
        event->accept();
        return;
    }
    event->ignore();
}

} // namespace kardel::gui
