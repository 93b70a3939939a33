#include "app/window_title.h"

#include "app/options.h"
#include "platform/message_box.h"

namespace App {

QString WindowTitle(bool notRecorded) {
    return AppTitle + (Given.demo ? QStringLiteral("（デモ）") : QString()) +
           (notRecorded ? QStringLiteral("（記録できません）") : QString());
}

}  // namespace App
