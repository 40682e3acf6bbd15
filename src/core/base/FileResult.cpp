#include "core/base/FileResult.h"

#include "core/base/Cp932Codec.h"
#include "core/base/Texts.h"

#include <cerrno>

namespace kardel {
namespace {

std::string Fill(const std::string& pattern, const std::string& path) {
    std::string text = pattern;
    auto at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, Cp932Codec::FromUtf8(path).text); // paths are UTF-8 on this platform
    return text;
}

} // namespace

std::string FileErrorMessage(int error, const std::string& path, bool writing) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return Fill(Sjis("%1 が見つかりません。"), path);
    case EACCES:
    case EPERM:
        return Fill(Sjis("%1 へのｱｸｾｽは拒否されました。"), path);
    case ENOSPC:
    case EDQUOT:
        return Fill(Sjis("%1 へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"), path);
    case EROFS:
    case ETXTBSY:
    case EBUSY:
        return Fill(writing ? Sjis("%1 は使用中または読み取り専用のため、書き込めません。")
                            : Sjis("%1 は使用中のため、読み取れません。"),
                    path);
    case EISDIR:
        return Fill(Sjis("%1 はﾌｧｲﾙではありません。"), path);
    default:
        return Fill(writing ? Sjis("%1 への書き込み中に予期しないｴﾗｰが発生しました。")
                            : Sjis("%1 の読み込み中に予期しないｴﾗｰが発生しました。"),
                    path);
    }
}

} // namespace kardel
