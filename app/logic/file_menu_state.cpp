#include "app/logic/file_menu_state.h"

namespace brondavel::app {

FileMenuState FileMenuStateOf(const FileMenuInputs& in) {
    FileMenuState s;
    if (in.transferring) return s;
    s.open = true;
    s.read = true;
    if (!in.loaded) return s;
    s.undo = in.canUndo;
    s.redo = in.canRedo;
    // Saving an unchanged database would only rewrite the file and make a backup.
    s.save = in.modified;
    s.saveAs = true;
    s.write = true;
    s.applyOrder = true;
    s.restore = in.hasBackup;
    return s;
}

}  // namespace brondavel::app
