// Arbitrary bytes as the content of both calibration tables: the reader must not fail, and
// the same content must give the same table for both sensors.
#include "config/calibration.h"
#include "config/file_errors.h"
#include "core/vexo.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    StartHeadlessPicture2();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace Vexo;
    ResetState();
    RewindPicture2();
    const ConfigFile file{BytesOf(data, size), 0, {}};
    ReadCalibrationFrom(file, file);
    Require(EkionTable == KionTable, "same content, same table");
    Require(FileError == 0 || FileError == FileErrors::InputPastEnd ||
                FileError == FileErrors::Overflow,
            "only shortness and overflow are reported");
    return 0;
}
