// The open-file dialog's set-up and the loop that ends when a picture is taken or cancelled.
#include "traycontrol/pages/icon_file_chooser.h"

#include "traycontrol/pages/icon_size_check.h"

#include <exception>

namespace norvane::pages {

std::string openImageFileNoTitle(int n) {
    return "Open Image File No.: " + std::to_string(n) + " ...";
}

std::optional<PictureRef> IconFileChooser::chooseFrame(int n) {
    return choose(openImageFileNoTitle(n), false);
}

std::optional<PictureRef> IconFileChooser::chooseSingle() {
    return choose(std::string(kOpenImageFileTitle), true);
}

std::optional<PictureRef> IconFileChooser::choose(const std::string& title, bool single) {
    const std::string breakLine(kCrLf);
    for (;;) {
        OpenFileRequest request{
            title, std::string(kIconFilter), kIconFilterIndex, kIconDialogFlags, initialFolder_,
            ""};
        if (!request.InitDir.ends_with('\\'))
            request.InitDir += '\\';
        const std::optional<std::string> path = dialog_.ShowOpen(request);
        if (!path)
            return std::nullopt;
        LoadedPicture loaded;
        try {
            loaded = files_.load(*path);
        } catch (const std::exception& e) {
            boxes_.show(*path + breakLine + breakLine + std::string(kPictureUnreadableText) +
                            e.what(),
                        MessageButtons::Ok, MessageIcon::Exclamation);
            continue;
        }
        if (!passesSizeCheck(loaded.width, loaded.height, boxes_))
            continue;
        if (single && loaded.height != 16 && loaded.height != 32)
            continue;
        const auto slash = path->find_last_of("\\/");
        initialFolder_ = slash == std::string::npos ? std::string() : path->substr(0, slash);
        return loaded.picture;
    }
}

} // namespace norvane::pages
