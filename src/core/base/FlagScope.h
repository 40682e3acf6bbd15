#pragma once

namespace kardel {

// Sets a flag for the duration of a scope and puts back the value it had, so
// that nested primitives leave the caller's state alone, and an exception too.
class FlagScope {
public:
    FlagScope(bool& flag, bool value) : m_flag(flag), m_saved(flag) { m_flag = value; }
    ~FlagScope() { m_flag = m_saved; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
    bool m_saved;
};

} // namespace kardel
