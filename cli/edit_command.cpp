// edit: scripted edits through the same database operations the list
// windows use, then one save.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <iostream>
#include <sstream>

#include "cli/commands.h"
#include "cli/open_database.h"
#include "model/memory_controls.h"
#include "model/record_rename.h"

namespace brondavel::cli {

namespace {

class Refused : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Plain decimal digits only: "+1", " 1" and "1e3" are no numbers. Numbers
// beyond any list count as INT_MAX, which no row, group or order reaches.
int ParseInt(const std::string& text, const std::string& what) {
    const bool digits = !text.empty() && std::all_of(text.begin(), text.end(),
                                                     [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) throw Refused("\"" + text + "\" is not a valid " + what);
    int64_t value = 0;
    for (char c : text) value = std::min<int64_t>(value * 10 + (c - '0'), INT_MAX);
    return static_cast<int>(value);
}

int SortOrder(int kind, const std::string& text) {
    if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0])))
        return ParseInt(text, "sort order");
    if (text == "original") return 1;
    if (text == "name") return 2;
    if (kind == kSatellite && text == "longitude") return 3;
    if (kind == kTransponder && text == "satellites") return 3;
    if (kind == kTransponder && text == "frequency") return 4;
    if ((kind == kTv || kind == kRadio) && text == "scramble") return 3;
    if ((kind == kTv || kind == kRadio) && text == "lock") return 4;
    throw Refused("unknown sort order \"" + text + "\" for " + KindName(kind));
}

class Editor {
  public:
    explicit Editor(DatabaseEngine& db) : db_(db) {}

    // Applies the operations starting at ops[i]; returns the index after it.
    size_t Apply(const std::vector<std::string>& ops, size_t i) {
        auto arg = [&](size_t n) -> const std::string& {
            if (i + n >= ops.size()) throw Refused("\"" + ops[i] + "\" needs more arguments");
            return ops[i + n];
        };
        const std::string& op = ops[i];
        if (op == "sort") {
            const int kind = Kind(arg(1));
            RefuseFavorites(kind, "sorted");
            const int order = SortOrder(kind, arg(2));
            if (!db_.SortList(kind, order, Shown(kind)))
                throw Refused(std::string(KindName(kind)) + " have no sort order " + arg(2));
            // Repeating an order toggles its direction; a direction word
            // sorts once more when the toggle went the other way.
            const bool directed =
                i + 3 < ops.size() && (ops[i + 3] == "asc" || ops[i + 3] == "desc");
            if (!directed) return i + 3;
            const uint32_t wanted = ops[i + 3] == "asc" ? 1 : 2;
            if (((db_.GetSortState(kind) >> 4) & 0xF) != wanted)
                db_.SortList(kind, order, Shown(kind));
            return i + 4;
        }
        if (op == "delete") {
            const int kind = Kind(arg(1));
            RefuseFavorites(kind, "deleted");
            Select(kind, Rows(kind, arg(2)));
            if (!db_.DeleteSelected(kind, &lists_[kind])) throw Refused("nothing was deleted");
            db_.ClearClipboard(kind);
            db_.UpdateActiveMarks();
            return i + 3;
        }
        if (op == "move") {
            const int kind = Kind(arg(1));
            RefuseFavorites(kind, "moved");
            const std::vector<int> rows = Rows(kind, arg(2));
            const std::string& where = arg(3);
            if (where != "after" && where != "before")
                throw Refused("move needs \"after\" or \"before\", not \"" + where + "\"");
            Shown(kind);
            const int anchor = Row(kind, arg(4));
            Select(kind, rows);
            db_.ClearClipboard(kind);
            db_.PickUpSelection(kind, &lists_[kind]);
            if (db_.SetAnchor(kind, anchor) != 0)
                throw Refused("the anchor row is one of the rows being moved");
            if (!db_.MoveClipboard(kind, &lists_[kind], where == "before"))
                throw Refused("the move was refused");
            return i + 5;
        }
        if (op == "reparent") {
            const int kind = Kind(arg(1));
            if (kind != kTransponder && kind != kTv && kind != kRadio)
                throw Refused("only transponders, tv and radio can be reparented");
            const int parentKind = kind == kTransponder ? kSatellite : kTransponder;
            const std::vector<int> rows = Rows(kind, arg(2));
            Shown(parentKind);
            const int parentRow = Row(parentKind, arg(3));
            Select(kind, rows);
            db_.ClearClipboard(kind);
            if (!db_.Drop(kDropReparent, kind, parentKind, parentRow, &lists_[kind],
                          &lists_[parentKind]))
                throw Refused("the drop was refused");
            return i + 4;
        }
        if (op == "favorite") {
            const int kind = Kind(arg(1));
            if (kind != kTv && kind != kRadio) throw Refused("only tv and radio join favourites");
            const std::vector<int> rows = Rows(kind, arg(2));
            const int group = ParseInt(arg(3), "favourite group");
            if (group > 15) throw Refused("favourite groups are 0 to 15");
            if (arg(4) != "on" && arg(4) != "off") throw Refused("favorite needs on or off");
            Shown(kind);
            for (int row : rows) {
                Record r = RowRecord(kind, row);
                db_.layout().SetFavoriteMember(r, group, arg(4) == "on");
                if (!db_.StoreRecord(kind, row, r.stored())) throw Refused("the store was refused");
            }
            return i + 5;
        }
        if (op == "rename") {
            const int kind = Kind(arg(1));
            if (kind == kFavorite) throw Refused("favourite group names are not kept in the file");
            Shown(kind);
            const int row = Row(kind, arg(2));
            const RenameResult renamed = RenameRow(db_, kind, row, arg(3));
            if (!renamed.Stored()) throw Refused(RenameRefusalText(renamed));
            // The file no longer says what was asked: say so.
            if (renamed.Changed())
                Warn("rename: \"" + renamed.wanted + "\" is stored as \"" + renamed.stored +
                     "\" (" + RenameChangeText(renamed) + ")");
            return i + 4;
        }
        if (op == "undo" || op == "redo") {
            const bool undo = op == "undo";
            const ListControls shown = {&lists_[0], &lists_[1], &lists_[2], &lists_[3]};
            if (!(undo ? db_.Undo(shown) : db_.Redo(shown)))
                throw Refused(undo ? "nothing to undo" : "nothing to redo");
            return i + 1;
        }
        throw Refused("unknown operation \"" + op + "\"");
    }

  private:
    static void RefuseFavorites(int kind, const char* what) {
        if (kind == kFavorite) throw Refused(std::string("favourite groups cannot be ") + what);
    }
    int Kind(const std::string& name) {
        const int kind = KindFromName(name);
        if (kind < 0) throw Refused("unknown kind \"" + name + "\"");
        return kind;
    }
    // The kind's unfiltered view, as `dump` prints it.
    ListControl* Shown(int kind) {
        db_.Refresh(kind, &lists_[kind]);
        return &lists_[kind];
    }
    // "3,4,7" or "3-5", each row checked against the list before a range
    // is expanded.
    std::vector<int> Rows(int kind, const std::string& text) {
        Shown(kind);
        std::vector<int> rows;
        const size_t dash = text.find('-');
        if (dash != std::string::npos && text.find(',') == std::string::npos) {
            const int first = Row(kind, text.substr(0, dash));
            const int last = Row(kind, text.substr(dash + 1));
            if (last < first) throw Refused("empty row range \"" + text + "\"");
            for (int r = first; r <= last; ++r) rows.push_back(r);
            return rows;
        }
        std::stringstream in(text);
        std::string item;
        while (std::getline(in, item, ',')) rows.push_back(Row(kind, item));
        if (rows.empty()) throw Refused("no rows given");
        return rows;
    }
    int Row(int kind, const std::string& text) {
        const int row = ParseInt(text, "row");
        if (row >= lists_[kind].RowCount())
            throw Refused(std::string(KindName(kind)) + " row " + text + " does not exist");
        return row;
    }
    void Select(int kind, const std::vector<int>& rows) {
        Shown(kind);
        lists_[kind].selected.clear();
        for (int row : rows) {
            if (row >= lists_[kind].RowCount())
                throw Refused(std::string(KindName(kind)) + " row " + std::to_string(row) +
                              " does not exist");
            lists_[kind].SetRowSelected(row, true);
        }
    }
    Record RowRecord(int kind, int row) {
        Record r;
        if (row >= lists_[kind].RowCount() || !db_.RowRecord(kind, row, r))
            throw Refused(std::string(KindName(kind)) + " row " + std::to_string(row) +
                          " does not exist");
        return r;
    }

    DatabaseEngine& db_;
    MemoryListControl lists_[5];
};

struct EditArguments {
    std::vector<std::string> args;  // IN OUT OP...
    bool force = false;
};

int Edit(const EditArguments& a, const CommonOptions& common) {
    const std::vector<std::string>& args = a.args;
    auto file = OpenDatabase(args[0], common);
    if (!file || !MayWriteLoaded(*file, common, a.force)) return 1;
    Editor editor(file->db());
    size_t i = 2;
    for (int operation = 1; i < args.size(); ++operation) {
        const size_t start = i;
        try {
            i = editor.Apply(args, i);
        } catch (const Refused& e) {
            return Fail("operation " + std::to_string(operation) + " (" + args[start] +
                        ") refused: " + e.what() + "; nothing was written");
        }
    }
    return SaveDatabase(*file, args[1]) ? 0 : 1;
}

}  // namespace

void RegisterEditCommand(CLI::App& app, CommonOptions& common) {
    auto* sub = app.add_subcommand("edit", "Apply list-window operations and save the result");
    AddCommonOptions(*sub, common);
    auto a = std::make_shared<EditArguments>();
    sub->add_option("IN OUT OP", a->args, "input file, output file, operations")
        ->required()
        ->expected(3, CLI::detail::expected_max_vector_size);
    AddForceOption(*sub, a->force);
    sub->footer(
        "Operations (ROWS: 3,4,7 or 3-5; rows as the first column of `dump`, from 0):\n"
        "  sort KIND ORDER [asc|desc]       ORDER 1-4 or original|name|longitude|\n"
        "                                   satellites|frequency|scramble|lock;\n"
        "                                   without asc|desc a repeated order reverses\n"
        "  delete KIND ROWS\n"
        "  move KIND ROWS after|before ROW\n"
        "  reparent transponders ROWS SATROW | reparent tv|radio ROWS TPROW\n"
        "  favorite tv|radio ROWS GROUP on|off\n"
        "  rename KIND ROW TEXT\n"
        "  undo | redo                      the last change, or the last undone one\n"
        "Favourite groups cannot be sorted, moved or deleted. Put -- before operations\n"
        "whose texts begin with \"-\".");
    sub->callback([&common, a] { ExitCode() = Edit(*a, common); });
}

}  // namespace brondavel::cli
