// libFuzzer target: the list-file reader over arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "engine/portable/list_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ListCursor cursor = {data, size, 0};
    ListFileContent content;
    ParseListFile(cursor, content);
    for (const std::string& line : content.files)
        ParseNumber(line.c_str());
    return 0;
}
