// The recorded answer of the print server: destinations as NUL-ended texts.
#include <gtest/gtest.h>

#include "platform/linux/parsers/cups_destinations.h"

using namespace platform::linux_backend;

namespace {

Bytes Of(std::string_view text) { return Bytes(text.begin(), text.end()); }

}  // namespace

TEST(CupsDestinations, RoundTrip) {
    const std::vector<CupsDestination> destinations = {
        {"Kantoor", "ipp://printer.local/ipp/print", "HP LaserJet 4250", "Kantoorprinter", "Kamer 2.14", false},
        {"pdf", "file:///tmp/out.pdf", "", "", "", true},
        {"Café", "socket://10.0.0.5:9100", "Generic PostScript", "Ünïcode", "Zolder", false},
    };
    const Bytes reply = EncodeCupsDestinations(destinations);
    EXPECT_EQ(DecodeCupsDestinations(reply), destinations);
    EXPECT_EQ(DecodeCupsDestinations({}), std::vector<CupsDestination>{}) << "a server without destinations";

    CupsDestination withNul{std::string("a\0b", 3), "", "", "", "", true};
    const auto decoded = DecodeCupsDestinations(EncodeCupsDestinations({withNul}));
    ASSERT_TRUE(decoded);
    EXPECT_EQ((*decoded)[0].name, "ab") << "a NUL inside a text cannot shift the fields after it";
}

TEST(CupsDestinations, MalformedRepliesAreRefused) {
    EXPECT_FALSE(DecodeCupsDestinations(Of(std::string("a\0b\0c\0d\0e\0", 10)))) << "five fields";
    EXPECT_FALSE(DecodeCupsDestinations(Of(std::string("a\0b\0c\0d\0e\0" "1", 11)))) << "last text not ended";
    EXPECT_FALSE(DecodeCupsDestinations(Of(std::string("a\0b\0c\0d\0e\0yes\0", 14)))) << "flag not 0 or 1";
    EXPECT_FALSE(DecodeCupsDestinations(Of(std::string("a\0b\0c\0d\0e\0\0", 11)))) << "empty flag";
    EXPECT_TRUE(DecodeCupsDestinations(Of(std::string("\0\0\0\0\0" "0\0", 7)))) << "all texts may be empty";
}
