// libFuzzer target: any bytes as a file to import, under a driver file's name and another.
// Reading never crashes, and the check takes whatever was read.
#include "database/DriverCheck.h"
#include "database/DriverImport.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const char* name : {"fuzz.dvr", "fuzz.txt"}) {
        std::vector<cw::database::ImportedDriver> drivers;
        cw::database::ReadDriverBytes(bytes, name, drivers);
        for (const cw::database::ImportedDriver& d : drivers)
            cw::database::CheckDriver(d.driver);
    }
    return 0;
}
