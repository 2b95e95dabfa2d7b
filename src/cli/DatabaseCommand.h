#pragma once

#include "cli/CliResult.h"
#include "model/DriverParams.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace cw::cli
{

// "db [--db FILE] list|import|export|check ...": the driver database. args are the words after
// "db". Returns the exit code (kExitUsage asks the caller for the usage text).
int RunDatabase(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The one driver of the database at dbPath (the user's database when empty) whose manufacturer
// and model are name, for calc --db-driver.
Result DriverFromDatabase(const std::string& dbPath, const std::string& name, DriverParams& out);

} // namespace cw::cli
