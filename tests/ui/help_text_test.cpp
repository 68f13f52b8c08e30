// The help page carried in Quillpad.exe names every message the window can
// show, so none is left unexplained.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "calc/checker.h"
#include "calc/evaluator.h"
#include "calc/format.h"
#include "ui/result_flow.h"

namespace quill::ui {
namespace {

std::string Trimmed(std::string text) {
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

TEST(HelpPage, NamesEveryMessage) {
    std::ifstream file(QUILL_SOURCE_DIR "/docs/help.html", std::ios::binary);
    ASSERT_TRUE(file) << "docs/help.html";
    std::stringstream page;
    page << file.rdbuf();
    const std::string html = page.str();
    const std::string messages[] = {
        FaultText(Fault::EnterExpression),
        FaultText(Fault::PasteNumber),
        FaultText(Fault::PasteOperator),
        FaultText(Fault::UnknownFunction),
        FaultText(Fault::UnknownConstant),
        FaultText(Fault::MissingOpen),
        FaultText(Fault::MissingClose),
        FaultText(Fault::MissingBoth),
        FaultText(Fault::DivisionByZero),
        kDivisionCaption,
        kInfinityText,
        kMinusInfinityText,
        kNotANumberText,
        FaultText(Fault::OutOfMemory),
        FaultText(Fault::InvalidArgument),
        "Together '",
        "Unknown symbol '",
    };
    for (const std::string& message : messages) {
        EXPECT_NE(html.find(Trimmed(message)), std::string::npos) << message;
    }
}

} // namespace
} // namespace quill::ui
