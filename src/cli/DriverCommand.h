#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cw::cli
{

// "driver FILE.dvr" prints the driver as JSON; "driver --from-json IN.json --out OUT.dvr" writes
// a driver file from JSON. args are the words after "driver". Returns the exit code.
int RunDriver(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace cw::cli
