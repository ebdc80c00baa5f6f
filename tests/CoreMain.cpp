#include <gtest/gtest.h>

// The data layer's tests: no application object, no widgets, as the layer itself.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
