#include "gui/common/Cp932Text.h"

#include "core/base/Cp932Codec.h"

namespace kardel::gui {

QString FromCp932(std::string_view cp932) {
    return QString::fromStdString(Cp932Codec::ToUtf8(cp932).text);
}

std::string ToCp932(const QString& text, bool* lossy) {
    ConversionResult result = Cp932Codec::FromUtf8(text.toStdString());
    if (lossy)
        *lossy = result.lossy;
    return std::move(result.text);
}

} // namespace kardel::gui
