#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "cli/CliStore.h"

namespace {

// Beside this program in the build, in lib/quillet of the installation.
std::filesystem::path storeProgramPath() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path directory = self.parent_path();
    const std::filesystem::path beside = directory / "quillet-cli-store";
    if (std::filesystem::exists(beside, error)) return beside;
    return directory.parent_path() / "lib" / "quillet" / "quillet-cli-store";
}

}  // namespace

std::unique_ptr<CliStore> openCliStore(const std::string&, char** argv, std::string* problem, CliStoreUse) {
    const std::filesystem::path program = storeProgramPath();
    execv(program.c_str(), argv);
    *problem = "cannot start " + program.string() + ": " + std::strerror(errno);
    return nullptr;
}
