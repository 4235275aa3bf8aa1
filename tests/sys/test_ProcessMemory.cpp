#include "platform/sys/ProcessMemory.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

namespace {

constexpr SIZE_T kAllBits = ~SIZE_T{0};

TEST(ProcessMemory, HandlesExistOnlyForTheOwnProcessAndCloseOnce) {
    const HANDLE own = OpenProcess(PROCESS_ALL_ACCESS, FALSE, GetCurrentProcessId());
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(SetProcessWorkingSetSize(own, 1 << 20, 4 << 20), TRUE);
    EXPECT_EQ(CloseHandle(own), TRUE);
    EXPECT_EQ(CloseHandle(own), FALSE);

    EXPECT_EQ(OpenProcess(PROCESS_ALL_ACCESS, FALSE, GetCurrentProcessId() + 1), nullptr);
    EXPECT_EQ(SetProcessWorkingSetSize(nullptr, kAllBits, kAllBits), FALSE);
    EXPECT_EQ(CloseHandle(nullptr), FALSE);

    // Changing the working set needs the quota right.
    const HANDLE readOnly = OpenProcess(0, FALSE, GetCurrentProcessId());
    EXPECT_EQ(SetProcessWorkingSetSize(readOnly, kAllBits, kAllBits), FALSE);
    EXPECT_EQ(CloseHandle(readOnly), TRUE);
}

SIZE_T residentBytes() {
    std::ifstream statm("/proc/self/statm");
    SIZE_T sizePages = 0, residentPages = 0;
    statm >> sizePages >> residentPages;
    return residentPages * static_cast<SIZE_T>(::sysconf(_SC_PAGESIZE));
}

// The heap keeps freed blocks for reuse; only the trim hands them back. A block allocated after the
// freed ones keeps the heap from shrinking on its own, as in a program that goes on running.
TEST(ProcessMemory, TrimGivesFreedHeapBackToTheSystem) {
    constexpr SIZE_T kBlock = 256;
    constexpr SIZE_T kBlocks = 256 * 1024; // 64 MiB in small blocks
    constexpr SIZE_T kTotal = kBlock * kBlocks;

    std::vector<std::unique_ptr<char[]>> blocks;
    blocks.reserve(kBlocks);
    const SIZE_T baseline = residentBytes();
    for (SIZE_T i = 0; i < kBlocks; ++i) {
        blocks.push_back(std::make_unique<char[]>(kBlock));
        std::memset(blocks.back().get(), 0x5A, kBlock);
    }
    const auto pin = std::make_unique<char[]>(kBlock);
    ASSERT_GT(residentBytes(), baseline + kTotal / 2) << "the blocks never became resident";

    blocks.clear();
    const SIZE_T beforeTrim = residentBytes();
    ASSERT_GT(beforeTrim, baseline + kTotal / 2) << "freeing alone already gave the memory back";

    const HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, GetCurrentProcessId());
    EXPECT_EQ(SetProcessWorkingSetSize(process, kAllBits, kAllBits), TRUE);
    CloseHandle(process);

    const SIZE_T afterTrim = residentBytes();
    EXPECT_LT(afterTrim + kTotal / 2, beforeTrim)
        << "resident before trim " << beforeTrim << ", after " << afterTrim;
}

} // namespace
