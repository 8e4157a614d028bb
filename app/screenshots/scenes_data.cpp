// The Update preview for Nilesat at 7.0W from the installed tables, and the
// merge choices with the report of a merge.
#include <QMessageBox>

#include "app/data/merge_dialog.h"
#include "app/data/update_preview_dialog.h"
#include "app/screenshots/scene_registry.h"
#include "files/table_source.h"
#include "model/demo_database.h"
#include "model/first_gen_database.h"
#include "model/second_gen_database.h"

BRONDAVEL_SCENE("update_preview") {
    using namespace brondavel;
    FirstGenDatabase db;
    FillFirstGenDemo(db);
    std::vector<std::string> skipped;
    UpdatePreviewDialog dialog(db, 2, InstalledTablesAt(-70, skipped));
    dialog.show();
    shot.SaveWindow(&dialog, "update_preview");
}

BRONDAVEL_SCENE("merge_report") {
    using namespace brondavel;
    MergeDialog choices("/home/user/channels/other.bin");
    choices.show();
    shot.SaveWindow(&choices, "merge_choices");
    choices.hide();

    FirstGenDatabase db;
    FillFirstGenDemo(db, {4, 8, 200, 40}, 1);
    SecondGenDatabase other;
    FillSecondGenDemo(other, {6, 10, 300, 60}, 3);
    const MergeResult r = MergeDatabase(db, other, {});
    QStringList lines;
    for (const std::string& line : MergeReportLines(r)) lines << QString::fromStdString(line);
    QMessageBox report(QMessageBox::Information, "Success",
                       "Merged \"/home/user/channels/other.bin\":\n" + lines.join('\n'));
    report.show();
    shot.SaveWindow(&report, "merge_report");
}
