// The reading: each answer of the box is taken once, where the poll takes it, as one value
// (its byte, its degrees, whether it is fresh), and handed on from there. The graph tick
// records the reading that stands; nothing converts the byte a second time.
#pragma once

namespace Vexo {

// The raw byte of a tick whose reading was held: the box gave no fresh answer for it.
constexpr int HeldReading = -1;

struct Reading {
    int raw = 0;         // the byte the box answered (RawValue), 0..255
    float degrees = 0;   // that byte through ConvTable
    bool fresh = false;  // answered since the last graph tick
};

// The reading that stands: RawValue through ConvTable as it was taken.
extern Reading StandingReading;

// The poll has put a new answer into RawValue: it stands from now on, fresh.
const Reading& TakeReading();
// ConvTable or RawValue changed without an answer (the device set up, another sensor
// chosen): the byte that stands, read through the table in use; fresh as it was.
void RestateReading();
// The graph tick's reading: the one that stands, with the byte it came from when it is
// fresh and HeldReading otherwise. From then on it is held until the box answers again.
Reading ReadingForTick();

}  // namespace Vexo
