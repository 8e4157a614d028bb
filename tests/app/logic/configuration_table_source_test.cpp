// The table source the configuration chooses: which choices it refuses, and
// which satellites a satellites.xml source gives for a position.
#include "app/logic/configuration_table_source.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/temp_files.h"

namespace brondavel::app {
namespace {

using ::testing::HasSubstr;

// A satellites.xml with one satellite at 6.9W and one at 7.2W.
struct TableSourceFile : ::testing::Test {
    TableSourceFile() {
        std::ofstream(dir / "satellites.xml") << R"(<satellites>
  <sat name="Near" position="-69">
    <transponder frequency="11747000" symbol_rate="27500000" polarization="1" fec_inner="3" system="0"/>
  </sat>
  <sat name="Far" position="-72">
    <transponder frequency="11766000" symbol_rate="27500000" polarization="0" fec_inner="3" system="0"/>
  </sat>
</satellites>)";
    }
    testsupport::TempDir dir;
    const TableSource source{kTableSourceXmlFile, dir / "satellites.xml"};
    std::string error;
};

TEST_F(TableSourceFile, AFileChoiceNeedsAReadableFile) {
    struct Case {
        TableSource source;
        const char* problem;  // part of the message; null when accepted
    };
    const Case cases[] = {
        {{kTableSourceInstalled, dir / "gone.xml"}, nullptr},  // kept, not used
        {{kTableSourceXmlFile, dir / "satellites.xml"}, nullptr},
        {{kTableSourceXmlFile, ""}, "Choose the satellites.xml file"},
        {{kTableSourceXmlFile, dir / "gone.xml"}, "does not exist"},
        {{kTableSourceXmlFile, dir.path.string()}, "is not a file"},
    };
    for (const Case& c : cases) {
        const std::string problem = TableSourceProblem(c.source);
        EXPECT_EQ(problem.empty(), !c.problem) << c.source.path << problem;
        EXPECT_THAT(problem, HasSubstr(c.problem ? c.problem : ""));
    }
    EXPECT_EQ(StoredTableSource(7, "x").kind, kTableSourceInstalled);
}

TEST_F(TableSourceFile, AFileGivesItsSatellitesAtThePosition) {
    const std::vector<TransponderTable> at = SourceTablesAt(source, -70, error);
    ASSERT_EQ(at.size(), 1u) << error;
    EXPECT_EQ(at[0].name, "Near");
    EXPECT_TRUE(SourceTablesAt(source, 192, error).empty());
    EXPECT_EQ(error, "");
    EXPECT_EQ(NothingAtText(source, 192), "\"" + source.path + "\" has no satellite at 19.2E.");
    // A file gone since it was chosen is an error, not an empty source.
    EXPECT_TRUE(SourceTablesAt({kTableSourceXmlFile, dir / "gone.xml"}, -70, error).empty());
    EXPECT_NE(error, "");
}

// New from table lists what a source offers: the installed tables (read
// only when picked) or the satellites of one file.
TEST_F(TableSourceFile, TheCatalogueListsAndReadsEitherSource) {
    TableCatalogue catalogue;
    ASSERT_TRUE(catalogue.Open(source, error)) << error;
    ASSERT_EQ(catalogue.size(), 2u);
    EXPECT_EQ(catalogue.Label(1), "Far (7.2W)");
    TransponderTable table;
    ASSERT_TRUE(catalogue.Read(0, table, error));
    EXPECT_EQ(table.transponders.size(), 1u);
    EXPECT_FALSE(catalogue.Read(2, table, error));

    EXPECT_FALSE(catalogue.Open({kTableSourceInstalled, ""}, error, dir.path.string()));
    EXPECT_THAT(error, HasSubstr("No table is installed"));
    ASSERT_TRUE(catalogue.Open({kTableSourceInstalled, ""}, error)) << error;
    ASSERT_GT(catalogue.size(), 10u);
    ASSERT_TRUE(catalogue.Read(0, table, error)) << catalogue.Label(0) << error;
    EXPECT_FALSE(table.transponders.empty());
    const std::vector<TransponderTable> nilesat =
        SourceTablesAt({kTableSourceInstalled, ""}, -70, error);
    EXPECT_FALSE(nilesat.empty()) << error;
}

}  // namespace
}  // namespace brondavel::app
