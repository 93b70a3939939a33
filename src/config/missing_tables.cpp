#include "config/missing_tables.h"

#include <QDir>
#include <algorithm>

#include "config/config_folders.h"
#include "config/file_errors.h"
#include "core/start_up_log.h"
#include "core/vexo.h"
#include "core/window_title.h"

namespace Vexo {

namespace {

const QString Indent = QStringLiteral("　");

}  // namespace

std::vector<LogLine> MissingTableLines(const ConfigFile& ekion, const ConfigFile& kion,
                                       const QStringList& folders) {
    std::vector<LogLine> lines;
    bool notFound = false;
    const std::pair<const ConfigFile*, QString> tables[] = {{&ekion, QStringLiteral("EKION.CSV")},
                                                            {&kion, QStringLiteral("KION.CSV")}};
    for (const auto& [file, name] : tables) {
        if (file->content) continue;
        if (file->path.isEmpty()) {
            notFound = true;
            lines.emplace_back(QStringLiteral("校正表がありません："), name);
        } else {
            lines.emplace_back(QStringLiteral("校正表を読めません："), file->path);
        }
    }
    if (!notFound) return lines;
    lines.emplace_back(QStringLiteral("さがした場所："), QString());
    for (const QString& folder : folders)
        lines.emplace_back(Indent, folder == QLatin1String(".") ? QDir::currentPath() : folder);
    return lines;
}

void ReportMissingTables(const ConfigFile& ekion, const ConfigFile& kion) {
    for (const auto& [text, name] : MissingTableLines(ekion, kion, ConfigFolders())) {
        if (name.isEmpty())
            PrintLog(text);
        else
            PrintLogNaming(text, name);
    }
}

void MarkEmptyTable() {
    SetTitleMark(TitleMark::NoTable,
                 std::all_of(ConvTable.begin(), ConvTable.end(), [](int16_t v) { return v == 0; }));
}

}  // namespace Vexo
