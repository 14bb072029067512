// The window's start where it can go wrong: a machine that cannot be opened
// is told in a message box as well as on standard error (the desktop shows
// no standard error), and without a display the program says so in one line
// and ends with status 1.

#include <QProcess>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "app/WindowMachine.h"
#include "window/ui/dialog_script.h"

namespace ui = window::ui;

namespace {

struct Start {
    bool opened = false;
    std::string err;
    std::vector<ui::testing::MessageBoxShown> boxes;
};

Start OpenWith(const platform::MachineOptions& options) {
    ui::testing::DialogScript script;
    std::ostringstream err;
    Start start;
    start.opened = app::OpenWindowMachine(options, err) != nullptr;
    start.err = err.str();
    start.boxes = script.MessageBoxes();
    return start;
}

struct Run {
    int status = -1;
    QString err;
    bool crashed = false;
};

Run Veltrix(const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELTRIX_PROGRAM), {});
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError()),
            process.exitStatus() == QProcess::CrashExit};
}

}  // namespace

class WindowStartTest : public QObject {
    Q_OBJECT

private slots:
    void aMachineThatCannotBeOpenedIsToldInAMessageBoxToo() {
        const std::string bad = (std::filesystem::temp_directory_path() /
                                 ("veltrix-start-" + std::to_string(::getpid()) + ".json")).string();
        std::ofstream(bad) << R"({"memory": {"load": 101}})";
        platform::MachineOptions fromFile;
        fromFile.machineFile = bad;
        platform::MachineOptions both = fromFile;
        both.error = "VELTRIX_MACHINE and VELTRIX_ROOT cannot be used together";
        platform::MachineOptions unreadableRoot;
        unreadableRoot.root = "/nonexistent-root";

        for (const auto& options : {fromFile, both, unreadableRoot}) {
            const Start start = OpenWith(options);
            QVERIFY(!start.opened);
            QCOMPARE(start.boxes.size(), std::size_t{1});
            const ui::testing::MessageBoxShown& box = start.boxes[0];
            QCOMPARE(QString::fromStdWString(box.text) + QLatin1Char('\n'), QString::fromStdString(start.err));
            QVERIFY(start.err.rfind("veltrix: ", 0) == 0);
            QCOMPARE(box.caption, std::wstring(L"Veltrix"));
            QCOMPARE(box.type, ui::MB_OK | ui::MB_ICONERROR);
            QVERIFY(box.owner == nullptr);
        }
        std::filesystem::remove(bad);

        platform::MachineOptions good;
        good.machineFile = std::string(VELTRIX_SOURCE_DIR) + "/tests/machines/laptop.json";
        const Start start = OpenWith(good);
        QVERIFY(start.opened);
        QVERIFY(start.boxes.empty());
        QVERIFY(start.err.empty());
    }

    void withoutADisplayItSaysSoInOneLineAndEndsWithStatusOne() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) environment.remove(name);
        const Run unset = Veltrix(environment);
        // A display that is named but not there: the toolkit itself gives up.
        environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":97"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        const Run absent = Veltrix(environment);
        for (const Run& run : {unset, absent}) {
            QVERIFY2(!run.crashed, qPrintable(run.err));
            QCOMPARE(run.status, 1);
            QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
            QVERIFY2(run.err.startsWith(QStringLiteral("veltrix: cannot open a window: ")), qPrintable(run.err));
        }
        QVERIFY2(absent.err.contains(QStringLiteral(":97")), qPrintable(absent.err));
    }
};

QTEST_MAIN(WindowStartTest)
#include "window_start_test.moc"
