// Choosing an icon file for a page: the open-file dialog, shown again until a picture is taken.
#pragma once

#include "traycontrol/pages/open_file_dialog.h"
#include "traycontrol/pages/page_message_boxes.h"
#include "traycontrol/pages/picture_files.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace norvane::pages {

inline constexpr std::string_view kIconFilter = "Pictures (*.ico)|*.ico";
inline constexpr int kIconFilterIndex = 1;
// File must exist, read-only box hidden, current folder left alone, long names.
inline constexpr std::uint32_t kIconDialogFlags = 0x20100C;
inline constexpr std::string_view kOpenImageFileTitle = "Open Image File...";
// "Open Image File No.: " + n + " ..."
std::string openImageFileNoTitle(int n);
// A file that is no readable picture: "<path>" + CR LF + CR LF + this + the cause.
inline constexpr std::string_view kPictureUnreadableText = "This file could not be loaded: ";

class IconFileChooser {
public:
    IconFileChooser(OpenFileDialog& CommonDialog1, PictureFiles& files, PageMessageBoxes& boxes,
                    std::string initialFolder)
        : dialog_(CommonDialog1), files_(files), boxes_(boxes),
          initialFolder_(std::move(initialFolder)) {}

    // Frame n of an animation: any picture that passes the size check. Nothing when cancelled.
    std::optional<PictureRef> chooseFrame(int n);
    // A single picture: it must also be 16 or 32 pixels high, which the tray shows unscaled.
    std::optional<PictureRef> chooseSingle();

    // Where the dialog starts: the component's folder, then the folder of the last chosen file.
    const std::string& initialFolder() const { return initialFolder_; }

private:
    std::optional<PictureRef> choose(const std::string& title, bool single);

    OpenFileDialog& dialog_;
    PictureFiles& files_;
    PageMessageBoxes& boxes_;
    std::string initialFolder_;
};

} // namespace norvane::pages
