#include "app/window_title.h"

#include "app/options.h"
#include "platform/message_box.h"

namespace App {

QString WindowTitle() {
    return AppTitle + (Given.demo ? QStringLiteral("（デモ）") : QString());
}

}  // namespace App
