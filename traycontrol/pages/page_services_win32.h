// The platform's side of the pages' services: locale numbers, the open-file dialog, icon files.
#pragma once

#include "traycontrol/pages/locale_numbers.h"
#include "traycontrol/pages/open_file_dialog.h"
#include "traycontrol/pages/picture_files.h"

#include <windows.h>

namespace norvane::pages {

// Numbers as automation converts them in the user's locale.
class UserLocaleNumbers final : public LocaleNumbers {
public:
    std::optional<double> read(std::string_view text) const override;
    std::string write(double value) const override;
};

class CommonOpenFileDialog final : public OpenFileDialog {
public:
    explicit CommonOpenFileDialog(HWND owner) : owner_(owner) {}
    std::optional<std::string> ShowOpen(const OpenFileRequest& request) override;

private:
    HWND owner_;
};

// Icon files read as picture objects, measured in pixels.
class OlePictureFiles final : public PictureFiles {
public:
    LoadedPicture load(const std::string& path) override;
};

} // namespace norvane::pages
