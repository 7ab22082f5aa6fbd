// The entry point of every test program.
//
// Under Wine a test program that had drawn into windows was once seen not to
// end after main returned: its tests had passed and printed their result, and
// the process was still there a minute later, when ctest gave up on it. The
// results are complete once RUN_ALL_TESTS returns, so the program ends itself
// there, without the library teardown of a normal exit.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::fflush(stdout);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
