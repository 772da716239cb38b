// ChildProcess: runs a block of test code in a child process of its own, for
// state a process decides once (the replay-sync answer). The block runs as a
// death test that must end with status 0; CHILD_CHECK(condition) ends the
// child with status 1 and the failed condition on standard error, which the
// test's report shows.
//
//   EXPECT_IN_CHILD({
//     CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 1);
//   });
//
// Threading: the test's thread. On POSIX systems the child is forked ("fast"
// style), so it inherits the parent's state as it is when the block starts;
// on Windows the child is the test program run again up to the block, so a
// test whose parent reads what the child wrote names its files the same way
// in both (TestTempDir of a fixed name).
#ifndef ChildProcess_h
#define ChildProcess_h

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void ChildFail(const char* condition) {
  std::fprintf(stderr, "failed: %s\n", condition);
  std::exit(1);
}

#define CHILD_CHECK(condition) \
  if (!(condition)) ChildFail(#condition)

#define EXPECT_IN_CHILD(block)                                                   \
  do {                                                                           \
    GTEST_FLAG_SET(death_test_style, "fast");                                    \
    EXPECT_EXIT(                                                                 \
        {                                                                        \
          block;                                                                 \
          std::exit(0);                                                          \
        },                                                                       \
        ::testing::ExitedWithCode(0), "");                                       \
  } while (0)

#endif
