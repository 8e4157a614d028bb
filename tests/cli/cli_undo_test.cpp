// `edit ... undo` and `redo`: a change undone saves the bytes it started
// from, redone the bytes it made; with nothing to go back to, nothing is written.
#include <gtest/gtest.h>

#include "tests/cli/cli_runner.h"

namespace {

using namespace clitest;
namespace fs = std::filesystem;

class CliUndo : public CliTest {
  protected:
    void Edit(const std::string& out, const std::string& ops) {
        const Result r = Cli("edit demo.ZCS " + out + " " + ops);
        ASSERT_EQ(r.code, 0) << ops << ": " << r.err;
    }
};

TEST_F(CliUndo, UndoGoesBackToTheInputAndRedoForwardToTheChange) {
    const std::string changes[] = {"delete satellites 1", "move tv 3-5 before 0",
                                   "rename tv 4 Renamed"};
    for (const std::string& change : changes) {
        SCOPED_TRACE(change);
        Edit("changed.ZCS", change);
        ASSERT_NE(Bytes("changed.ZCS"), Bytes("demo.ZCS"));
        Edit("undone.ZCS", change + " undo");
        EXPECT_EQ(Bytes("undone.ZCS"), Bytes("demo.ZCS"));
        Edit("redone.ZCS", change + " undo redo");
        EXPECT_EQ(Bytes("redone.ZCS"), Bytes("changed.ZCS"));
    }
    // Steps undo one at a time, newest first.
    Edit("first.ZCS", "sort tv name asc");
    Edit("two.ZCS", "sort tv name asc rename tv 0 Other undo");
    EXPECT_EQ(Bytes("two.ZCS"), Bytes("first.ZCS"));
}

TEST_F(CliUndo, NothingToUndoOrRedoIsRefusedAndWritesNothing) {
    const std::string edit = "edit demo.ZCS never.ZCS ";
    ExpectRefusals({
        {edit + "undo", 1, "nothing to undo"},
        {edit + "sort tv name undo undo", 1, "nothing to undo"},
        {edit + "redo", 1, "nothing to redo"},
        {edit + "sort tv name undo redo redo", 1, "nothing to redo"},
        // A new change after an undo drops what could be redone.
        {edit + "sort tv name undo rename tv 0 X redo", 1, "nothing to redo"},
    });
    EXPECT_FALSE(fs::exists(P("never.ZCS")));
}

}  // namespace
