// libFuzzer target: any bytes as a driver file. Reading never crashes, and whatever it read is
// saved and read back to the very same bytes.
#include "driver/DriverFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    cw::DriverParams driver;
    cw::DecodeDriver({reinterpret_cast<const char*>(data), size}, driver);

    const std::string saved = cw::EncodeDriver(driver);
    cw::DriverParams again;
    if (!cw::DecodeDriver(saved, again) || cw::EncodeDriver(again) != saved)
        std::abort();
    return 0;
}
