// kardel-cli: the headless front of the core. Each subcommand lives in src/app/cli/
// and registers itself there with its help.
#include "cli/CliSupport.h"

int main(int argc, char** argv) {
    return kardel::cli::Main(argc, argv);
}
