#include "core/tablet_share.h"

namespace Vexo {

TabletShareSeam TabletShare;

}  // namespace Vexo
