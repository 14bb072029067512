// A window with all four controls, as the main window uses them, rendered
// offscreen to build/artifacts/window-layer.png for a person to look at; the
// checks below hold what that person looks for.

#include <QBuffer>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QTest>

#include <functional>
#include <vector>

#include "window/controls/InfoFrame.h"
#include "window/controls/StoredForm.h"
#include "window/controls/SunkenLabel.h"
#include "window/controls/SystemMenu.h"
#include "window/controls/TabControl.h"
#include "window/form/form.h"
#include "window/form/frame.h"
#include "window/form/hscrollbar.h"
#include "window/form/label.h"
#include "window/ui/gdi.h"
#include "window/ui/menu.h"
#include "window/ui/tab_strip.h"
#include "window/ui/window.h"
#include "ui_test_support.h"

namespace ui = window::ui;
namespace form = window::form;
using form::Twips;

namespace {

constexpr char kStoredForm[] = R"(
TabControlVeltrix.Count=15
TabControlVeltrix.MultiRow=True
TabControlVeltrix.TabText(0)="Processor"
TabControlVeltrix.TabText(1)="Geheugengebruik"
TabControlVeltrix.TabText(2)="Weergave"
TabControlVeltrix.TabText(3)="Netwerk"
TabControlVeltrix.TabText(4)="Geluid"
TabControlVeltrix.TabText(5)="Toetsenbord"
TabControlVeltrix.TabText(6)="Muis"
TabControlVeltrix.TabText(7)="Printers"
TabControlVeltrix.TabText(8)="Joysticks"
TabControlVeltrix.TabText(9)="Harde Stations"
TabControlVeltrix.TabText(10)="Optische Stations"
TabControlVeltrix.TabText(11)="Logische Stations"
TabControlVeltrix.TabText(12)="Poorten"
TabControlVeltrix.TabText(13)="USB Apparaten"
TabControlVeltrix.TabText(14)="Batterij"
SystemMenuVeltrix.Count=5
SystemMenuVeltrix.SystemMenuItemStyle(0)=1
SystemMenuVeltrix.SystemMenuItemText(1)="Opslaan &Als..."
SystemMenuVeltrix.SystemMenuItemText(2)="Opslaan A&lle Als..."
SystemMenuVeltrix.SystemMenuItemStyle(3)=1
SystemMenuVeltrix.SystemMenuItemText(4)="&Over Veltrix..."
InfoFrameVeltrix.GradientColor=&H00FFFFFF&
InfoFrameVeltrix.ForeColor=&H00FFFFFF&
InfoFrameVeltrix.Text="Veltrix"
)";

ui::Picture ProductIcon() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(40, 60, 90));
    painter.setPen(QColor(200, 210, 230));
    painter.drawRoundedRect(QRectF(4.5, 4.5, 23, 23), 3, 3);
    painter.setPen(QPen(QColor(200, 210, 230), 2));
    for (int i = 0; i < 4; ++i) {
        painter.drawLine(9 + 5 * i, 0, 9 + 5 * i, 4);
        painter.drawLine(9 + 5 * i, 28, 9 + 5 * i, 32);
    }
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return ui::Picture::FromBytes(std::span(reinterpret_cast<const std::uint8_t*>(png.constData()), static_cast<std::size_t>(png.size())));
}

struct Row {
    const wchar_t* caption;
    const wchar_t* value;
};

}  // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT

private slots:
    void rendersTheFourControls() {
        const auto stored = controls::StoredForm::Parse(kStoredForm);
        QVERIFY(stored);
        form::Form window(L"FormVeltrix", form::TwipsToPixels(9255), form::TwipsToPixels(6330));
        window.SetCaption(L"Veltrix");

        controls::InfoFrame header(window.Hwnd(), Twips(0, 0, 9255, 945), L"InfoFrameVeltrix");
        header.ReadProperties(stored->Bag(L"InfoFrameVeltrix"));
        header.SetIcon(ProductIcon());

        controls::TabControl tabs(window.Hwnd(), Twips(120, 1080, 9015, 5145), L"TabControlVeltrix");
        tabs.ReadProperties(stored->Bag(L"TabControlVeltrix"));
        controls::SystemMenu menu(window.Hwnd());
        menu.ReadProperties(stored->Bag(L"SystemMenuVeltrix"));

        // The display page: two rows for the adapter, then the index row.
        form::Frame& page = window.AddFrame(L"FrameVeltrix(2)", Twips(240, 1680, 8775, 2985));
        const Row rows[] = {{L"Naam:", L"Virtio GPU"},
                            {L"Monitor:", L"Standaard monitor"},
                            {L"Index:", nullptr},
                            {L"Resolutie:", L"1920 x 1080 pixels"},
                            {L"Kleurdiepte:", L"32 bits"},
                            {L"Frequentie:", L"60 Hz"},
                            {L"Geselecteerd:", L"Ja"}};
        int n = 1;
        for (const Row& row : rows) {
            page.AddLabel(L"Caption" + std::to_wstring(n), Twips(240, 360 * n, 1695, 255), row.caption);
            if (row.value) {
                form::Label& value = page.AddLabel(L"Value" + std::to_wstring(n), Twips(2040, 360 * n, 6495, 255), row.value);
                value.SetForeColor(ui::RGB(0, 0, 128));
            }
            ++n;
        }
        controls::SunkenLabel index(page.Hwnd(), Twips(2040, 360 * 3 - 30, 495, 255), L"SunkenLabelIndex(2)");
        index.InitProperties();
        index.SetText(L"2");
        form::HScrollBar& scroll = page.AddHScrollBar(L"HScrollIndex(2)", Twips(2535, 360 * 3 - 45, 495, 285));
        scroll.SetMax(4);
        scroll.SetValue(2);

        QVERIFY(ui_test::ShowActive(window.Hwnd()));
        QTest::qWait(50);
        const QImage shot = ui_test::Grab(window.Hwnd());

        // The window menu as it opens from the header's icon.
        QVERIFY(ui::ShowWindowMenu(header.hWnd(), ui::POINT{12, 46}));
        QMenu* popup = nullptr;
        QTRY_VERIFY((popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
        const QImage menuShot = popup->grab().toImage().convertToFormat(QImage::Format_RGB32);
        popup->close();

        QImage sheet(shot.width() + menuShot.width() + 24, std::max(shot.height(), menuShot.height()) + 16, QImage::Format_RGB32);
        sheet.fill(QColor(90, 90, 90));
        QPainter painter(&sheet);
        painter.drawImage(8, 8, shot);
        painter.drawImage(shot.width() + 16, 8, menuShot);
        painter.end();
        QDir().mkpath(QStringLiteral(VELTRIX_ARTIFACTS_DIR));
        const QString path = QStringLiteral(VELTRIX_ARTIFACTS_DIR "/window-layer.png");
        QVERIFY(sheet.save(path));
        qInfo("screenshot: %s", qPrintable(path));

        // Fifteen Dutch tabs in two rows, the first row next to the page.
        QCOMPARE(ui::SendMessage(tabs.ControlHwnd(), ui::TCM_GETROWCOUNT, 0, 0), 2);
        // Every tab wide enough for its text.
        const QFontMetrics metrics(ui_test::WidgetOf(tabs.ControlHwnd())->font());
        for (int i = 0; i < 15; ++i) {
            ui::RECT r;
            QVERIFY(ui::SendMessage(tabs.ControlHwnd(), ui::TCM_GETITEMRECT, static_cast<ui::WPARAM>(i), reinterpret_cast<ui::LPARAM>(&r)));
            QVERIFY(r.right <= ui_test::WidgetOf(tabs.ControlHwnd())->width());
        }
        // The gradient runs from the back colour at the left to white at the right.
        const QImage band = ui_test::Grab(header.hWnd());
        QCOMPARE(ui_test::Pixel(band, 0, 2), header.BackColor());
        QVERIFY(ui::GetRValue(ui_test::Pixel(band, band.width() - 1, 2)) > 250);
        for (int x = 1; x < band.width(); ++x) QVERIFY(ui::GetRValue(ui_test::Pixel(band, x, 2)) >= ui::GetRValue(ui_test::Pixel(band, x - 1, 2)));
        // The sunken box: a one-pixel edge, then the fill.
        const QImage box = ui_test::Grab(index.ControlHwnd());
        QCOMPARE(ui_test::Pixel(box, 20, 0), ui::GetSysColor(ui::COLOR_BTNSHADOW));
        QCOMPARE(ui_test::Pixel(box, 20, 1), ui::GetSysColor(ui::COLOR_BTNFACE));
        QCOMPARE(ui_test::Pixel(box, box.width() - 2, 5), ui::GetSysColor(ui::COLOR_BTNFACE));
        QCOMPARE(ui_test::Pixel(box, box.width() - 1, 5), ui::GetSysColor(ui::COLOR_BTNHIGHLIGHT));
        QCOMPARE(ui_test::Pixel(box, 20, box.height() - 1), ui::GetSysColor(ui::COLOR_BTNHIGHLIGHT));
    }

    // The tab strip's other settings, side by side, for a person to look at.
    void rendersTheTabStripSettings() {
        struct Variant {
            const wchar_t* name;
            std::function<void(controls::TabControl&)> apply;
        };
        const std::vector<Variant> variants = {
            {L"bottom", [](auto& t) { t.SetPlacement(controls::TabControl::kPlacementBottom); }},
            {L"left", [](auto& t) { t.SetPlacement(controls::TabControl::kPlacementLeft); }},
            {L"right", [](auto& t) { t.SetPlacement(controls::TabControl::kPlacementRight); }},
            {L"opposite", [](auto& t) {
                 t.SetTabStyle(controls::TabControl::kTabStyleOpposite);
                 ui::SendMessage(t.ControlHwnd(), ui::TCM_SETCURSEL, 12, 0);
             }},
            {L"buttons", [](auto& t) { t.SetStyle(controls::TabControl::kStyleButtons); }},
            {L"flat", [](auto& t) { t.SetStyle(controls::TabControl::kStyleFlatButtons); }},
            {L"one row", [](auto& t) {
                 t.SetMultiRow(false);
                 ui::SendMessage(t.ControlHwnd(), ui::TCM_SETCURSEL, 3, 0);
             }},
            {L"fixed", [](auto& t) {
                 t.SetTabFixedWidth(100);
                 t.SetTabFixedHeight(20);
                 t.SetTabWidthStyle(controls::TabControl::kTabWidthFixed);
             }},
        };
        const auto stored = controls::StoredForm::Parse(kStoredForm);
        constexpr int kWidth = 420;
        constexpr int kHeight = 260;
        QImage sheet(2 * kWidth + 24, static_cast<int>((variants.size() + 1) / 2) * (kHeight + 8) + 8, QImage::Format_RGB32);
        sheet.fill(QColor(90, 90, 90));
        QPainter painter(&sheet);
        for (std::size_t i = 0; i < variants.size(); ++i) {
            form::Form window(L"Variant", kWidth, kHeight);
            controls::TabControl tabs(window.Hwnd(), {4, 4, kWidth - 8, kHeight - 8});
            tabs.ReadProperties(stored->Bag(L"TabControlVeltrix"));
            variants[i].apply(tabs);
            QVERIFY(ui_test::ShowActive(window.Hwnd()));
            painter.drawImage(8 + static_cast<int>(i % 2) * (kWidth + 8), 8 + static_cast<int>(i / 2) * (kHeight + 8),
                              ui_test::Grab(window.Hwnd()));
        }
        painter.end();
        QVERIFY(sheet.save(QStringLiteral(VELTRIX_ARTIFACTS_DIR "/tab-strip-settings.png")));
    }
};

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"
