#include "cli/commands.h"

namespace brondavel::cli {

void RegisterLh5Command(CLI::App&, CommonOptions&) {}

}  // namespace brondavel::cli
