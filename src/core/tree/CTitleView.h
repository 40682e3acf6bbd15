#pragma once
#include "core/base/CView.h"

#include <cstdint>
#include <functional>
#include <string>

namespace kardel {

class CKardelDoc;

// The title strip: the current memo's title, kind name, four dates and selection item,
// as texts ready to draw. It stores nothing in the file but keeps its place in the view list.
class CTitleView : public CView {
public:
    static constexpr int kTallHeight = 50;
    static constexpr int kShortHeight = 35;

    CTitleView() = default;
    explicit CTitleView(CKardelDoc& doc) : m_doc(&doc) {}
    void SetDocument(CKardelDoc& doc) { m_doc = &doc; }

    void OnUpdate(CView* sender, int hint, CMemoItem* memo) override;
    void Serialize(CArchive&) override {}

    void Refresh(const CMemoItem& memo);
    // The date line "作成日:%s  更新日:%s  期日:%s  完了日:%s" and the selection line "%s:%s" (cp932).
    std::string DateLine() const;
    std::string SelItemLine() const;
    // Double click: the memo properties of the current memo, without its enabling rule.
    void OnDoubleClick();

    // Called after each refresh, so the widget repaints.
    void SetRedraw(std::function<void()> redraw) { m_redraw = std::move(redraw); }

    std::string m_strTitle;
    std::string m_strKind;
    std::string m_strCreated;
    std::string m_strUpdated;
    std::string m_strDue;
    std::string m_strDone;
    std::string m_strSelItem;
    std::string m_strSelTitle;
    std::int32_t m_bSelItems = 0;
    std::int32_t m_bDueAlert = 0;

private:
    CKardelDoc* m_doc = nullptr;
    std::function<void()> m_redraw;
};

} // namespace kardel
