#include "catalogue/t_array.h"

#include <gtest/gtest.h>

namespace {

struct counted : object_with_destructor {
    explicit counted(int& destroyed) : destroyed_(destroyed) {}
    ~counted() override { ++destroyed_; }
    int& destroyed_;
};

TEST(GenericArray, GrowsByTwentyKeepsOrderAndOwnsItsElements) {
    int destroyed = 0;
    {
        t_array<counted> items;
        EXPECT_EQ(items.capacity(), 0);
        EXPECT_EQ(items.at(0), nullptr);
        std::vector<counted*> added;
        for (int i = 0; i < 21; ++i)
            added.push_back(items.append(std::make_unique<counted>(destroyed)));
        EXPECT_EQ(items.count(), 21);
        EXPECT_EQ(items.capacity(), 40);
        for (int i = 0; i < 21; ++i)
            EXPECT_EQ(items.at(i), added[static_cast<std::size_t>(i)]);
        EXPECT_EQ(items.at(21), nullptr);
        EXPECT_EQ(items.at(-1), nullptr);

        items.clear();
        EXPECT_EQ(destroyed, 21);
        EXPECT_EQ(items.count(), 0);
        EXPECT_EQ(items.capacity(), 40);
        EXPECT_EQ(items.at(0), nullptr);

        items.append(std::make_unique<counted>(destroyed));
        items.append(std::make_unique<counted>(destroyed));
    }
    EXPECT_EQ(destroyed, 23);
}

} // namespace
