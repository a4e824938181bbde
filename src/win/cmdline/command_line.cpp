#include "win/cmdline/command_line.h"

namespace klaxora::win {

void ReadCommandLine() {}

}  // namespace klaxora::win
