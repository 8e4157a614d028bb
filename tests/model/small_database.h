// A fixture over FillSmall with every list shown.
#pragma once

#include <gtest/gtest.h>

#include "tests/model/test_builders.h"

namespace brondavel::test {

class SmallDatabase : public ::testing::Test {
  protected:
    void SetUp() override {
        db.LoadImage(std::vector<uint8_t>(FirstGenImage::kSize, 0));
        FillSmall(db);
        RefreshAll();
    }
    void RefreshAll() {
        for (int kind = 0; kind < 5; ++kind) db.Refresh(kind, &lists[kind]);
    }
    ListControls Controls() { return {&lists[0], &lists[1], &lists[2], &lists[3]}; }
    // The names the list control of `kind` shows.
    Strings Rows(int kind) { return Column(lists[kind], kind >= kTv ? 2 : 1); }

    FirstGenDatabase db;
    MemoryListControl lists[5];
};

}  // namespace brondavel::test
