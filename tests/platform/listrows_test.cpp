// A list with a fixed row step keeps its rows beside the controls laid out
// at that step, whatever the font's own line height.
#include <gtest/gtest.h>

#include "platform/Controls.h"

TEST(ListRows, AFixedStepPlacesEveryRow) {
    OverrideTwipsPerPixel(15, 15);
    for (int columns : {0, 2}) {
        ListBox l(nullptr, "List1");
        l.setColumns(columns);
        l.resize(300, 400);
        l.setRowHeight(241);  // 16 pixels
        for (int i = 0; i < 19; ++i) l.AddItem("row " + std::to_string(i));
        l.show();
        for (int i : {0, 1, 9, 18}) {
            const QRect r = l.visualItemRect(l.item(i));
            EXPECT_EQ(r.top(), (columns == 2 ? i % 24 : i) * 16) << columns << " row " << i;
        }
    }
    OverrideTwipsPerPixel(0, 0);
}
