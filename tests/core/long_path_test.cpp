#include <gtest/gtest.h>

#include "util/long_path.h"

namespace klaxora {
namespace {

TEST(LongPath, OnlyFullPathsAtTheLimitTakeTheExtendedForm) {
    const std::wstring deep(255, L'a');  // after "C:\x\", exactly at the limit
    for (const auto& [path, expected] :
         std::initializer_list<std::pair<std::wstring, std::wstring>>{
             {L"C:\\x\\" + deep.substr(1), L"C:\\x\\" + deep.substr(1)},  // one short of it
             {L"C:\\x\\" + deep, L"\\\\?\\C:\\x\\" + deep},
             {L"d:/x/" + deep, L"\\\\?\\d:\\x\\" + deep},
             {L"\\\\serwer\\dział\\" + deep, L"\\\\?\\UNC\\serwer\\dział\\" + deep},
             {L"\\\\?\\C:\\" + deep, L"\\\\?\\C:\\" + deep},
             {L"\\\\.\\pipe\\" + deep, L"\\\\.\\pipe\\" + deep},
             {L"C:" + deep, L"C:" + deep},  // relative to the drive's folder
         }) {
        EXPECT_EQ(ExtendedLengthPath(path), expected) << path.size();
    }
}

}  // namespace
}  // namespace klaxora
