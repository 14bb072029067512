#include "platform/linux/io/x_server.h"

#include <xcb/xcb.h>
// The XKB protocol header names a field "explicit", a C++ keyword.
#define explicit explicit_field
#include <xcb/xkb.h>
#undef explicit

#include <chrono>
#include <cstdlib>
#include <map>

#include "base/bytes.h"

namespace platform::linux_backend {

namespace {

// An indicator index for a name the server has no indicator of.
constexpr int kNoIndicator = -1;

// The property is a handful of short names; 4 KiB (in 32-bit units) is ample.
constexpr std::uint32_t kPropertyLongs = 1024;

// Replies are allocated by XCB and freed with free().
template <typename T>
struct FreeReply {
    void operator()(T* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply<T>>;

}  // namespace

struct XServer::Connection {
    xcb_connection_t* xcb = nullptr;
    xcb_window_t root = 0;
    std::optional<bool> xkb;  // whether XKB was set up, once asked
    // Indicator positions by name, found once: the names never move while
    // the server runs.
    std::map<std::string, int, std::less<>> indicatorIndex;  // kNoIndicator where the server has none
    // The state of all indicators at once, kept briefly: one refresh asks
    // for the three lock keys twice each, and one request serves them all.
    std::uint32_t indicatorState = 0;
    std::chrono::steady_clock::time_point indicatorStateTime;
    bool indicatorStateValid = false;

    ~Connection() {
        if (xcb) xcb_disconnect(xcb);
    }
};

XServer::XServer(std::unique_ptr<Connection> connection) : connection_(std::move(connection)) {}
XServer::~XServer() = default;

std::unique_ptr<XServer> XServer::Connect(const std::string& display) {
    if (display.empty()) return nullptr;
    auto connection = std::make_unique<Connection>();
    int screenNumber = 0;
    connection->xcb = xcb_connect(display.c_str(), &screenNumber);
    if (!connection->xcb || xcb_connection_has_error(connection->xcb)) return nullptr;
    const xcb_setup_t* setup = xcb_get_setup(connection->xcb);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) xcb_screen_next(&screens);
    if (screens.rem <= 0) return nullptr;
    connection->root = screens.data->root;
    return std::unique_ptr<XServer>(new XServer(std::move(connection)));
}

bool XServer::UseXkb() {
    if (!connection_->xkb) {
        auto cookie = xcb_xkb_use_extension(connection_->xcb, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION);
        Reply<xcb_xkb_use_extension_reply_t> reply(xcb_xkb_use_extension_reply(connection_->xcb, cookie, nullptr));
        connection_->xkb = reply && reply->supported;
    }
    return *connection_->xkb;
}

std::optional<Bytes> XServer::RulesNames() {
    xcb_connection_t* c = connection_->xcb;
    const char kAtomName[] = "_XKB_RULES_NAMES";
    Reply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof kAtomName - 1, kAtomName), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE) return std::nullopt;
    Reply<xcb_get_property_reply_t> property(xcb_get_property_reply(
        c, xcb_get_property(c, 0, connection_->root, atom->atom, XCB_ATOM_STRING, 0, kPropertyLongs), nullptr));
    if (!property || property->type != XCB_ATOM_STRING || property->format != 8) return std::nullopt;
    const auto* bytes = static_cast<const std::uint8_t*>(xcb_get_property_value(property.get()));
    const int length = xcb_get_property_value_length(property.get());
    if (length <= 0) return std::nullopt;
    return Bytes(bytes, bytes + length);
}

std::optional<Bytes> XServer::Repeat() {
    if (!UseXkb()) return std::nullopt;
    xcb_connection_t* c = connection_->xcb;
    Reply<xcb_xkb_get_controls_reply_t> controls(
        xcb_xkb_get_controls_reply(c, xcb_xkb_get_controls(c, XCB_XKB_ID_USE_CORE_KBD), nullptr));
    if (!controls) return std::nullopt;
    using x11::RepeatReplyLayout;
    Bytes reply(RepeatReplyLayout::kSize, 0);
    base::WriteLe16(reply, RepeatReplyLayout::kDelay, controls->repeatDelay);
    base::WriteLe16(reply, RepeatReplyLayout::kInterval, controls->repeatInterval);
    return reply;
}

std::optional<Bytes> XServer::Indicator(const std::string& name) {
    if (!UseXkb()) return std::nullopt;
    xcb_connection_t* c = connection_->xcb;
    auto index = connection_->indicatorIndex.find(name);
    if (index == connection_->indicatorIndex.end()) {
        Reply<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 1, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr));
        int found = kNoIndicator;
        if (atom && atom->atom != XCB_ATOM_NONE) {
            Reply<xcb_xkb_get_named_indicator_reply_t> indicator(xcb_xkb_get_named_indicator_reply(
                c,
                xcb_xkb_get_named_indicator(c, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_LED_CLASS_DFLT_XI_CLASS,
                                            XCB_XKB_ID_DFLT_XI_ID, atom->atom),
                nullptr));
            if (indicator && indicator->found && indicator->ndx < 32) found = indicator->ndx;
        }
        // A server without the indicator is not asked again on every tick.
        index = connection_->indicatorIndex.emplace(name, found).first;
    }
    if (index->second == kNoIndicator) return std::nullopt;
    constexpr auto kStateLifetime = std::chrono::milliseconds(50);
    const auto now = std::chrono::steady_clock::now();
    if (!connection_->indicatorStateValid || now - connection_->indicatorStateTime > kStateLifetime) {
        Reply<xcb_xkb_get_indicator_state_reply_t> state(
            xcb_xkb_get_indicator_state_reply(c, xcb_xkb_get_indicator_state(c, XCB_XKB_ID_USE_CORE_KBD), nullptr));
        if (!state) return std::nullopt;
        connection_->indicatorState = state->state;
        connection_->indicatorStateTime = now;
        connection_->indicatorStateValid = true;
    }
    return Bytes{static_cast<std::uint8_t>((connection_->indicatorState >> index->second) & 1)};
}

std::optional<Bytes> XServer::PointerMapping() {
    xcb_connection_t* c = connection_->xcb;
    Reply<xcb_get_pointer_mapping_reply_t> mapping(
        xcb_get_pointer_mapping_reply(c, xcb_get_pointer_mapping(c), nullptr));
    if (!mapping) return std::nullopt;
    const std::uint8_t* map = xcb_get_pointer_mapping_map(mapping.get());
    const int length = xcb_get_pointer_mapping_map_length(mapping.get());
    if (length <= 0) return std::nullopt;
    return Bytes(map, map + length);
}

}  // namespace platform::linux_backend
