// The window list test hook (VELTRIX_WINDOW_LIST) on this side: the line
// format the two sides share, and the list the window writes once it is on
// the screen, which the end-to-end checks hold against the Win32 side's.

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "window/ui/internal/window_list_line.h"

namespace ui = window::ui;

namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    return fields;
}

}  // namespace

class WindowListTest : public QObject {
    Q_OBJECT

private slots:
    void aLineHasFiveFieldsWhateverTheTextHolds() {
        QCOMPARE(ui::WindowListLine(L"LabelName", L"VeltrixLabel", {32, 136, 145, 153}, true, L"Naam:"),
                 std::string("LabelName\tVeltrixLabel\t32,136,145,153\tshown\tNaam:\n"));
        // Tabs, line ends and backslashes in a text would break the line.
        QCOMPARE(ui::WindowListLine(L"", L"Static", {-3, 0, 0, 7}, false, L"a\tb\r\nc\\d"),
                 std::string("\tStatic\t-3,0,0,7\thidden\ta\\tb\\r\\nc\\\\d\n"));
        QCOMPARE(ui::WindowListLine(L"x", L"y", {}, true, L"Ü é"), std::string("x\ty\t0,0,0,0\tshown\t\xC3\x9C \xC3\xA9\n"));
    }

    void theListFileAppearsWholeOrNotAtAll() {
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("list.txt")).toStdString();
        const std::string lines = "a\tb\t0,0,1,1\tshown\t\n" + std::string(100000, 'x') + "\n";
        // A list from an earlier run is replaced, and no partial file stays behind.
        std::ofstream(path) << "old\n";
        QVERIFY(ui::WriteWindowListFile(path.c_str(), lines));
        std::ifstream in(path, std::ios::binary);
        QCOMPARE(std::string(std::istreambuf_iterator<char>(in), {}), lines);
        QVERIFY(!QFileInfo::exists(QString::fromStdString(path + ".part")));
        // A folder that is not there: refused, nothing written.
        const std::string missing = dir.filePath(QStringLiteral("no/list.txt")).toStdString();
        QVERIFY(!ui::WriteWindowListFile(missing.c_str(), lines));
        QVERIFY(!QFileInfo::exists(QString::fromStdString(missing)));
    }

    void theWindowListsEveryWindowOnceItIsPainted() {
        QTemporaryDir dir;
        const QString list = dir.filePath(QStringLiteral("list.txt"));
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("VELTRIX_MACHINE"), QStringLiteral(VELTRIX_SOURCE_DIR "/tests/machines/desktop.json"));
        environment.insert(QStringLiteral("VELTRIX_WINDOW_LIST"), list);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(VELTRIX_PROGRAM), {});
        QVERIFY(process.waitForStarted());
        // The list is renamed into place whole: once it is there, it is all there.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(list), 30000);
        process.kill();
        process.waitForFinished();

        std::ifstream in(list.toStdString());
        std::map<std::string, std::vector<std::string>> byName;
        int lines = 0, shownFrames = 0;
        for (std::string line; std::getline(in, line); ++lines) {
            const std::vector<std::string> fields = Fields(line);
            QVERIFY2(fields.size() == 5 || (fields.size() == 4 && line.back() == '\t'), line.c_str());
            QVERIFY2(fields[3] == "shown" || fields[3] == "hidden", line.c_str());
            if (fields[0].starts_with("FrameVeltrix(") && fields[3] == "shown") ++shownFrames;
            byName[fields[0]] = fields;
        }
        QCOMPARE(lines, 239);
        // The form first, as its client area; the header; the first page, the only one shown.
        QCOMPARE(byName["FormVeltrix"][2], std::string("0,0,617,422"));
        QCOMPARE(byName["InfoFrameVeltrix"][2], std::string("0,0,617,63"));
        QCOMPARE(byName["FrameVeltrix(0)"][2], std::string("16,112,601,407"));
        QCOMPARE(shownFrames, 1);
        QCOMPARE(byName["LabelProcessorName"][4], std::string("Naam:"));
        QCOMPARE(byName["FrameVeltrix(14)"][3], std::string("hidden"));
    }
};

QTEST_GUILESS_MAIN(WindowListTest)
#include "window_list_test.moc"
