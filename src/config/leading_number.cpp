#include "core/vexo.h"

namespace Vexo {

double LeadingNumber(const QString& text) { return text.toDouble(); }

}  // namespace Vexo
