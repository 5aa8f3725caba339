#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "app/win32/pictures.h"
#include "engine/game.h"
#include "system/failure.h"
#include "system/wide.h"

namespace barmen::win32 {
namespace {

// Started from another folder than its own (a shortcut without its start
// folder, a click in a file manager that keeps its own), the game finds no
// picture. The player must learn where it looked, written as Windows writes
// folders, or "배경1.jpg is missing" is all there is to go on.
TEST(StartedElsewhere, theMessageNamesTheFolderTheGameLookedIn)
{
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
    const std::wstring folder = std::wstring(temp) + L"바르멘 밖 " + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    wchar_t before[MAX_PATH + 1] = {};
    GetCurrentDirectoryW(MAX_PATH + 1, before);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));
    Win32PictureSource source;
    const PictureLoad load = source.load("배경1.jpg");
    SetCurrentDirectoryW(before);
    RemoveDirectoryW(folder.c_str());

    ASSERT_FALSE(load.picture);
    EXPECT_EQ(load.problem.kind, Failure::NotInFolder);
    const std::string shown = "\"" + system::narrow(folder) + "\"";
    StepResult result;
    result.kind = StepResult::Kind::PictureFailed;
    result.file = "배경1.jpg";
    result.problem = load.problem;
    result.picture = load.detail;
    const std::string message = system::messageFor(result);
    EXPECT_EQ(message.rfind("그림 파일 \"배경1.jpg\"를 보여 줄 수 없습니다.\n", 0), 0u) << message;
    EXPECT_NE(message.find(shown), std::string::npos) << message;
}

} // namespace
} // namespace barmen::win32
