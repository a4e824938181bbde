// The update check's version file as the network could deliver it: any text, applied over
// what the run already holds. Only web addresses ever reach the shell, a file without the
// program's section offers no download, and the version comparison is a strict order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "dialogs/update_check.h"
#include "fuzz/fuzz_input.h"

namespace {

using namespace klaxora;

void Require(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzReader in(data, size);
    const uint8_t shape = in.Byte();
    const std::wstring ours = in.Text(24);
    std::optional<std::wstring> file;
    if (!(shape & 1))
        file = in.RestAsText();
    if (file && file->size() > kMaxVersionFileBytes)
        return 0;

    UpdateInfo info;
    if (shape & 2) {  // a check earlier in the run left an offer
        info.downloadAddress = L"https://www.vantrelix.pl/klaxora/setup.exe";
        info.description = L"Nowa wersja";
    }
    ApplyVersionFile(info, file);
    Require(IsWebAddress(info.homePage));
    Require(info.downloadAddress.empty() || IsWebAddress(info.downloadAddress));
    if (!file || !IniHasSection(*file, version_file::kProgramSection))
        Require(info.downloadAddress.empty() && info.description.empty());
    // Applying the same file again changes nothing.
    UpdateInfo again = info;
    ApplyVersionFile(again, file);
    Require(again.homePage == info.homePage && again.downloadAddress == info.downloadAddress &&
            again.publishedVersion == info.publishedVersion &&
            again.description == info.description);

    if (OffersUpdate(info, ours))
        Require(IsNewerVersion(info.publishedVersion, ours) && !info.downloadAddress.empty());
    Require(!IsNewerVersion(ours, ours));
    Require(!(IsNewerVersion(info.publishedVersion, ours) &&
              IsNewerVersion(ours, info.publishedVersion)));

    Require(VersionFileAddress(ours).ends_with(kVersionFileName));
    Require(IsWebAddress(VersionFileAddress(ours)));
    return 0;
}
