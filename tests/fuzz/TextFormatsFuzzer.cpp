// libFuzzer target: any text to each reader of a driver list (the qspeakers XML, the WinISD INI,
// the drivers table) directly, past the tests that tell the formats apart, so that every reader
// meets what the others would have claimed. Reading never crashes, and a value of any length
// or any run of references is read in time that grows with the text.
#include "database/ImportFormats.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    cw::database::ReadSpeakerXml(text);
    cw::database::ReadWdr(text);
    cw::database::ReadDriverTable(text);
    return 0;
}
