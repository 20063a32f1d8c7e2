// Splitting and joining native paths: the program folder, the drive root, non-ASCII names.
#include "reminder/store/file_path.h"

#include <gtest/gtest.h>

namespace davrin::store {
namespace {

TEST(FilePath, ParentAndRootKeepTheSeparatorThatMakesARoot) {
    const struct {
        const FilePath::Char* path;
        const FilePath::Char* parent;
        const FilePath::Char* root;
    } cases[] = {
#ifdef _WIN32
        {L"C:\\Programs\\Davrin\\KELVOR.exe", L"C:\\Programs\\Davrin", L"C:\\"},
        {L"d:/KELVOR.exe", L"d:\\", L"d:\\"},
        {L"\\\\server\\share\\Davrin\\KELVOR.exe", L"\\\\server\\share\\Davrin",
         L"\\\\server\\share\\"},
        {L"\\\\server\\share", L"\\\\server\\share\\", L"\\\\server\\share\\"},
        {L"KELVOR.exe", L"", L""},
#else
        {"/opt/davrin/KELVOR", "/opt/davrin", "/"},
        {"/KELVOR", "/", "/"},
        {"KELVOR", "", ""},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(FilePath(c.path).utf8());
        EXPECT_EQ(FilePath(c.path).parent(), FilePath(c.parent));
        EXPECT_EQ(FilePath(c.path).root(), FilePath(c.root));
    }
}

TEST(FilePath, JoinsNamesAsUtf8AndGivesThemBackAsUtf8) {
    const std::string name = "\xC3\x84 \xE4\xB8\xAD.db"; // "Ä 中.db"
#ifdef _WIN32
    EXPECT_EQ((FilePath(L"C:\\Davrin") / name).native(), L"C:\\Davrin\\\u00C4 \u4E2D.db");
    EXPECT_EQ((FilePath(L"C:\\") / name).utf8(), "C:\\" + name);
#else
    EXPECT_EQ((FilePath("/opt/davrin") / name).native(), "/opt/davrin/" + name);
    EXPECT_EQ((FilePath("/") / name).utf8(), "/" + name);
#endif
    EXPECT_EQ(FilePath::fromUtf8(name).utf8(), name);
}

} // namespace
} // namespace davrin::store
