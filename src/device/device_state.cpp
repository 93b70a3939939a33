// The device link's own state, with the values it holds when the program starts.
#include "device/device_link.h"

namespace Vexo {

bool DeviceMissing = false;
int16_t AnswerCount = 0;
int16_t ClosedPortTicks = 0;
bool OnFallbackPort = false;
int16_t FallbackTicks = 0;
int16_t PollsWithoutAnswer = 0;
int16_t SilentTicks = 0;
bool SilenceReported = false;

void ResetDevice() {
    DeviceMissing = false;
    AnswerCount = 0;
    ClosedPortTicks = 0;
    OnFallbackPort = false;
    FallbackTicks = 0;
    PollsWithoutAnswer = 0;
    SilentTicks = 0;
    SilenceReported = false;
}

}  // namespace Vexo
