#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cw::cli
{

// "calc": builds a project from the options in their order, runs Calculate Response once and
// writes what was asked for. args are the words after "calc". Messages go to err; returns the
// exit code (kExitUsage asks the caller for the usage text).
int RunCalc(const std::vector<std::string>& args, std::ostream& err);

} // namespace cw::cli
