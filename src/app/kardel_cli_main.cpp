// kardel-cli: the headless front of the core. Each subcommand lives in src/app/cli/
// and registers itself there with its help.
#include "app/cli/CliSupport.h"
#include "core/base/Cp932Codec.h"

#include <cstdio>

int main(int argc, char** argv) {
    // Every text is cp932 underneath: without the converter nothing can be read or shown.
    if (!kardel::Cp932Codec::IsAvailable()) {
        std::fprintf(stderr, "kardel-cli: %s\n", kardel::Cp932Codec::MissingMessageUtf8());
        return 1;
    }
    return kardel::cli::Main(argc, argv);
}
