// The printers of a real print server. One private cupsd serves the suite:
// a socket:, a file: and an ipp: printer with info texts and locations, the
// ipp printer (the last in the server's order) the server's default. The client is pointed at that
// server's socket through CUPS_SERVER, as a user would point it elsewhere.
#include <gtest/gtest.h>

#include <cups/cups.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>

#include <cstdlib>
#include <map>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "app/FormVeltrix.h"
#include "app/pages/PageRows.h"
#include "collectors/Printers.h"
#include "platform/linux/io/capture_log.h"
#include "platform/linux/io/cups_client.h"
#include "platform/linux/io/cups_library.h"
#include "platform/linux/areas/linux_machine.h"
#include "private_cupsd.h"
#include "../linux/support.h"

using namespace platform::linux_backend;
using cups_tests::PrivateCupsd;

namespace {

class CupsServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        skipped_ = PrivateCupsd::Missing();
        if (!skipped_.empty()) return;
        server_ = std::make_unique<PrivateCupsd>();
        if (!server_->Error().empty()) return;
        // The user's own settings (~/.cups) stay out of the test.
        ::setenv("HOME", server_->Directory().c_str(), 1);
        ::setenv("CUPS_SERVER", server_->Socket().c_str(), 1);
        ::unsetenv("LPDEST");
        ::unsetenv("PRINTER");
        cupsSetServer(nullptr);  // read CUPS_SERVER again
        for (const auto& args : std::vector<std::vector<std::string>>{
                 {"-p", "Kantoor", "-E", "-v", "socket://192.0.2.10:9100", "-D", "Laser op de gang", "-L", "Kamer 2.14"},
                 {"-p", "pdf-out", "-E", "-v", "file:///dev/null", "-D", "Naar een bestand"},
                 {"-p", "Zolder", "-E", "-v", "ipp://192.0.2.11/ipp/print", "-L", "Zolder, achter de schoorsteen"},
                 {"-d", "Zolder"}}) {
            setupError_ = server_->Lpadmin(args);
            if (!setupError_.empty()) return;
        }
    }
    static void TearDownTestSuite() { server_.reset(); }

    void SetUp() override {
        if (!skipped_.empty()) GTEST_SKIP() << "no print server: " << skipped_;
        ASSERT_EQ(server_->Error(), "");
        ASSERT_EQ(setupError_, "");
    }

    static const CupsDestination* Find(const std::vector<CupsDestination>& all, const std::string& name) {
        for (const auto& d : all)
            if (d.name == name) return &d;
        return nullptr;
    }

    static inline std::string skipped_;
    static inline std::string setupError_;
    static inline std::unique_ptr<PrivateCupsd> server_;
};

}  // namespace

TEST_F(CupsServer, DestinationsWithTheirUrisTextsAndDefault) {
    const auto destinations = AskCupsDestinations();
    ASSERT_TRUE(destinations);
    ASSERT_EQ(destinations->size(), 3u);
    const auto* office = Find(*destinations, "Kantoor");
    ASSERT_TRUE(office);
    EXPECT_EQ(office->deviceUri, "socket://192.0.2.10:9100");
    EXPECT_EQ(office->info, "Laser op de gang");
    EXPECT_EQ(office->location, "Kamer 2.14");
    EXPECT_FALSE(office->makeAndModel.empty());
    EXPECT_FALSE(office->isDefault);
    const auto* file = Find(*destinations, "pdf-out");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->deviceUri, "file:///dev/null");
    EXPECT_EQ(file->location, "");
    EXPECT_FALSE(file->isDefault);
    const auto* attic = Find(*destinations, "Zolder");
    ASSERT_TRUE(attic);
    EXPECT_EQ(attic->deviceUri, "ipp://192.0.2.11/ipp/print");
    EXPECT_EQ(attic->location, "Zolder, achter de schoorsteen");
    EXPECT_TRUE(attic->isDefault);
}

TEST_F(CupsServer, TheUsersOwnDefaultWins) {
    const std::filesystem::path options = server_->Directory() + "/.cups/lpoptions";
    std::filesystem::create_directories(options.parent_path());
    std::ofstream(options) << "Default Kantoor\n";
    const auto destinations = AskCupsDestinations();
    std::filesystem::remove(options);
    ASSERT_TRUE(destinations);
    EXPECT_TRUE(Find(*destinations, "Kantoor")->isDefault);
    EXPECT_FALSE(Find(*destinations, "Zolder")->isDefault);
}

// The printers block, as the report writes it for this server: the
// server's order, the default selected.
const char* const kPrintersBlock =
    "Printers\r\n--------\r\n"
    "Index: 0\r\nNaam: Kantoor\r\nPoort: socket://192.0.2.10:9100\r\nGeselecteerd: Nee\r\n\r\n"
    "Index: 1\r\nNaam: pdf-out\r\nPoort: file:///dev/null\r\nGeselecteerd: Nee\r\n\r\n"
    "Index: 2\r\nNaam: Zolder\r\nPoort: ipp://192.0.2.11/ipp/print\r\nGeselecteerd: Ja\r\n";

TEST_F(CupsServer, PrintersCollectorOnThisMachine) {
    LinuxMachine machine("/");
    const collectors::Printers printers(machine);
    ASSERT_EQ(printers.Count(), 3);
    EXPECT_EQ(printers.Item(0)->Name(), L"Kantoor");
    EXPECT_EQ(printers.Item(0)->Comment(), L"Laser op de gang");
    EXPECT_EQ(printers.Item(0)->Location(), L"Kamer 2.14");
    EXPECT_FALSE(printers.Item(0)->DriverName().empty());
    EXPECT_EQ(printers.Item(2)->Name(), L"Zolder");
    EXPECT_TRUE(printers.Item(2)->Selected());
    EXPECT_FALSE(printers.Item(0)->Selected());
    EXPECT_FALSE(printers.Item(1)->Selected());
}

TEST_F(CupsServer, ThePrintersPageStartsAtTheDefault) {
    LinuxMachine machine("/");
    app::FormVeltrix form(machine);
    form.Load();
    EXPECT_EQ(form.SunkenLabelIndex(app::kPrinters).Text(), L"2");
    EXPECT_EQ(form.ValueLabel("LabelPrintersName").Caption(), L"Zolder");
    EXPECT_EQ(form.ValueLabel("LabelPrintersPort").Caption(), L"ipp://192.0.2.11/ipp/print");
    EXPECT_EQ(form.ValueLabel("LabelPrintersSelected").Caption(), L"Ja");
    EXPECT_EQ(form.ValueLabel("LabelPrintersName").ForeColor(), app::kValidColor);
}

TEST_F(CupsServer, ReportAndCaptureRoundTrip) {
    const std::map<std::string, std::string> environment = {{"CUPS_SERVER", server_->Socket()},
                                                            {"HOME", server_->Directory()}};
    const auto live = linux_tests::RunProgram({VELTRIX_REPORT_PROGRAM, "--category", "7"}, environment);
    ASSERT_EQ(live.exitCode, 0) << live.err;
    EXPECT_EQ(live.out, kPrintersBlock);

    // The capture keeps the server's answer as a recorded reply; the
    // captured tree reports the same printers with no server at all.
    linux_tests::TempDir dir;
    const std::string tree = dir.Path() + "/capture";
    const auto capture = linux_tests::RunProgram({VELTRIX_CAPTURE_PROGRAM, tree}, environment);
    ASSERT_EQ(capture.exitCode, 0) << capture.err;
    EXPECT_TRUE(std::filesystem::exists(tree + "/.veltrix/replies/cups/destinations.hex"));
    const auto replayed = linux_tests::RunProgram({VELTRIX_REPORT_PROGRAM, "--root", tree, "--category", "7"},
                                                  {{"CUPS_SERVER", dir.Path() + "/none.sock"}});
    ASSERT_EQ(replayed.exitCode, 0) << replayed.err;
    EXPECT_EQ(replayed.out, kPrintersBlock);
}

namespace {

// Points the client at `server` for one test (as CUPS_SERVER would), then
// back at what CUPS_SERVER said before.
struct ClientServer {
    explicit ClientServer(const std::string& server) {
        if (const char* before = std::getenv("CUPS_SERVER")) before_ = before;
        ::setenv("CUPS_SERVER", server.c_str(), 1);
        cupsSetServer(nullptr);
    }
    ~ClientServer() {
        if (before_) ::setenv("CUPS_SERVER", before_->c_str(), 1);
        else ::unsetenv("CUPS_SERVER");
        cupsSetServer(nullptr);
    }
    std::optional<std::string> before_;
};

}  // namespace

TEST(CupsClient, NoServerIsNoAnswer) {
    linux_tests::TempDir dir;
    const ClientServer client(dir.Path() + "/no-such.sock");
    EXPECT_FALSE(AskCupsDestinations());
}

TEST(CupsClient, ASilentServerIsNoAnswerNotAHang) {
    // A listener that takes connections but never answers a request.
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    socklen_t length = sizeof address;
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    {
        const ClientServer client("127.0.0.1:" + std::to_string(ntohs(address.sin_port)));
        EXPECT_FALSE(AskCupsDestinations());
    }
    ::close(listener);
}

TEST(CupsLibrary, AServerMayAnswerWhereTheClientWouldLookForOne) {
    EXPECT_FALSE(PrintServerMayAnswer({"", false, false}));
    EXPECT_TRUE(PrintServerMayAnswer({"printhost:631", false, false}));
    EXPECT_TRUE(PrintServerMayAnswer({"", true, false}));
    EXPECT_TRUE(PrintServerMayAnswer({"", false, true}));
}

TEST(CupsLibrary, TheReportDoesNotLinkIt) {
    // Loaded at run time, and only when a print server may answer: the
    // program itself names no libcups among the libraries it needs.
    const auto needed = linux_tests::RunProgram({"/usr/bin/ldd", VELTRIX_REPORT_PROGRAM});
    ASSERT_EQ(needed.exitCode, 0) << needed.err;
    EXPECT_EQ(needed.out.find("libcups"), std::string::npos) << needed.out;
}

TEST(CupsLibrary, NotLoadedWhereNoServerCanBeFound) {
    for (const char* socket : {"/run/cups/cups.sock", "/var/run/cups/cups.sock", "/etc/cups/client.conf"})
        if (::access(socket, F_OK) == 0) GTEST_SKIP() << socket << " exists on this machine: a server may answer";
    linux_tests::TempDir home;
    // The loader names every library it opens on standard error.
    const auto run = linux_tests::RunProgram({VELTRIX_REPORT_PROGRAM, "--category", "7"},
                                             {{"HOME", home.Path()}, {"LD_DEBUG", "files"}, {"CUPS_SERVER", ""}});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err.find("libcups"), std::string::npos) << "libcups was loaded with no server to ask";
    EXPECT_EQ(run.out, "Printers\r\n--------\r\n");
}

int main(int argc, char** argv) {
    // The Printers page is the real window, offscreen.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
