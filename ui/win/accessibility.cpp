#include "ui/win/accessibility.h"

#include <objbase.h>
#include <oleacc.h>

namespace quill::ui {

namespace {

// Written out here, so nothing has to come from a library that older
// systems' SDKs lack.
constexpr CLSID kAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIAccPropServices = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
// UI Automation's LiveSetting property, set through the annotation services.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;
constexpr DWORD kLiveRegionChanged = 0x8019; // EVENT_OBJECT_LIVEREGIONCHANGED

} // namespace

bool MarkLiveRegion(HWND line) {
    IAccPropServices* services = nullptr;
    if (FAILED(::CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                  kIAccPropServices, reinterpret_cast<void**>(&services))) ||
        !services) {
        return false;
    }
    VARIANT polite;
    ::VariantInit(&polite);
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    const HRESULT set = services->SetHwndProp(line, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                              kLiveSettingProperty, polite);
    services->Release();
    return SUCCEEDED(set);
}

void AnnounceLiveRegion(HWND line) {
    ::NotifyWinEvent(kLiveRegionChanged, line, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace quill::ui
