#include "core/base/FileResult.h"

#include "core/base/Cp932Codec.h"
#include "core/base/Texts.h"

#include <cerrno>

namespace kardel {
namespace {

std::string WithPath(const std::string& pattern, const std::string& path) {
    return Fill(pattern, {Cp932Codec::FromUtf8(path).text}); // paths are UTF-8 on this platform
}

} // namespace

std::string FileErrorMessage(int error, const std::string& path, bool writing) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return WithPath(Sjis("%1 が見つかりません。"), path);
    case EACCES:
    case EPERM:
        return WithPath(Sjis("%1 へのｱｸｾｽは拒否されました。"), path);
    case ENOSPC:
    case EDQUOT:
        return WithPath(Sjis("%1 へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"), path);
    case EROFS:
    case ETXTBSY:
    case EBUSY:
        return WithPath(writing ? Sjis("%1 は使用中または読み取り専用のため、書き込めません。")
                                : Sjis("%1 は使用中のため、読み取れません。"),
                        path);
    case EISDIR:
        return WithPath(Sjis("%1 はﾌｧｲﾙではありません。"), path);
    default:
        return WithPath(writing ? Sjis("%1 への書き込み中に予期しないｴﾗｰが発生しました。")
                                : Sjis("%1 の読み込み中に予期しないｴﾗｰが発生しました。"),
                        path);
    }
}

} // namespace kardel
