#include "classview/class_keys.h"

#include "config/config_file.h"
#include "config/customization.h"
#include "config/text_lines.h"

namespace ClassView {

QString ClassOfCustomization() {
    const Vexo::ConfigFile file = Vexo::OpenConfigFile(QStringLiteral("VEXO.TXT"));
    if (!file.content) return {};
    Vexo::TextInput input = Vexo::OpenTextInput(*file.content);
    QString url;
    const QLatin1StringView key("KURASU=");
    while (!Vexo::AtEndOfFile(input)) {
        const QString text = Vexo::ReadTextLine(input);
        const QString line = Vexo::NormaliseLine(text);
        if (line.startsWith(key)) url = text.right(line.size() - key.size()).trimmed();
    }
    return url;
}

}  // namespace ClassView
