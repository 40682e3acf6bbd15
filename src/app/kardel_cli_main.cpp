// kardel-cli: the headless front of the core. Each subcommand lives in src/app/cli/
// and registers itself there.
#include "cli/CliSupport.h"
#include "model/Cp932Codec.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    using namespace kardel::cli;
    if (!kardel::Cp932Codec::IsAvailable()) {
        std::fprintf(stderr, "kardel-cli: %s\n", kardel::Cp932Codec::MissingMessageUtf8());
        return 1;
    }
    if (argc < 2)
        return Usage();
    for (const RegisteredCommand& command : Commands())
        if (std::strcmp(command.name, argv[1]) == 0)
            return command.run(std::vector<std::string>(argv + 2, argv + argc));
    return Usage();
}
