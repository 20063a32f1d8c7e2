// The open-file dialog (CommonDialog1) the icon page loads icon files with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace norvane::pages {

struct OpenFileRequest {
    std::string DialogTitle;
    std::string Filter; // "Description|pattern" pairs; the platform side turns "|" into NULs
    int FilterIndex = 0;
    std::uint32_t Flags = 0; // OPENFILENAME flags, as the platform defines them
    std::string InitDir;
    std::string FileName;
};

class OpenFileDialog {
public:
    virtual ~OpenFileDialog() = default;
    // The chosen path, or nothing when the designer cancelled.
    virtual std::optional<std::string> ShowOpen(const OpenFileRequest& request) = 0;
};

} // namespace norvane::pages
