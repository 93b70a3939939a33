// Arbitrary bytes as the content of VEXO.TXT: the reader must not fail, and whatever it read
// must leave the settings within their ranges.
#include <cmath>

#include "config/customization.h"
#include "config/palette.h"
#include "core/vexo.h"
#include "fuzz_support.h"

namespace {

bool IsPaletteColour(Colour colour) {
    for (int n = 0; n < 16; ++n)
        if (PaletteColour(n) == colour) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    StartHeadlessPicture2();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace Vexo;
    ResetState();
    RewindPicture2();
    ReadCustomizationFrom({BytesOf(data, size), 0, {}});

    for (Colour colour :
         {KelviraBack, KelviraMemori, KelviraWaku, KelviraGlass, KelviraGlassWaku, KelviraEki,
          KelviraMozi, GrphBack, GrphMemori, GrphWaku, GrphLine, GrphTateMozi, GrphYokoMozi})
        Require(IsPaletteColour(colour), "every colour is a palette colour");
    Require(std::isfinite(KionMode) && std::isfinite(ZidouMode), "modes are finite");
    Require(ScaleMax >= -30 && ScaleMax <= 120, "ScaleMax within -30..120");
    Require(ScaleMin >= -30 && ScaleMin <= 120, "ScaleMin within -30..120");
    Require(RequestBytes[0] == 242, "request byte");
    Require(AlertCount >= 0 && AlertCount <= MaxAlerts, "AlertCount within 0..30");
    for (int n = 0; n <= MaxAlerts; ++n) {
        const bool used = n >= 1 && n <= AlertCount;
        Require(used || (AlertRules[n] == std::array<int16_t, 4>{} && AlertTexts[n].isEmpty()),
                "rows outside 1..AlertCount untouched");
        Require(AlertRules[n][0] == 0 || AlertRules[n][0] == -1, "direction is -1 or 0");
    }
    return 0;
}
