#pragma once
#include "core/base/Platform.h"

namespace kardel::gui {

// The desktop's "open" action and starting another copy of the program.
class QtShell : public IShell {
public:
    void Open(const std::string& target) override;
    void StartNewInstance() override;
};

} // namespace kardel::gui
