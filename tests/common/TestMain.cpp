// Main of every test executable: a child mode when asked for one, else GoogleTest.
#include "common/TestSupport.h"

#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv)
{
    int exitCode = 0;
    if (DispatchChild(argc, argv, exitCode)) return exitCode;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
