#pragma once
// The about box's update check: which version the maker publishes, where to download it, and
// whether it is newer than ours. The version file comes from the network, so everything read
// from it is treated as untrusted: addresses are opened only when they are plain web
// addresses, and a malformed file simply offers nothing.
#include <optional>
#include <string>
#include <string_view>

namespace klaxora {

// The maker's folder holding the version file, and the file's name within it.
inline constexpr std::wstring_view kUpdateBaseAddress = L"https://www.vantrelix.pl/klaxora/";
inline constexpr std::wstring_view kVersionFileName = L"version.ini";
// The home page shown when the version file names none (or none we would open).
inline constexpr std::wstring_view kBuiltInHomePage = L"https://www.vantrelix.pl/";

// The version file is small; anything larger is not ours and is dropped unread.
inline constexpr size_t kMaxVersionFileBytes = 64 * 1024;

namespace version_file {
inline constexpr std::wstring_view kMakerSection = L"dane";
inline constexpr std::wstring_view kHomePageKey = L"VantrelixHomePage";
inline constexpr std::wstring_view kProgramSection = L"Klaxora";
inline constexpr std::wstring_view kVersionKey = L"version";
inline constexpr std::wstring_view kUrlKey = L"url";
inline constexpr std::wstring_view kNewKey = L"new";
}  // namespace version_file

// What the check learnt, held for the run.
struct UpdateInfo {
    std::wstring publishedVersion = L"1.0.0.0";
    std::wstring downloadAddress;  // opened by the update button; empty: no button
    std::wstring description;      // the update button's hint
    std::wstring homePage = std::wstring(kBuiltInHomePage);
    bool checked = false;  // the check has run in this process
};

// Published against current, both "major.minor.release.build". Each is split at "." into
// four parts (the fourth is everything after the third "."); any part that is not a 32-bit
// integer makes the answer false. The first differing part decides; equal is not newer.
bool IsNewerVersion(std::wstring_view published, std::wstring_view current);

// Only http:// and https:// addresses with a host, made of printable ASCII without spaces,
// quotes, backslashes or angle brackets, are ever shown and handed to the shell. Anything else
// ("file:", a program path, a UNC path, "javascript:", a right-to-left override) is not.
bool IsWebAddress(std::wstring_view address);

// The address of the version file: the tests' base when it is a web address, otherwise the
// maker's, followed by the file name.
std::wstring VersionFileAddress(std::optional<std::wstring_view> baseOverride);

// A value of an INI text as the system's profile reader finds it: section and key names
// compared without regard to letter case, the first match wins, spaces around names and values
// dropped, one pair of surrounding quotes removed. Nothing when the section or key is absent.
std::optional<std::wstring> IniValue(std::wstring_view text, std::wstring_view section,
                                     std::wstring_view key);
bool IniHasSection(std::wstring_view text, std::wstring_view section);

// Applies a downloaded version file (nothing: the download failed) to what is held for the
// run. No file or no "dane" section: the built-in home page. No file or no "Klaxora" section:
// no download address and no description. A key that is absent, or an address that is not a
// web address, keeps the value held before.
void ApplyVersionFile(UpdateInfo& info, const std::optional<std::wstring>& file);

// The update button is offered when the published version is newer and there is an address.
bool OffersUpdate(const UpdateInfo& info, std::wstring_view programVersion);

}  // namespace klaxora
