#pragma once
#include "model/CView.h"

#include <string>

namespace kardel {

class CKardelDoc;

// The text MemoView's edit control holds (cp932, CR LF). The Qt skin implements
// it over its widget; without a window a plain buffer serves.
class IEditControl {
public:
    virtual ~IEditControl() = default;
    virtual std::string GetText() const = 0;
    // Replaces the text so that nothing is left to undo.
    virtual void LoadText(const std::string& text) = 0;
};

class PlainEditControl : public IEditControl {
public:
    std::string GetText() const override { return m_text; }
    void LoadText(const std::string& text) override { m_text = text; }
    std::string m_text;
};

// MemoView: loads a memo's body on hints 2 and 4, stores it back on hint 8 only
// when the text really differs.
class CKdEditView : public CView {
public:
    static constexpr size_t kMaxTextBytes = 0xFFFFF;

    CKdEditView(CKardelDoc& doc, IEditControl& edit) : m_doc(doc), m_edit(edit) {}

    void OnUpdate(CView* sender, int hint, CMemoItem* memo) override;
    void Serialize(CArchive& ar) override;

    void LoadMemo(CMemoItem& memo);
    void StoreMemo(CMemoItem& memo);
    // The memo whose body the control shows, or nullptr.
    CMemoItem* ShownMemo() const { return m_shown; }
    IEditControl& edit() const { return m_edit; }
    // Called when the document's memos are destroyed.
    void ForgetShownMemo() { m_shown = nullptr; }

private:
    CKardelDoc& m_doc;
    IEditControl& m_edit;
    CMemoItem* m_shown = nullptr;
};

} // namespace kardel
