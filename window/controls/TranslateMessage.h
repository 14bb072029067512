#pragma once
// Lets a control take keys the form would otherwise use for itself. While
// the control's window has the focus, a key routine sees every key message
// first: it can send the key to the control's window and swallow it, or hand
// it to the form's own keyboard handling (PassOn) and let it go on.
//
// The settings HandleSpecialKeys and TranslateSpecialKeys are copied when the
// routine is installed (Create); changing them later has no effect until it
// is installed again. The tab strip installs TranslateTabKeys: Enter, Page
// Up, Page Down, End, Home and the arrows go to the tab window, Tab still
// moves the focus, everything else is handled as usual.

#include <memory>

#include "window/ui/keyboard.h"
#include "window/ui/messages.h"

namespace controls {

namespace ui = window::ui;

// A control whose keys can be translated: the window the keys are sent to.
class TranslatedControl {
public:
    virtual ~TranslatedControl() = default;
    virtual ui::HWND ControlHwnd() const = 0;
};

// What a key routine works with.
struct TranslateProxy {
    TranslatedControl* control = nullptr;
    bool handleSpecialKeys = false;
    bool translateSpecialKeys = false;
    // The form's own handling of the key: Tab and Shift+Tab move the focus.
    ui::KeyResult PassOn(const ui::MSG& message) const { return ui::KeyFilter::DefaultTranslate(message); }
};

using KeyRoutine = ui::KeyResult (*)(const TranslateProxy& proxy, const ui::MSG& message);

class TranslateMessage {
public:
    TranslateMessage();
    ~TranslateMessage();
    TranslateMessage(const TranslateMessage&) = delete;
    TranslateMessage& operator=(const TranslateMessage&) = delete;

    // Not owned: the control owns its translator.
    TranslatedControl* Control() const { return control_; }
    void SetControl(TranslatedControl* control) { control_ = control; }
    bool HandleSpecialKeys() const { return handleSpecialKeys_; }
    void SetHandleSpecialKeys(bool handle) { handleSpecialKeys_ = handle; }
    bool TranslateSpecialKeys() const { return translateSpecialKeys_; }
    void SetTranslateSpecialKeys(bool translate) { translateSpecialKeys_ = translate; }
    bool Active() const { return active_; }

    // Installs `routine` with copies of the two settings. False (and the
    // first routine kept) when one is installed already.
    bool Create(KeyRoutine routine);
    void Destroy();
    // Starts filtering the keys of the control's window; the control calls
    // it whenever that window gets the focus.
    void Translate();

private:
    struct Proxy;
    TranslatedControl* control_ = nullptr;
    bool handleSpecialKeys_ = false;
    bool translateSpecialKeys_ = false;
    bool active_ = false;
    std::unique_ptr<Proxy> proxy_;
};

// The tab strip's key routine.
ui::KeyResult TranslateTabKeys(const TranslateProxy& proxy, const ui::MSG& message);

}  // namespace controls
