// A property bag in memory, filled from and written to the design host's bag file.
#pragma once

#include "common/win32/com_object.h"
#include "traycontrol/design/property_bag_file.h"

#include <ocidl.h>

namespace norvane::design {

class MemoryPropertyBag final : public win32::ComObject<IPropertyBag> {
public:
    explicit MemoryPropertyBag(std::vector<BagEntry> entries = {}) : entries_(std::move(entries)) {}

    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

    const std::vector<BagEntry>& entries() const { return entries_; }

private:
    void* interfaceFor(REFIID riid) override {
        return riid == IID_IPropertyBag ? static_cast<IPropertyBag*>(this) : nullptr;
    }
    std::vector<BagEntry> entries_;
};

} // namespace norvane::design
