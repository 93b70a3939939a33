#include "core/window_title.h"

#include <array>

#include "platform/message_box.h"

namespace Vexo {

std::function<void(const QString&)> ShowTitle;

namespace {

constexpr int MarkCount = 7;
std::array<bool, MarkCount> marks{};
std::array<QString, MarkCount> replaced;  // words in place of the mark's own

const std::array<QString, MarkCount>& MarkTexts() {
    static const std::array<QString, MarkCount> texts = {
        QStringLiteral("（デモ）"), QStringLiteral("（校正表なし）"),
        QStringLiteral("（「ざんぽ」の応答なし）"),
        QStringLiteral("（記録できません）"), QStringLiteral("（クラスに接続）"),
        QStringLiteral("（クラスに接続中…）"), QString()};
    return texts;
}

}  // namespace

void SetTitleMark(TitleMark mark, bool on, const QString& text) {
    const auto i = static_cast<size_t>(mark);
    const QString words = on ? text : QString();
    if (marks[i] == on && replaced[i] == words) return;
    marks[i] = on;
    replaced[i] = words;
    if (ShowTitle) ShowTitle(WindowTitleText());
}

QString WindowTitleText() {
    QString title = AppTitle;
    for (size_t i = 0; i < marks.size(); ++i)
        if (marks[i]) title += replaced[i].isEmpty() ? MarkTexts()[i] : replaced[i];
    return title;
}

void ResetTitleMarks() {
    marks.fill(false);
    replaced.fill(QString());
}

}  // namespace Vexo
