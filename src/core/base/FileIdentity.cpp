#include "core/base/FileIdentity.h"

#include "core/base/FileSystem.h"
#include "core/base/SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <sys/stat.h>

#include <new>
#include <xxhash.h>
#if (defined(__x86_64__) || defined(__i386__)) && __has_include(<xxh_x86dispatch.h>)
// The library's entry points that choose the widest vector unit the processor has
// (AVX-512 or AVX2 rather than the SSE2 a portable build compiles for): the hash of a
// large file, taken as it is read, costs a quarter of the time. The hash is the same.
#include <xxh_x86dispatch.h>
#endif

namespace kardel {
namespace {

// File systems stamp times in ticks from a few milliseconds to two seconds; a record whose
// time lies closer than this to the moment it was taken cannot rule out a later write
// within the same tick.
constexpr std::int64_t kTimeStampTickNs = 2'000'000'000;

std::int64_t NowNs() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

std::optional<std::uint64_t> HashFile(const std::string& path) {
    FileResult opened;
    ScopedDescriptor file{OpenRegularFile(path, opened)};
    if (file.fd < 0)
        return std::nullopt;
    ContentHasher hasher;
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ReadFull(file.fd, buffer, sizeof buffer);
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return hasher.Digest();
        hasher.Update(buffer, static_cast<size_t>(n));
    }
}

} // namespace

// The library's own state, made and freed by the library, whose layout is its business.
struct ContentHasher::State {
    XXH3_state_t* xxh = XXH3_createState();
    State() {
        if (!xxh)
            throw std::bad_alloc();
    }
    ~State() { XXH3_freeState(xxh); }
    State(const State&) = delete;
    State& operator=(const State&) = delete;
};

ContentHasher::ContentHasher() : m_state(std::make_unique<State>()) {
    XXH3_64bits_reset(m_state->xxh);
}
ContentHasher::~ContentHasher() = default;

void ContentHasher::Update(const char* data, size_t size) {
    XXH3_64bits_update(m_state->xxh, data, size);
}

std::uint64_t ContentHasher::Digest() const {
    return XXH3_64bits_digest(m_state->xxh);
}

std::uint64_t ContentHasher::Of(std::string_view bytes) {
    return XXH3_64bits(bytes.data(), bytes.size());
}

std::optional<FileIdentity> FileIdentity::Stat(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    FileIdentity id;
    id.known = true;
    id.device = info.st_dev;
    id.inode = info.st_ino;
    id.size = info.st_size;
    id.mtimeNs = std::int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    id.ctimeNs = std::int64_t(info.st_ctim.tv_sec) * 1'000'000'000 + info.st_ctim.tv_nsec;
    return id;
}

FileIdentity FileIdentity::Record(const std::string& path, std::uint64_t hash,
                                  const std::optional<FileIdentity>& before) {
    std::optional<FileIdentity> now = Stat(path);
    if (!now)
        return {};
    FileIdentity id = *now;
    id.hash = hash;
    id.ambiguous = NowNs() - id.mtimeNs < kTimeStampTickNs || (before && !before->SameMetadata(id));
    return id;
}

FileIdentity::State FileIdentity::Verify(const std::string& path) {
    std::optional<FileIdentity> now = Stat(path);
    if (!now)
        return errno == ENOENT || errno == ENOTDIR ? State::Missing : State::Changed;
    if (now->size != size)
        return State::Changed;
    if (now->SameMetadata(*this) && !ambiguous)
        return State::Unchanged;
    std::optional<std::uint64_t> content = HashFile(path);
    if (!content || *content != hash)
        return State::Changed;
    // The same bytes: take the present metadata so that a later change shows in it.
    std::optional<FileIdentity> after = Stat(path);
    if (after && after->SameMetadata(*now))
        if (FileIdentity refreshed = Record(path, hash, now); refreshed.known)
            *this = refreshed;
    return State::Unchanged;
}

std::string FileIdentity::ToText() const {
    std::ostringstream out;
    out << (known ? 1 : 0) << ' ' << device << ' ' << inode << ' ' << size << ' ' << mtimeNs << ' ' << ctimeNs << ' '
        << hash << ' ' << (ambiguous ? 1 : 0);
    return out.str();
}

FileIdentity FileIdentity::FromText(const std::string& text) {
    std::istringstream in(text);
    FileIdentity id;
    int known = 0, ambiguous = 0;
    if (!(in >> known >> id.device >> id.inode >> id.size >> id.mtimeNs >> id.ctimeNs >> id.hash >> ambiguous))
        return {};
    id.known = known != 0;
    id.ambiguous = ambiguous != 0;
    return id;
}

std::string CanonicalPath(const std::string& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

} // namespace kardel
