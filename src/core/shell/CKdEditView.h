#pragma once
#include "core/base/CView.h"

#include <string>
#include <vector>

namespace kardel {

class CKardelDoc;

// The edit control MemoView works through. Texts are cp932 with CR LF line ends; the
// Qt skin implements it over its widget; without a window PlainEditControl serves.
class IEditControl {
public:
    virtual ~IEditControl() = default;
    virtual std::string GetText() const = 0;
    // Replaces the text so that nothing is left to undo, caret at the start.
    virtual void LoadText(const std::string& text) = 0;
    // The selected characters; empty without a selection.
    virtual std::string GetSelectedText() const = 0;
    // Replaces the selection; the caret ends after the new text.
    virtual void ReplaceSelection(const std::string& text, bool undoable) = 0;
    // Tab stops in dialog units (a quarter of the average character width each).
    virtual void SetTabStops(int dialogUnits) = 0;
    virtual bool CanUndo() const = 0;
    virtual bool CanPaste() const = 0;
    // The control's own operations; the rules decide when they may run.
    enum class Operation { Undo, Cut, Copy, Paste, SelectAll, Find, Replace, Print };
    virtual void Run(Operation operation) = 0;
};

// The plain buffer of headless use: selection in bytes, an undo stack of whole texts.
class PlainEditControl : public IEditControl {
public:
    std::string GetText() const override { return m_text; }
    void LoadText(const std::string& text) override;
    std::string GetSelectedText() const override;
    void ReplaceSelection(const std::string& text, bool undoable) override;
    void SetTabStops(int dialogUnits) override { m_tabStops = dialogUnits; }
    bool CanUndo() const override { return !m_undo.empty(); }
    bool CanPaste() const override { return !m_clipboard.empty(); }
    void Run(Operation operation) override;
    void Select(size_t start, size_t end);

    std::string m_text;
    size_t m_selStart = 0, m_selEnd = 0;
    int m_tabStops = 0;
    std::string m_clipboard;
    std::vector<Operation> m_dialogsShown; // find, replace and print requests

private:
    std::vector<std::string> m_undo;
};

// MemoView: loads a memo's body on hints 2 and 4, stores it back on hint 8 only when the
// text really differs; inserts dates and times, opens URLs and mail addresses found in the
// selection, turns dropped files into references, and answers for the edit commands.
class CKdEditView : public CView {
public:
    static constexpr size_t kMaxTextBytes = 0xFFFFF;

    CKdEditView(CKardelDoc& doc, IEditControl& edit) : m_doc(doc), m_edit(edit) {}

    void OnUpdate(CView* sender, int hint, CMemoItem* memo) override;
    void Serialize(CArchive& ar) override;
    bool OnUpdateCmd(CommandId id, CCmdUI& ui) override;
    bool OnCmdMsg(CommandId id) override;

    void LoadMemo(CMemoItem& memo);
    void StoreMemo(CMemoItem& memo);
    // The memo whose body the control shows, or nullptr.
    CMemoItem* ShownMemo() const { return m_shown; }
    IEditControl& edit() const { return m_edit; }
    CKardelDoc& GetDocument() const { return m_doc; }
    // Called when the document's memos are destroyed.
    void ForgetShownMemo() { m_shown = nullptr; }

    // Tab stop in dialog units for the document's tab choice.
    int TabStopDialogUnits() const;
    // Files dropped on MemoView (file system paths): "file://" references separated by a blank.
    void OnDropFiles(const std::vector<std::string>& paths);
    // The print header of a page counted from 1 (cp932).
    std::string PrintHeader(int page) const;
    // The context menu grays only the URL and mail items; the others stay enabled.
    bool ContextMenuItemEnabled(CommandId id) const;

private:
    CKardelDoc& m_doc;
    IEditControl& m_edit;
    CMemoItem* m_shown = nullptr;
};

} // namespace kardel
