// The barrier at every entry from the platform: no exception unwinds through the platform's frames.
#pragma once

#include <windows.h>

#include <new>
#include <type_traits>

namespace win32 {

// Runs `f` (answering an HRESULT, or nothing for S_OK) and turns what it throws into a failure
// code: E_OUTOFMEMORY for an exhausted heap, `otherwise` for anything else. Use it in every
// window procedure and COM entry point.
template <typename F> HRESULT guarded(F&& f, HRESULT otherwise = E_FAIL) noexcept {
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<F&>>) {
            f();
            return S_OK;
        } else {
            return f();
        }
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return otherwise;
    }
}

} // namespace win32
