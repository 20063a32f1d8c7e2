// A path's UTF-16 form to and from UTF-8, through the Win32 layer's one pair of converters.
#include "reminder/store/file_path.h"

#include "reminder/ui/text_win32.h"

namespace davrin::store {

FilePath::String FilePath::toNative(std::string_view utf8) {
    return ui::toWide(utf8);
}

std::string FilePath::utf8() const {
    return ui::toUtf8(native_);
}

} // namespace davrin::store
