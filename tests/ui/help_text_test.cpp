// The help page carried in Quillpad.exe names every message the window can
// show, so none is left unexplained.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "calc/answer.h"
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

std::string HelpPage() {
    std::ifstream file(QUILL_SOURCE_DIR "/docs/help.html", std::ios::binary);
    EXPECT_TRUE(file) << "docs/help.html";
    std::stringstream page;
    page << file.rdbuf();
    return page.str();
}

std::string Unescaped(std::string text) {
    for (const auto& [entity, c] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}}) {
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
            text.replace(at, std::string(entity).size(), c);
    }
    return text;
}

// Every "<code>EXPRESSION</code> is <samp>ANSWER</samp>" (or "gives") of the
// page is what the program answers, under the first start's settings; no
// <samp> stands outside such a pair, so none can drift unchecked.
TEST(HelpPage, EveryExampleIsTheProgramsAnswer) {
    const std::string html = HelpPage();
    const std::regex example("<code>([^<]*)</code> (is|gives) <samp>([^<]*)</samp>");
    const EvalSettings firstStart{};
    int examples = 0;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), example);
         it != std::sregex_iterator(); ++it, ++examples) {
        const std::string expression = Unescaped((*it)[1]);
        EXPECT_EQ(Trimmed(AnswerTo(expression, firstStart).text), Unescaped((*it)[3]))
            << expression;
    }
    std::size_t samples = 0;
    for (std::size_t at = 0; (at = html.find("<samp>", at)) != std::string::npos; ++at)
        ++samples;
    EXPECT_EQ(samples, static_cast<std::size_t>(examples)) << "a <samp> without its expression";
    EXPECT_GE(examples, 20);
}

TEST(HelpPage, NamesEveryMessage) {
    const std::string html = HelpPage();
    const std::string messages[] = {
        FaultText(Fault::EnterExpression),
        FaultText(Fault::PasteNumber),
        FaultText(Fault::PasteOperator),
        FaultText(Fault::UnknownFunction),
        FaultText(Fault::UnknownConstant),
        FaultText(Fault::NoAnswer),
        FaultText(Fault::HistoryNotKept),
        FaultText(Fault::MissingOpen),
        FaultText(Fault::MissingClose),
        FaultText(Fault::MissingBoth),
        FaultText(Fault::DivisionByZero),
        kDivisionCaption,
        kInfinityText,
        kMinusInfinityText,
        kNotANumberText,
        kNotEnoughDigitsText,
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
