#include "core/window_title.h"

#include <array>

#include "platform/message_box.h"

namespace Vexo {

std::function<void(const QString&)> ShowTitle;

namespace {

constexpr int MarkCount = 6;
std::array<bool, MarkCount> marks{};

const std::array<QString, MarkCount>& MarkTexts() {
    static const std::array<QString, MarkCount> texts = {
        QStringLiteral("（デモ）"), QStringLiteral("（校正表なし）"),
        QStringLiteral("（「ざんぽ」の応答なし）"),
        QStringLiteral("（記録できません）"), QStringLiteral("（クラスに接続）"),
        QStringLiteral("（クラスに接続中…）")};
    return texts;
}

}  // namespace

void SetTitleMark(TitleMark mark, bool on) {
    bool& set = marks[static_cast<size_t>(mark)];
    if (set == on) return;
    set = on;
    if (ShowTitle) ShowTitle(WindowTitleText());
}

QString WindowTitleText() {
    QString title = AppTitle;
    for (size_t i = 0; i < marks.size(); ++i)
        if (marks[i]) title += MarkTexts()[i];
    return title;
}

void ResetTitleMarks() {
    marks.fill(false);
}

}  // namespace Vexo
