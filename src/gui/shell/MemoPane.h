#pragma once
#include "core/shell/CKdEditView.h"

#include <QPlainTextEdit>

#include <functional>

class QPrinter;

namespace kardel::gui {

class TextFindDialog;

// MemoView's edit control. Text crosses to the core as cp932 with CR LF line ends; a body
// that was loaded and not edited goes back byte for byte as it came, whatever it holds.
class MemoPane : public QPlainTextEdit, public IEditControl {
    Q_OBJECT
public:
    explicit MemoPane(QWidget* parent = nullptr);
    ~MemoPane() override;

    void SetView(CKdEditView* view) { m_view = view; }
    // The printer the page set-up configures; printing uses it.
    void SetPrinter(QPrinter* printer) { m_printer = printer; }

    // IEditControl
    std::string GetText() const override;
    void LoadText(const std::string& text) override;
    std::string GetSelectedText() const override;
    void ReplaceSelection(const std::string& text, bool undoable) override;
    void SetTabStops(int dialogUnits) override;
    bool CanUndo() const override;
    bool CanPaste() const override;
    void Run(Operation operation) override;

    // Prints the text with the page header; pages counted from 1. False when the printer, or
    // the file it writes, could not take the pages.
    bool PrintTo(QPrinter& printer);
    // Prints, or shows why not: a printer's file never replaces the document, and a printer
    // that fails is reported rather than taken for done.
    void PrintOrReport(QPrinter& printer);

    // Told when a stored text lost characters cp932 cannot hold, and for the context menu.
    std::function<void(const QString&)> onStatusMessage;
    std::function<void(const QPoint& globalPos)> onContextMenu;

    static QFont MemoFont();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    CKdEditView* m_view = nullptr;
    QPrinter* m_printer = nullptr;
    std::string m_loadedBytes;
    QString m_loadedText;
    TextFindDialog* m_findDialog = nullptr;
};

} // namespace kardel::gui
