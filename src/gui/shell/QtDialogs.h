#pragma once
#include "core/base/IDialogs.h"

class QWidget;

namespace kardel::gui {

class IconList;

// The program's modal dialogs in Qt, each shown over `parent`.
class QtDialogs : public IDialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr);
    void SetParent(QWidget* parent) { m_parent = parent; }

    bool MemoProperties(MemoPropValues& values, const CDocOptions& options) override;
    bool FindSheet(CFindCondition& target, const CDocOptions& options, bool restrictedScope) override;
    std::optional<int> StdFindChoice(const CDocOptions& options, int lastChosen) override;
    std::optional<SubtreeExportChoice> SubtreeExport(const std::string& initialName, bool titleOnly,
                                                     bool viewOnly) override;
    bool OptionsSheet(CKardelDoc& doc) override;
    void AboutBox() override;

private:
    QWidget* m_parent;
};

} // namespace kardel::gui
