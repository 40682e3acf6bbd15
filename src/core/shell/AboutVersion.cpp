#include "core/shell/AboutVersion.h"

#include "core/base/Texts.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace kardel {

std::string AboutVersionText(const std::string& productVersion) {
    std::uint32_t part[4] = {0, 0, 0, 0};
    std::istringstream in(productVersion);
    std::string field;
    for (int i = 0; i < 4 && std::getline(in, field, '.'); ++i)
        part[i] = static_cast<std::uint32_t>(std::strtoul(field.c_str(), nullptr, 10));
    // The version record packs the four numbers into two 32-bit words; the text
    // takes 16 bits of the major and patch numbers and 8 of the minor and build.
    std::uint32_t ms = (part[0] << 16) | (part[1] & 0xFFFF);
    std::uint32_t ls = (part[2] << 16) | (part[3] & 0xFFFF);
    int major = static_cast<int>(ms >> 16), minor = static_cast<int>(ms & 0xFF);
    int patch = static_cast<int>(ls >> 16), build = static_cast<int>(ls & 0xFF);
    char text[64];
    std::snprintf(text, sizeof text, "%d.%d%d", major, minor, patch);
    std::string version = text;
    if (build != 0)
        version += Sjis("β") + std::to_string(build);
    return version;
}

std::string AboutVersionLabel(const std::string& productVersion) {
    std::string label = "Kardel Version XXX";
    return label.substr(0, label.size() - 3) + AboutVersionText(productVersion);
}

} // namespace kardel
