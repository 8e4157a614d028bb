// The "EPG Test" dialog with both logs read and a listing printed.
#include <QDir>
#include <QFile>

#include "app/dialogs/epg_test_dialog.h"
#include "app/screenshots/scene_registry.h"

BRONDAVEL_SCENE("epg_test_dialog") {
    const QString folder = QDir::temp().filePath("brondavel-scene-epg");
    QDir().mkpath(folder);
    const QString fnt = folder + "/fnt_log.txt", epg = folder + "/epg_log.txt";
    QFile network(fnt), events(epg);
    if (network.open(QIODevice::WriteOnly))
        network.write("[FNT]-> Transport_stream_id : 1051\n[FNT][Del_SYS]-> symbol_rate : 27500\n");
    if (events.open(QIODevice::WriteOnly))
        events.write("service_id : 0x0001\nTime : 2009-02-18,20:30 ~ 21:15\n");
    network.close();
    events.close();
    brondavel::app::EpgTestDialog dialog(nullptr, 2, nullptr);
    dialog.OpenNetworkLog(fnt);
    dialog.OpenEventLog(epg);
    dialog.PrintLog(folder + "/listing.txt");
    dialog.show();
    shot.SaveWindow(&dialog, "epg_test_dialog");
}
