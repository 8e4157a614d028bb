// Which File commands may run, from the state of the database and the link.
// The menu greys what is refused here, and every other path to a command
// (its shortcut, a call) asks the same rules.
#pragma once

namespace brondavel::app {

struct FileMenuInputs {
    bool loaded = false;        // a database is shown
    bool modified = false;      // it has changes not saved
    bool transferring = false;  // a receiver transfer runs
    bool hasBackup = false;     // this session kept the file's original
    bool canUndo = false;
    bool canRedo = false;
};

struct FileMenuState {
    bool open = false;
    bool read = false;
    bool undo = false;
    bool redo = false;
    bool save = false;
    bool saveAs = false;
    bool write = false;
    bool applyOrder = false;
    bool restore = false;
};

FileMenuState FileMenuStateOf(const FileMenuInputs& in);

}  // namespace brondavel::app
