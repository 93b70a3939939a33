// What the fuzz targets share: the entry points libFuzzer calls, a headless graph surface for
// the readers' log lines, and a check that stops the run when an invariant is broken.
#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// Creates the GUI application (offscreen) and binds a 400 x 400 surface as Picture2.
void StartHeadlessPicture2();
// Puts Picture2's pen back at the top so that every input logs from the same place.
void RewindPicture2();

QByteArray BytesOf(const uint8_t* data, size_t size);

// Aborts with the message when `holds` is false, so that the fuzzer keeps the input.
void Require(bool holds, const char* what);
