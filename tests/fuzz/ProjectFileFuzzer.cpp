// libFuzzer target: any bytes as a project file. Reading never crashes; a file that is accepted
// saves to a text that reads back and saves again unchanged.
#include "project/ProjectFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    cw::ProjectData project;
    if (cw::ParseProject({reinterpret_cast<const char*>(data), size}, project))
        return 0;

    const std::string saved = cw::SerializeProject(project);
    cw::ProjectData again;
    if (cw::ParseProject(saved, again) || cw::SerializeProject(again) != saved)
        std::abort();
    return 0;
}
