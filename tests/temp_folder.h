#pragma once
// A fresh folder under the temporary folder for one test, removed with everything in it.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace klaxora::testing {

class TempFolder {
  public:
    TempFolder() {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH, temp);
        static int counter = 0;
        do {
            path_ = std::wstring(temp) + L"klaxora-test-" + std::to_wstring(GetCurrentProcessId()) +
                    L"-" + std::to_wstring(++counter) + L"\\";
        } while (!CreateDirectoryW(path_.c_str(), nullptr));
    }
    ~TempFolder() {
        // SHFileOperation wants a double-terminated list and no trailing backslash.
        std::wstring from = path_.substr(0, path_.size() - 1);
        from.push_back(L'\0');
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NO_UI;
        SHFileOperationW(&op);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return path_; }  // with a trailing backslash
    std::wstring Text() const { return path_.substr(0, path_.size() - 1); }  // without it

  private:
    std::wstring path_;
};

}  // namespace klaxora::testing
