// The field table is the one list every part of the program walks: a row that is incomplete
// or collides with another would show, save or parse the wrong field.
#include "FieldTable.h"
#include "FieldFrame.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(FieldTable, EveryFieldHasOneRowOneFrameAndOneOption) {
    std::set<std::string> names, frames, options;
    std::set<int> saveSteps;
    int texts = 0;
    for (const FieldTable::Row& row : FieldTable::kRows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(names.insert(row.name).second);
        EXPECT_TRUE(frames.insert(row.frame).second);
        EXPECT_TRUE(options.insert(row.option).second);
        EXPECT_TRUE(saveSteps.insert(row.saveStep).second);
        EXPECT_NE(FieldFrame::IdOf(row), ID3FID_NOFRAME) << "a frame id3lib knows";
        if (row.text != nullptr) {
            ++texts;
            EXPECT_GT(row.limit, 0);
            EXPECT_EQ(&FieldTable::RowOf(row.text), &row);
        }
    }
    TagFields fields;
    EXPECT_EQ(static_cast<std::size_t>(texts) * sizeof(std::string), sizeof fields)
        << "every text of the form is a row of the table";
}

} // namespace
