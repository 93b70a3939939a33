#include "core/vexo.h"
#include "config/palette.h"
#include "platform/surface.h"

namespace Vexo {

void ReadCustomization() {
    Picture2->Print(QStringLiteral("基本数値設定中"));
    KelviraBack = PaletteColour(6);
    KelviraMemori = PaletteColour(7);
    KelviraWaku = PaletteColour(15);
    KelviraGlass = PaletteColour(15);
    KelviraGlassWaku = PaletteColour(0);
    KelviraEki = PaletteColour(12);
    KelviraMozi = PaletteColour(15);
    GrphBack = PaletteColour(7);
    GrphMemori = PaletteColour(1);
    GrphWaku = PaletteColour(15);
    GrphLine = PaletteColour(12);
    GrphTateMozi = PaletteColour(0);
    GrphYokoMozi = PaletteColour(0);
    KionMode = True;
    ZidouMode = True;
    ScaleMax = 100;
    ScaleMin = -10;
    PortNumber = 1;
    RequestBytes[0] = 242;
    FileError = 0;
    Picture2->Print(QStringLiteral("基本設定終了！"));
    Picture2->Print(QString());
}

}  // namespace Vexo
