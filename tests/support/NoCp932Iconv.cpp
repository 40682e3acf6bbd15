// Loaded with LD_PRELOAD, makes the system look as if iconv had no CP932
// converter: iconv_open fails for any pair that involves it.
#include <cerrno>
#include <dlfcn.h>
#include <iconv.h>
#include <strings.h>

extern "C" iconv_t iconv_open(const char* to, const char* from) {
    if (strncasecmp(to, "CP932", 5) == 0 || strncasecmp(from, "CP932", 5) == 0) {
        errno = EINVAL;
        return reinterpret_cast<iconv_t>(-1);
    }
    using Open = iconv_t (*)(const char*, const char*);
    static const auto real = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "iconv_open"));
    return real ? real(to, from) : reinterpret_cast<iconv_t>(-1);
}
