// Fixtures holding a database and a list control of each kind.
#pragma once

#include <gtest/gtest.h>

#include "tests/model/test_builders.h"

namespace brondavel::test {

template <typename Database>
class WithLists : public ::testing::Test {
  protected:
    void RefreshAll() {
        for (int kind = 0; kind < 5; ++kind) db.Refresh(kind, &lists[kind]);
    }
    ListControls Controls() { return {&lists[0], &lists[1], &lists[2], &lists[3]}; }
    // The names the list control of `kind` shows.
    Strings Rows(int kind) { return Column(lists[kind], kind >= kTv ? 2 : 1); }

    Database db;
    MemoryListControl lists[5];
};

// FillSmall with every list shown.
class SmallDatabase : public WithLists<FirstGenDatabase> {
  protected:
    void SetUp() override {
        db.LoadImage(std::vector<uint8_t>(FirstGenImage::kSize, 0));
        FillSmall(db);
        RefreshAll();
    }
};

}  // namespace brondavel::test
