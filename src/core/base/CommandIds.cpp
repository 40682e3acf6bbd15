#include "core/base/CommandIds.h"

namespace kardel {

const char* CommandIdName(int id) {
    switch (id) {
#define KARDEL_COMMAND_NAME(name, value)                                                                               \
    case name:                                                                                                         \
        return #name;
        KARDEL_COMMAND_IDS(KARDEL_COMMAND_NAME)
#undef KARDEL_COMMAND_NAME
    }
    return nullptr;
}

} // namespace kardel
