// Any bytes imported as a .csv workbook of the participant list.
#include "sheetfuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return sorvix::fuzz::importWorkbook(data, size, ".csv");
}
