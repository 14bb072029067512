// The tab strip control as Qt draws it: the focus mark and the tooltips
// (the rest of the control runs on both sides: tests/window_cases).

#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

#include <memory>
#include <string>
#include <vector>

#include "window/controls/StoredForm.h"
#include "window/controls/TabControl.h"
#include "window/form/command_button.h"
#include "window/form/form.h"
#include "window/ui/gdi.h"
#include "window/ui/tab_strip.h"
#include "window/ui/window.h"
#include "fixtures.h"
#include "ui_test_support.h"

namespace ui = window::ui;
namespace form = window::form;
using controls::TabControl;

namespace {

using window_cases::ItemRect;

}  // namespace

class TabControlTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<form::Form> form_;
    std::unique_ptr<TabControl> tabs_;
    std::vector<std::string> events_;
    bool cancel_ = false;

    QWidget* Strip() const { return ui_test::WidgetOf(tabs_->ControlHwnd()); }

    void Click(int index, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(Strip(), button, {}, ui_test::Center(ItemRect(*tabs_, index)));
    }

private slots:
    void init() {
        form_ = std::make_unique<form::Form>(L"TestForm", form::TwipsToPixels(9255), form::TwipsToPixels(6330));
        tabs_ = std::make_unique<TabControl>(form_->Hwnd(), form::Twips(120, 1080, 9015, 5145), L"T");
        tabs_->ReadProperties(controls::StoredForm::Parse(window_cases::kFifteenTabs)->Bag(L"T"));
        events_.clear();
        cancel_ = false;
        tabs_->BeforeClick.Connect([this](bool& cancel) {
            events_.push_back("BeforeClick");
            cancel = cancel_;
        });
        tabs_->Click.Connect([this] { events_.push_back("Click"); });
        tabs_->KeyDown.Connect([this](std::int16_t key) { events_.push_back("KeyDown " + std::to_string(key)); });
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
    }
    void cleanup() {
        tabs_.reset();
        form_.reset();
        ui_test::FlushDeletes();
    }

    // The focused strip marks its selected tab, however the focus came.
    void focusedStripDrawsTheFocusMark() {
        form::CommandButton& button = form_->AddCommandButton(L"Other", {10, 390, 80, 24}, L"OK");
        QWidget* other = ui_test::WidgetOf(button.Hwnd());
        Click(0);
        QTRY_COMPARE(QApplication::focusWidget(), Strip());
        const QRect tab = Strip()->rect().intersected(QRect(QPoint(ItemRect(*tabs_, 0).left, ItemRect(*tabs_, 0).top),
                                                            QPoint(ItemRect(*tabs_, 0).right - 1, ItemRect(*tabs_, 0).bottom - 1)));
        const QImage focused = Strip()->grab().toImage().copy(tab);
        other->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), other);
        const QImage unfocused = Strip()->grab().toImage().copy(tab);
        QVERIFY(focused != unfocused);
        // Nowhere but on the selected tab.
        const QRect second(QPoint(ItemRect(*tabs_, 1).left, ItemRect(*tabs_, 1).top),
                           QPoint(ItemRect(*tabs_, 1).right - 1, ItemRect(*tabs_, 1).bottom - 1));
        Strip()->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), Strip());
        const QImage secondFocused = Strip()->grab().toImage().copy(second);
        other->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), other);
        QCOMPARE(Strip()->grab().toImage().copy(second), secondFocused);
    }

    void tooltipsFollowTheirTabs() {
        tabs_->Tab2(12)->SetToolTipText(L"Seriële en parallelle poorten");
        QVERIFY(tabs_->IsPropertyChanged(L"TabToolTipText(12)"));
        const auto askAt = [&](int index) {
            const QPoint point = ui_test::Center(ItemRect(*tabs_, index));
            QHelpEvent help(QEvent::ToolTip, point, Strip()->mapToGlobal(point));
            QApplication::sendEvent(Strip(), &help);
        };
        askAt(12);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Seriële en parallelle poorten"));
        QToolTip::hideText();
        QTRY_VERIFY(QToolTip::text().isEmpty());
        // The rows turn round; the tip goes with its tab.
        Click(12);
        askAt(12);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Seriële en parallelle poorten"));
        QToolTip::hideText();
        QTRY_VERIFY(QToolTip::text().isEmpty());
        tabs_->SetShowTips(false);
        askAt(12);
        QTest::qWait(50);
        QVERIFY(QToolTip::text().isEmpty());
    }

};

QTEST_MAIN(TabControlTest)
#include "tab_control_test.moc"
