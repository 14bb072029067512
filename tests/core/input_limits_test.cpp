// Input that would cost without bound: machine files nested millions deep or
// naming a key twice, and error lines that would quote a megabyte. (A report
// written into a pipe nobody reads: cli_posix_test.cpp.)
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_reader.h"
#include "sim_fixture.h"

using platform::sim::ParseMachineText;
using platform::sim::SimFileError;

namespace {

std::string ErrorOf(const std::string& text) {
    try {
        testing_support::SimFrom(text);
    } catch (const SimFileError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(MachineFileLimits, NestingStopsAtItsLimitWithLineAndColumn) {
    const int limit = platform::sim::kMaxMachineDepth;
    // At the limit a file still reads; one level more is refused where it starts.
    const std::string deepest = "{\"comment\": \"x\", \"live\": " + std::string(limit - 1, '[') +
                                std::string(limit - 1, ']') + "}";
    EXPECT_NO_THROW(ParseMachineText(deepest));
    const std::string tooDeep = "{\n  \"live\": " + std::string(limit, '[') + std::string(limit, ']') + "}";
    EXPECT_EQ(ErrorOf(tooDeep), "line 2, column " + std::to_string(11 + limit - 1) + ": nested deeper than " +
                                    std::to_string(limit) + " levels");
    // Sixteen million brackets are refused after the first few dozen.
    const std::string huge(16u << 20, '[');
    EXPECT_EQ(ErrorOf(huge), "line 1, column " + std::to_string(limit + 1) + ": nested deeper than " +
                                 std::to_string(limit) + " levels");
}

TEST(MachineFileLimits, AKeyGivenTwiceInOneObjectIsRefusedWhereItIsGivenAgain) {
    EXPECT_EQ(ErrorOf("{\"memory\": {\"load\": 1,\n  \"load\": 2}}"),
              "line 2, column 3: the key \"load\" is given twice in one object");
    // Escapes spell the same key.
    EXPECT_EQ(ErrorOf("{\"comment\": \"a\", \"comm\\u0065nt\": \"b\"}"),
              "line 1, column 18: the key \"comment\" is given twice in one object");
    // The same key in two objects, and keys that differ only in case, are different keys.
    EXPECT_NO_THROW(ParseMachineText(R"({"memory": {"load": 1}, "live": [{"memory": {"load": 2}}]})"));
    EXPECT_NO_THROW(ParseMachineText(R"({"registry": {"A": {"x": "1", "X": "2"}}})"));
}

TEST(MachineFileLimits, PlacesAreFoundPastStringsHoldingQuotesBracketsAndEscapes) {
    // Brackets, escaped quotes and backslashes in a string are text, not structure.
    const std::string prefix = R"({"comment": "a[{\"\\ \u00e9 [", "live": )";
    const int limit = platform::sim::kMaxMachineDepth;
    EXPECT_EQ(ErrorOf(prefix + std::string(limit, '[') + std::string(limit, ']') + "}"),
              "line 1, column " + std::to_string(prefix.size() + limit) + ": nested deeper than " +
                  std::to_string(limit) + " levels");
    EXPECT_EQ(ErrorOf(R"({"comment": "x\"{", "c\"d": 1, "c\"d": 2})"),
              "line 1, column 32: the key \"c\"d\" is given twice in one object");
}

TEST(MachineFileLimits, StringsSpeltWithEscapesReadDecodedAndTheRestAsWritten) {
    const std::pair<const char*, std::string> cases[] = {
        {R"("plain")", "plain"},       {R"("")", ""},
        {R"("\\\"x")", "\\\"x"},     {R"("\"")", "\""},
        {R"("\\")", "\\"},           {R"("\u00e9\"")", "\xC3\xA9\""},
        {R"("a\u0000b")", std::string("a\0b", 3)},
        {"\"\xC3\xA9\"", "\xC3\xA9"},  // UTF-8 as it stands
    };
    for (const auto& [spelt, text] : cases) {
        const auto document = ParseMachineText(std::string(R"({"k": )") + spelt + R"(, "x": [)" + spelt + "]}");
        const auto root = platform::sim::Node::RootOf(document);
        EXPECT_EQ(root.Member("k")->Text(), text) << spelt;
        EXPECT_EQ(root.Member("x")->Element(0).Text(), text) << spelt;
    }
}

TEST(MachineFileLimits, ErrorLinesQuoteAtMostAFewHundredBytes) {
    const std::string key(1u << 20, 'k');
    const std::string message = ErrorOf("{\"" + key + "\": 1}");
    EXPECT_LT(message.size(), 600u) << message.substr(0, 200);
    EXPECT_NE(message.find(" bytes)"), std::string::npos) << message.substr(0, 600);
    // A text cut in the middle of a character keeps whole characters only.
    const std::string cut = platform::InputExcerpt(std::string(199, 'a') + "\xC3\xA9" + "b", 200);
    EXPECT_EQ(cut, std::string(199, 'a') + "... (202 bytes)");
    EXPECT_EQ(platform::InputExcerpt(std::string(200, 'a'), 200), std::string(200, 'a')) << "at the limit: whole";
}

