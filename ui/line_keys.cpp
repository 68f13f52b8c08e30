#include "ui/line_keys.h"

namespace quill::ui {

KeyAction LineKeyAction(LineKey key, bool ctrl, bool alt, KeyLine line, bool shift) {
    if (key == LineKey::F10) return shift || ctrl ? KeyAction::None : KeyAction::OpenMenu;
    if (key == LineKey::H) return ctrl && !alt && !shift ? KeyAction::History : KeyAction::None;
    if (line == KeyLine::Elsewhere) return KeyAction::None;
    switch (key) {
    case LineKey::C:
        return ctrl && !alt ? KeyAction::Copy : KeyAction::None;
    case LineKey::Up:
    case LineKey::Down:
        if (line != KeyLine::Expression) return KeyAction::None;
        return key == LineKey::Up ? KeyAction::RecallOlder : KeyAction::RecallNewer;
    case LineKey::Other:
    case LineKey::H:
    case LineKey::F10:
        break;
    }
    return KeyAction::None;
}

} // namespace quill::ui
