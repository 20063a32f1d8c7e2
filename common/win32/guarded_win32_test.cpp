// Tests of the barrier at the platform's entry points: what may escape it and what it answers.
#include "common/win32/guarded.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace win32 {
namespace {

TEST(Guarded, AnswersTheCallsCodeOrTheFailureOfWhatItThrew) {
    EXPECT_EQ(guarded([] {}), S_OK);
    EXPECT_EQ(guarded([] { return S_FALSE; }), S_FALSE);
    EXPECT_EQ(guarded([]() -> HRESULT { throw std::bad_alloc(); }), E_OUTOFMEMORY);
    EXPECT_EQ(guarded([] { throw std::runtime_error("broken"); }), E_FAIL);
    EXPECT_EQ(guarded([] { throw 7; }, E_UNEXPECTED), E_UNEXPECTED);
}

} // namespace
} // namespace win32
