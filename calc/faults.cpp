#include "calc/faults.h"

namespace quill {

std::string FaultMessage(Fault fault, std::string_view quoted) {
    std::string text = FaultText(fault);
    if (fault == Fault::Together) {
        text.append(quoted);
        text += "'  ";
    } else if (fault == Fault::UnknownSymbol) {
        text.append(quoted);
        text += '\'';
    }
    return text;
}

} // namespace quill
