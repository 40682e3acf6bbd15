#pragma once
#include <QString>

#include <string>
#include <string_view>

namespace kardel::gui {

// The Qt boundary of the core's cp932 text.
QString FromCp932(std::string_view cp932);
// Characters cp932 cannot hold become '?'; `lossy` tells whether that happened.
std::string ToCp932(const QString& text, bool* lossy = nullptr);
// A UTF-8 literal of the program's own texts as a QString.
inline QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace kardel::gui
