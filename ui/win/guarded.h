// No exception leaves a window procedure: Windows cannot carry one back
// through its own frames. The work of a message runs here; whatever it
// throws (an allocation that failed) is answered by `failed`, which must
// not throw, and the window goes on.
#pragma once

namespace quill::ui {

template <typename Work, typename Failed>
auto Guarded(Work&& work, Failed&& failed) noexcept -> decltype(work()) {
    try {
        return work();
    } catch (...) {
        return failed();
    }
}

} // namespace quill::ui
