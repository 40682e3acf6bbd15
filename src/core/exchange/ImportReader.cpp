#include "core/exchange/ImportReader.h"

#include "core/base/FileSystem.h"
#include "core/base/SafeFile.h"
#include "core/exchange/MarkdownImporter.h"
#include "core/exchange/OpmlImporter.h"
#include "core/model/ImportSource.h"

#include <cerrno>
#include <sys/stat.h>

namespace kardel {
namespace {

constexpr size_t kSniffBytes = 4096;

bool IsUtf8Text(std::string_view text, bool mayBeCut) {
    size_t i = 0;
    while (i < text.size()) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c == 0)
            return false;
        size_t extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 9;
        if (extra == 9 || (extra == 1 && c < 0xC2))
            return false;
        if (i + extra >= text.size() && extra > 0 && mayBeCut)
            return true; // a character cut by the end of what was read
        for (size_t k = 1; k <= extra; ++k)
            if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

FileResult Finish(ImportedOutline& outline, ImportSource& source, size_t& replaced) {
    outline.Finish(source, replaced);
    return FileResult::Success();
}

// "Version" and three digits, or as much of it as there is: the header of a document.
bool StartsLikeDocumentHeader(std::string_view head) {
    constexpr std::string_view word = "Version";
    for (size_t i = 0; i < head.size() && i < 10; ++i)
        if (i < word.size() ? head[i] != word[i] : (head[i] < '0' || head[i] > '9'))
            return false;
    return true;
}

} // namespace

ImportFormat SniffImportFormat(std::string_view head) {
    if (StartsLikeDocumentHeader(head))
        return ImportFormat::Kdl;
    if (!IsUtf8Text(head, true))
        return ImportFormat::Kdl; // binary: a document of the oldest versions, or no text at all
    std::string_view text = head.substr(0, 3) == "\xEF\xBB\xBF" ? head.substr(3) : head;
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos) {
        text = text.substr(first);
        for (std::string_view start : {"<?xml", "<opml", "<!DOCTYPE", "<!--"})
            if (text.substr(0, start.size()) == start &&
                (start != "<!--" || head.find("<opml") != std::string_view::npos))
                return ImportFormat::Opml;
    }
    return ImportFormat::Markdown;
}

FileResult ReadImportBytes(std::string_view bytes, ImportSource& source, size_t& replaced) {
    switch (SniffImportFormat(bytes.substr(0, kSniffBytes))) {
    case ImportFormat::Kdl:
        return source.Read(bytes);
    case ImportFormat::Opml: {
        OpmlImporter opml;
        if (!opml.Feed(bytes.data(), bytes.size(), true))
            return FileResult::Failure(opml.Error());
        return Finish(opml.Outline(), source, replaced);
    }
    case ImportFormat::Markdown:
        break;
    }
    MarkdownImporter markdown;
    if (!markdown.Parse(bytes.substr(bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0)))
        return FileResult::Failure(markdown.Error());
    return Finish(markdown.Outline(), source, replaced);
}

FileResult ReadImportFile(const std::string& path, ImportSource& source, size_t& replaced) {
    // Only a regular file: opening a device or FIFO can block or act.
    FileResult opened;
    ScopedDescriptor file{OpenRegularFile(path, opened)};
    if (file.fd < 0)
        return opened;
    struct stat info {};
    if (::fstat(file.fd, &info) != 0)
        return FileResult::Failure(FileErrorMessage(errno, path, false));
    std::string piece(1u << 16, '\0');
    size_t filled = 0;
    // Reads the next piece; false with the error's message on failure.
    auto readPiece = [&](FileResult& error) {
        ssize_t n = ReadFull(file.fd, piece.data(), piece.size());
        if (n < 0) {
            error = FileResult::Failure(FileErrorMessage(errno, path, false));
            return false;
        }
        filled = static_cast<size_t>(n);
        return true;
    };
    FileResult error;
    if (!readPiece(error))
        return error;
    ImportFormat format = SniffImportFormat(std::string_view(piece.data(), std::min(filled, kSniffBytes)));
    if (format == ImportFormat::Opml) {
        OpmlImporter opml;
        for (;;) {
            bool last = filled < piece.size();
            if (!opml.Feed(piece.data(), filled, last))
                return FileResult::Failure(opml.Error());
            if (last)
                break;
            if (!readPiece(error))
                return error;
        }
        return Finish(opml.Outline(), source, replaced);
    }
    if (format == ImportFormat::Markdown && info.st_size > static_cast<off_t>(MarkdownImporter::kMaxBytes))
        return FileResult::Failure(MarkdownImporter::TooLargeError());
    std::string bytes;
    if (FileResult read = ReadWholeFile(path, bytes); !read.ok)
        return read;
    return ReadImportBytes(bytes, source, replaced);
}

} // namespace kardel
