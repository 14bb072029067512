// The system menu control's item picked in the window menu Qt draws
// (the rest of the control runs on both sides: tests/window_cases).

#include <QMenu>
#include <QTest>

#include <memory>
#include <vector>

#include "window/controls/SystemMenu.h"
#include "window/form/form.h"
#include "window/ui/menu.h"
#include "window/ui/window.h"
#include "fixtures.h"
#include "ui_test_support.h"

namespace ui = window::ui;
namespace form = window::form;
using controls::SystemMenu;
using controls::SystemMenuItem;

class SystemMenuTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<form::Form> form_;
    std::unique_ptr<SystemMenu> menu_;
    std::vector<int> clicked_;

    ui::HMENU Menu() const { return ui::GetSystemMenu(form_->Hwnd(), false); }


private slots:
    void init() {
        form_ = std::make_unique<form::Form>(L"TestForm", 200, 100);
        menu_ = std::make_unique<SystemMenu>(form_->Hwnd());
        menu_->InitProperties();
        clicked_.clear();
        menu_->ItemClick.Connect([this](SystemMenuItem& item) { clicked_.push_back(item.Index()); });
    }
    void cleanup() {
        menu_.reset();
        form_.reset();
        ui_test::FlushDeletes();
    }

    void pickingTheThirdItemRaisesItemClickWithIndex2() {
        window_cases::MakeThreeItems(*menu_);
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        QVERIFY(ui::ShowWindowMenu(form_->Hwnd(), ui::POINT{0, 0}));
        QMenu* popup = nullptr;
        QTRY_VERIFY((popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
        popup->findChild<QAction*>(QStringLiteral("windowMenuItem2"))->trigger();
        popup->close();
        QTRY_COMPARE(clicked_, std::vector<int>{2});
    }

};

QTEST_MAIN(SystemMenuTest)
#include "system_menu_test.moc"
